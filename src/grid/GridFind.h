#pragma once

#include <QString>

// The rules a search of the grid follows, shared by the data sources that search
// and by the grid, which replaces what they found.
class GridFind {
public:
    // Flags of a search.
    // The find text may stand anywhere in the cell text; without it the whole text
    // must be the find text, in any case.
    static constexpr int kAnywhere = 1;
    static constexpr int kIgnoreCase = 2;
    static constexpr int kBackwards = 4;
    // Along the rows across every column, rather than down one column.
    static constexpr int kAlongRows = 8;

    // Whether a cell with `text` is a match for `find`. An empty find text matches
    // nothing.
    static bool Matches(const QString& text, const QString& find, int flags);
    // Replaces what matched in `text`: the whole text when the whole text had to
    // match; otherwise, ignoring case, the first occurrence, and with case every
    // occurrence. False, and `text` unchanged, when it is no match.
    static bool Replace(QString& text, const QString& find, const QString& with, int flags);
};
