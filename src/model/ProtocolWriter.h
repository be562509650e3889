#pragma once

#include <string>

class ProtocolNode;
class TextBuffer;

// Renders `node` as protocol file text at the buffer's write position and returns
// the buffer's success flag. Into a buffer without capacity it only measures: the
// buffer's used count is then the size of the text.
bool WriteProtocolText(const ProtocolNode& node, TextBuffer& buffer);

// Saves `node` to the file at `path`: renders the whole text, writes it to a new
// file beside the target, forces it to the disk and only then puts it in the
// target's place, so a failure at any step leaves an existing file as it was.
// Shows the busy cursor meanwhile and a message on failure; true on success. The
// buffer is released afterwards.
bool WriteProtocolFile(const ProtocolNode& node, TextBuffer& buffer, const std::string& path);
