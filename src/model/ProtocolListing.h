#pragma once

#include <cstddef>
#include <string_view>

class ProtocolNode;
class TextBuffer;

// The printed listing of a protocol as text: the device header, then every command
// with its fields, parameters and bytes, one field per line, each line its label
// from the field tables followed by the value. A line that begins with "[" is a
// section heading. The text is closed by one zero byte that the used count leaves
// out.

// What the listing is first given per command; a buffer allowed to grow takes a
// listing of any length all the same.
inline constexpr std::size_t kListingBytesPerCommand = 2000;
// What the user is told when no memory can be had for the listing.
inline constexpr const char* kListingNoMemory = "Could not allocate memory for print!";

// Appends the listing of `node` at the buffer's write position, then the zero byte,
// and returns the buffer's success flag (false when a line did not fit).
bool WriteListing(const ProtocolNode& node, TextBuffer& buffer);

// Appends one listing line: `label` then `value`, ended by a carriage return and a
// line feed.
void AppendListingLine(TextBuffer& buffer, std::string_view label, std::string_view value);
