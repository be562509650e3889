#include "model/ParseCache.h"

#include <functional>

void ParseCache::Parse(ParamType& param, std::string_view commandName) {
    std::string_view text = param.m_strText;
    Entry& entry = m_oEntries[std::hash<std::string_view>()(text) % kEntries];
    if (entry.used && entry.parsed.m_strText == text) {
        param.TakeParseOf(entry.parsed);
        return;
    }
    if (!param.ParseType(commandName)) {
        return;
    }
    // Remembered without copying a byte: the text and a description taken from it
    // refer to the param's own bytes, and the groups are shared.
    entry.parsed.m_strText = Text::Refer(text);
    entry.parsed.m_strDescription.clear();
    entry.parsed.TakeParseOf(param);
    entry.used = true;
}
