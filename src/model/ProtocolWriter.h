#pragma once

#include <cstddef>
#include <string>

class Platform;
class ProtocolNode;
class TextBuffer;

// Renders `node` as protocol file text at the buffer's write position and returns
// the buffer's success flag. Into a buffer without capacity it only measures: the
// buffer's used count is then the size of the text.
bool WriteProtocolText(const ProtocolNode& node, TextBuffer& buffer);

// Renders the whole of `node` into `buffer`, which is allocated for it and grows as
// needed: the bytes a save writes. False when memory runs out; it shows nothing.
bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer);
// The same for the file `path`: false after a message naming it when memory runs out.
// The text is the buffer's written part; the caller releases the buffer.
bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path);

// What became of a safe write.
enum class SafeWriteResult {
    Written,
    CannotOpen,  // no new file could take the target's place
    CannotWrite, // the bytes did not reach the disk
};

// Puts `size` bytes at `data` in the place of the file at `path`, through `files`'
// file operations only (it shows nothing, so it may run on any thread that owns
// `files`): writes them to a new private file beside the target, forces it to the
// disk, gives it the target's permissions, owner and group, and only then renames
// it over the target, so a failure at any step leaves an existing file as it was.
// Through a symbolic link the file the link names is replaced; the link stays.
SafeWriteResult WriteFileSafely(Platform& files, const char* data, std::size_t size,
                                const std::string& path);

// Saves `node` to the file at `path`: renders the whole text, then writes it with
// WriteFileSafely. Shows the busy cursor meanwhile and a message on failure; true on
// success. The buffer is released afterwards.
bool WriteProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path);
