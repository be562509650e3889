#include "tools/JsonWriter.h"

#include <cstdio>

#include "model/Codepage.h"

namespace {

// The length of the valid, shortest-form UTF-8 sequence at `pos`; 0 when the bytes
// there are not one.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t ch = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, ch = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, ch = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, ch = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
        ch = (ch << 6) | (byte(pos + i) & 0x3F);
    }
    if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

void JsonWriter::AppendQuoted(std::string& out, std::string_view utf8) {
    out += '"';
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char c = utf8[pos];
        auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            std::size_t length = Utf8Length(utf8, pos);
            if (length == 0) {
                out += Codepage::ToUtf8(utf8.substr(pos, 1));
                ++pos;
            } else {
                out.append(utf8, pos, length);
                pos += length;
            }
            continue;
        }
        ++pos;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void JsonWriter::NewLine(std::size_t depth) {
    m_out += '\n';
    m_out.append(depth * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (m_levels.empty()) {
        return;
    }
    Level& level = m_levels.back();
    if (level.count > 0) {
        m_out += ',';
    }
    if (level.inLine) {
        m_out += ' ';
    } else {
        NewLine(m_levels.size());
    }
    ++level.count;
}

void JsonWriter::Begin(char open, bool inLine) {
    BeforeValue();
    m_out += open;
    bool parentInLine = !m_levels.empty() && m_levels.back().inLine;
    m_levels.push_back({inLine || parentInLine, 0});
}

void JsonWriter::End(char close) {
    Level level = m_levels.back();
    m_levels.pop_back();
    if (level.count > 0) {
        if (level.inLine) {
            m_out += ' ';
        } else {
            NewLine(m_levels.size());
        }
    }
    m_out += close;
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendQuoted(m_out, key);
    m_out += ": ";
    m_bAfterKey = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    AppendQuoted(m_out, utf8);
}

void JsonWriter::Number(std::int64_t value) {
    BeforeValue();
    m_out += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_out += value ? "true" : "false";
}
