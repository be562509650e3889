#pragma once

#include <string>
#include <string_view>

// Windows-1252, the code page protocol files are written in. The model keeps every
// value as the file's raw bytes; whatever shows a value decodes it here, and
// whatever the user types is encoded back here. The mapping is lossless for all
// 256 byte values: the five bytes 1252 leaves unassigned map to the C1 controls
// of the same number.
namespace Codepage {

// The character a byte stands for.
char32_t ToUnicode(unsigned char byte);

// The byte that stands for `ch`, or -1 when the code page has none.
int FromUnicode(char32_t ch);

// Decodes code-page bytes to UTF-8; never fails.
std::string ToUtf8(std::string_view bytes);

// Encodes UTF-8 text to code-page bytes. Returns false, leaving `bytes` untouched,
// when a character has no byte or the text is not valid UTF-8; `refused` then
// names the character (U+FFFD for invalid UTF-8).
bool FromUtf8(std::string_view utf8, std::string& bytes, char32_t* refused = nullptr);

// The message that explains why `refused` cannot be typed into a protocol.
std::string RefusalMessage(char32_t refused);

} // namespace Codepage
