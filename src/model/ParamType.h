#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

// The Or'd groups of a parameter, indexed like an array of five. Most parameters
// are never parsed (those of new, pasted and copied commands, and the unused ones
// of every command) and most parsed ones use one or two groups, so only the groups
// up to the last one written take memory; the others read as empty. This keeps a
// command small, which is most of the cost of reading a large protocol.
class OrGroupArray {
public:
    static constexpr std::size_t kSize = 5;

    // Walks all five groups, stored or not.
    class ConstIterator {
    public:
        ConstIterator(const OrGroupArray& groups, std::size_t index)
            : m_pGroups(&groups), m_nIndex(index) {}
        const OrGroup& operator*() const { return (*m_pGroups)[m_nIndex]; }
        ConstIterator& operator++() {
            ++m_nIndex;
            return *this;
        }
        bool operator!=(const ConstIterator& other) const { return m_nIndex != other.m_nIndex; }

    private:
        const OrGroupArray* m_pGroups;
        std::size_t m_nIndex;
    };

    static constexpr std::size_t size() { return kSize; }
    const OrGroup& operator[](std::size_t index) const {
        static const OrGroup empty{};
        return index < m_oGroups.size() ? m_oGroups[index] : empty;
    }
    // Writing to a group stores it and every group before it.
    OrGroup& operator[](std::size_t index) {
        if (index >= m_oGroups.size()) {
            // Room for two at once: most parameters have one or two alternatives.
            m_oGroups.reserve(std::max<std::size_t>(index + 1, 2));
            m_oGroups.resize(index + 1);
        }
        return m_oGroups[index];
    }
    ConstIterator begin() const { return {*this, 0}; }
    ConstIterator end() const { return {*this, kSize}; }

private:
    std::vector<OrGroup> m_oGroups;
};

// A command parameter: the text of its Param key, which stays its value, and the
// parse of that text into Or'd groups of And'd keywords plus a description. The
// parsed part is filled once, when a protocol is read, and never follows later
// edits of the text.
class ParamType {
public:
    static constexpr int kMaxGroups = static_cast<int>(OrGroupArray::kSize);

    std::string m_strText;
    std::string m_strDescription;
    std::int32_t m_nOrCount = 0; // groups closed; may exceed kMaxGroups
    OrGroupArray m_oOr;

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
