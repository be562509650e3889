#include "model/Codepage.h"

#include <array>
#include <cstdio>

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`, advancing it; U+FFFD with false when the
// bytes are not a valid, shortest-form sequence.
bool NextUtf8(std::string_view text, std::size_t& pos, char32_t& ch) {
    auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        ch = lead;
        return true;
    }
    int extra = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, ch = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, ch = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, ch = lead & 0x07, min = 0x10000;
    } else {
        ch = 0xFFFD;
        return false;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            ch = 0xFFFD;
            return false;
        }
        ch = (ch << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        ch = 0xFFFD;
        return false;
    }
    return true;
}

} // namespace

namespace Codepage {

char32_t ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

int FromUnicode(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<int>(ch);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == ch) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

bool FromUtf8(std::string_view utf8, std::string& bytes, char32_t* refused) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t ch = 0;
        bool valid = NextUtf8(utf8, pos, ch);
        int byte = valid ? FromUnicode(ch) : -1;
        if (byte < 0) {
            if (refused != nullptr) {
                *refused = ch;
            }
            return false;
        }
        out += static_cast<char>(byte);
    }
    bytes = std::move(out);
    return true;
}

std::string RefusalMessage(char32_t refused) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refused));
    std::string message = "The character ";
    if (refused >= 0x20 && refused != 0xFFFD) {
        message += '"';
        AppendUtf8(message, refused);
        message += "\" ";
    }
    message.append("(").append(code).append(
        ") cannot be stored in a protocol file. Protocol files hold only the characters "
        "of the Western European (Windows-1252) code page.");
    return message;
}

} // namespace Codepage
