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

// The escape of an ASCII byte in a JSON string, appended; false when the byte
// stands for itself.
bool AppendEscape(std::string& out, char c) {
    switch (c) {
    case '"':
        out += "\\\"";
        return true;
    case '\\':
        out += "\\\\";
        return true;
    case '\n':
        out += "\\n";
        return true;
    case '\r':
        out += "\\r";
        return true;
    case '\t':
        out += "\\t";
        return true;
    default:
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
            return true;
        }
        return false;
    }
}

bool IsPlain(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u < 0x80 && c != '"' && c != '\\';
}

} // namespace

void JsonWriter::AppendQuotedCodePage(std::string& out, std::string_view bytes) {
    out += '"';
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // Runs of bytes that stand for themselves go in one piece.
        std::size_t run = pos;
        while (run < bytes.size() && IsPlain(bytes[run])) {
            ++run;
        }
        out.append(bytes, pos, run - pos);
        if (run == bytes.size()) {
            break;
        }
        char c = bytes[run];
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += Codepage::ToUtf8(bytes.substr(run, 1));
        } else if (!AppendEscape(out, c)) {
            out += c;
        }
        pos = run + 1;
    }
    out += '"';
}

void JsonWriter::AppendQuoted(std::string& out, std::string_view utf8) {
    out += '"';
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // Runs of bytes that stand for themselves go in one piece.
        std::size_t run = pos;
        while (run < utf8.size() && IsPlain(utf8[run])) {
            ++run;
        }
        out.append(utf8, pos, run - pos);
        pos = run;
        if (pos == utf8.size()) {
            break;
        }
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
        if (!AppendEscape(out, c)) {
            out += c;
        }
    }
    out += '"';
}

void JsonWriter::Flush() {
    if (m_pStream != nullptr && !m_out.empty()) {
        m_pStream->write(m_out.data(), static_cast<std::streamsize>(m_out.size()));
        m_out.clear();
    }
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
    MaybeFlush();
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
    MaybeFlush();
}

void JsonWriter::CodePageString(std::string_view bytes) {
    BeforeValue();
    AppendQuotedCodePage(m_out, bytes);
    MaybeFlush();
}

void JsonWriter::Number(std::int64_t value) {
    BeforeValue();
    m_out += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_out += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    m_out += "null";
}
