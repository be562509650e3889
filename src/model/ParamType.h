#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/Text.h"

// One keyword of a parameter's type, with its argument: the parenthesised text
// after the keyword, or the literal of a quoted string term.
struct AndType {
    std::int16_t m_nKeyword = 0; // index into TypeKeywordTable
    Text m_strArgument;

    friend bool operator==(const AndType&, const AndType&) = default;
};

// One alternative of a parameter's type: up to three keywords that all apply.
struct OrGroup {
    static constexpr int kMaxTerms = 3;
    std::int32_t m_nAndCount = 0;
    std::array<AndType, kMaxTerms> m_oAnd;

    friend bool operator==(const OrGroup&, const OrGroup&) = default;
};

// The Or'd groups of a parameter, indexed like an array of five. Only the groups up
// to the last one holding a term take memory, in one block together with their
// arguments; the others read as empty. Most parameters are never parsed (those of
// new, pasted and copied commands, and the unused ones of every command), and the
// parses of a protocol's parameters repeat, so copies share one block: a parse is
// never changed once made, and a change through the non-const operator[] first
// gives the array a block of its own, with room for all five groups. Like the rest
// of the model, the arrays are used by one thread.
class OrGroupArray {
public:
    static constexpr std::size_t kSize = 5;

    OrGroupArray() noexcept = default;
    OrGroupArray(const OrGroupArray& other) noexcept : m_pBlock(other.m_pBlock) { Share(); }
    OrGroupArray(OrGroupArray&& other) noexcept : m_pBlock(other.m_pBlock) {
        other.m_pBlock = nullptr;
    }
    OrGroupArray& operator=(const OrGroupArray& other) noexcept;
    OrGroupArray& operator=(OrGroupArray&& other) noexcept;
    ~OrGroupArray() { Release(); }

    static constexpr std::size_t size() { return kSize; }
    // How many groups take memory.
    std::size_t Stored() const;

    const OrGroup& operator[](std::size_t index) const;
    OrGroup& operator[](std::size_t index);

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
        bool operator==(const ConstIterator& other) const { return m_nIndex == other.m_nIndex; }

    private:
        const OrGroupArray* m_pGroups;
        std::size_t m_nIndex;
    };
    ConstIterator begin() const { return {*this, 0}; }
    ConstIterator end() const { return {*this, kSize}; }

private:
    friend class ParamType;
    struct Block;

    // A block for `count` groups followed by `bytes` bytes for their arguments.
    static Block* NewBlock(std::size_t count, std::size_t bytes);
    void Share() noexcept;
    void Release() noexcept;

    Block* m_pBlock = nullptr;
};

// A command parameter: the text of its Param key, which stays its value, and the
// parse of that text into Or'd groups of And'd keywords plus a description. The
// parsed part is filled once, when a protocol is read, and never follows later
// edits of the text.
class ParamType {
public:
    static constexpr int kMaxGroups = static_cast<int>(OrGroupArray::kSize);

    Text m_strText;
    Text m_strDescription;
    std::int32_t m_nOrCount = 0; // groups closed; may exceed kMaxGroups
    OrGroupArray m_oOr;

    // Parses m_strText into the parsed part, replacing any parse made before;
    // `commandName` only names the command in warnings. Always completes: words it
    // cannot place are warned about and left out. True when it gave no warning, so
    // that the parse depends on the text alone.
    bool ParseType(std::string_view commandName);

    // Stores `word` as the next term of the current group (index m_nOrCount), or
    // warns when it is no keyword or a limit is reached.
    void AddKeyword(std::string_view word, std::string_view commandName);

    // Takes the parsed part of `other`, whose text has the same bytes as this one's.
    void TakeParseOf(const ParamType& other);
};
