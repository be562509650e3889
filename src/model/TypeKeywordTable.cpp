#include "model/TypeKeywordTable.h"

const std::array<std::string_view, TypeKeywordTable::kCount> TypeKeywordTable::s_keywords = {
    "input",       "remoteinput",    "output",         "remoteoutput", "flag",        "remoteflag",
    "var",         "remotevar",      "port",           "remoteport",   "datastring",  "lcdstring",
    "sequence",    "remotesequence", "byte",           "word",         "string",      "bytelabel",
    "wordlabel",   "bytetime",       "wordtime",       "time",         "framestring", "timestring",
    "trackstring", "contains",       "porttyperemote", "ipaddress",    "zorvexvalue",
};

std::string_view TypeKeywordTable::Keyword(int index) {
    return index >= 0 && index < kCount ? s_keywords[static_cast<std::size_t>(index)]
                                        : std::string_view();
}

int TypeKeywordTable::Find(std::string_view word) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (int i = 0; i < kCount; ++i) {
        std::string_view keyword = s_keywords[static_cast<std::size_t>(i)];
        // Most candidates differ in length or first letter already.
        if (keyword.size() != word.size() || word.empty() || lower(word[0]) != keyword[0]) {
            continue;
        }
        bool equal = true;
        for (std::size_t k = 0; k < word.size() && equal; ++k) {
            equal = lower(word[k]) == keyword[k];
        }
        if (equal) {
            return i;
        }
    }
    return -1;
}
