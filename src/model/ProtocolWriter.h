#pragma once

#include <string>

class ProtocolNode;
class TextBuffer;

// Renders `node` as protocol file text at the buffer's write position and returns
// the buffer's success flag. Into a buffer without capacity it only measures: the
// buffer's used count is then the size of the text.
bool WriteProtocolText(const ProtocolNode& node, TextBuffer& buffer);

// Renders the whole text of `node` into `buffer`, which grows as the text needs, for
// the file `path`; false after a message naming it when memory runs out. The text is
// the buffer's written part; the caller releases the buffer.
bool RenderProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path);

// Saves `node` to the file at `path`: renders the whole text, writes it to a new
// private file beside the target, forces it to the disk, gives it the target's
// permissions, owner and group, and only then puts it in the target's place, so a
// failure at any step leaves an existing file as it was. Through a symbolic link the
// file the link names is replaced; the link stays.
// Shows the busy cursor meanwhile and a message on failure; true on success. The
// buffer is released afterwards.
bool WriteProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path);
