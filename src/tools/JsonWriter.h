#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Writes JSON text, indented by two spaces per level. A container begun "in line"
// keeps itself and everything in it on one line. Strings are given as UTF-8; a
// byte that is not part of valid UTF-8 is taken as a Windows-1252 character, so
// the output is always valid JSON. Model values can be given as their code-page
// bytes directly.
class JsonWriter {
public:
    // Appends to `out`.
    explicit JsonWriter(std::string& out) : m_out(out) {}
    // Streams to `out` through a buffer of a fixed size, however long the text.
    explicit JsonWriter(std::ostream& out) : m_out(m_buffer), m_pStream(&out) {}
    ~JsonWriter() { Flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // Passes the text so far on to the stream.
    void Flush();

    void BeginObject(bool inLine = false) { Begin('{', inLine); }
    void EndObject() { End('}'); }
    void BeginArray(bool inLine = false) { Begin('[', inLine); }
    void EndArray() { End(']'); }
    void Key(std::string_view key);
    void String(std::string_view utf8);
    // Windows-1252 bytes, decoded.
    void CodePageString(std::string_view bytes);
    void Number(std::int64_t value);
    void Bool(bool value);
    void Null();

    // `utf8` as a quoted JSON string.
    static void AppendQuoted(std::string& out, std::string_view utf8);
    static void AppendQuotedCodePage(std::string& out, std::string_view bytes);

private:
    struct Level {
        bool inLine;
        int count;
    };
    void Begin(char open, bool inLine);
    void End(char close);
    void BeforeValue();
    void NewLine(std::size_t depth);

    // Streams once this much text has gathered.
    static constexpr std::size_t kChunk = 64 * 1024;
    void MaybeFlush() {
        if (m_pStream != nullptr && m_out.size() >= kChunk) {
            Flush();
        }
    }

    std::string m_buffer;
    std::string& m_out;
    std::ostream* m_pStream = nullptr;
    std::vector<Level> m_levels;
    bool m_bAfterKey = false;
};
