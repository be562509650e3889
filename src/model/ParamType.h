#pragma once

#include <array>
#include <cstdint>
#include <string>

// One keyword of a parameter's type, with its argument: the parenthesised text
// after the keyword, or the literal of a quoted string term.
struct AndType {
    std::int16_t m_nKeyword = 0; // index into TypeKeywordTable
    std::string m_strArgument;
};

// One alternative of a parameter's type: up to three keywords that all apply.
struct OrGroup {
    static constexpr int kMaxTerms = 3;
    std::int32_t m_nAndCount = 0;
    std::array<AndType, kMaxTerms> m_oAnd;
};

// A command parameter: the text of its Param key, which stays its value, and the
// parse of that text into Or'd groups of And'd keywords plus a description. The
// parsed part is filled once, when a protocol is read, and never follows later
// edits of the text.
class ParamType {
public:
    static constexpr int kMaxGroups = 5;

    std::string m_strText;
    std::string m_strDescription;
    std::int32_t m_nOrCount = 0; // groups closed; may exceed kMaxGroups
    std::array<OrGroup, kMaxGroups> m_oOr;

    // Parses m_strText into the parsed part; `commandName` only names the command
    // in warnings. Always completes: words it cannot place are warned about and
    // left out.
    void ParseType(const std::string& commandName);

    // Stores `word` as the next term of the current group (index m_nOrCount), or
    // warns when it is no keyword or a limit is reached.
    void AddKeyword(const std::string& word, const std::string& commandName);

private:
    // Gives `argument` to the last term of the current group; dropped when the
    // group holds no term yet, so nothing outside this parameter's terms changes.
    void SetLastArgument(const std::string& argument);
};
