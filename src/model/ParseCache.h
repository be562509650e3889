#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/ParamType.h"

// The parses of the parameter texts met lately while a protocol is read. Real
// protocols give many commands the same parameter texts; a text met again takes the
// parse already made, sharing its groups, instead of being parsed anew. A text whose
// parse gave a warning is never remembered: it is parsed, and warns, every time, as
// the warning names the command.
class ParseCache {
public:
    // Parses `param`, whose text is set and refers to bytes that outlive the cache,
    // or gives it the parse remembered for the same text.
    void Parse(ParamType& param, std::string_view commandName);

private:
    static constexpr std::size_t kEntries = 256;
    struct Entry {
        bool used = false;
        ParamType parsed; // its text refers to the first param's bytes
    };
    std::array<Entry, kEntries> m_oEntries;
};
