#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes JSON text, indented by two spaces per level. A container begun "in line"
// keeps itself and everything in it on one line. Strings are given as UTF-8; a
// byte that is not part of valid UTF-8 is taken as a Windows-1252 character, so
// the output is always valid JSON.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : m_out(out) {}

    void BeginObject(bool inLine = false) { Begin('{', inLine); }
    void EndObject() { End('}'); }
    void BeginArray(bool inLine = false) { Begin('[', inLine); }
    void EndArray() { End(']'); }
    void Key(std::string_view key);
    void String(std::string_view utf8);
    void Number(std::int64_t value);
    void Bool(bool value);

    // `utf8` as a quoted JSON string.
    static void AppendQuoted(std::string& out, std::string_view utf8);

private:
    struct Level {
        bool inLine;
        int count;
    };
    void Begin(char open, bool inLine);
    void End(char close);
    void BeforeValue();
    void NewLine(std::size_t depth);

    std::string& m_out;
    std::vector<Level> m_levels;
    bool m_bAfterKey = false;
};
