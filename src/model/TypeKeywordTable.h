#pragma once

#include <array>
#include <string_view>

// The keywords a parameter's type part may name. A parsed term stores the index of
// its keyword; the order is fixed because stored indices depend on it.
class TypeKeywordTable {
public:
    static constexpr int kCount = 29;

    // The keyword with this index; empty for an index outside the table.
    static std::string_view Keyword(int index);

    // The index of the keyword equal to `word` without regard to case; -1 if none.
    static int Find(std::string_view word);

private:
    static const std::array<std::string_view, kCount> s_keywords;
};
