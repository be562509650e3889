#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "FakeGridHost.h"
#include "grid/GridCell.h"
#include "grid/GridFind.h"
#include "grid/GridMemDataSource.h"

namespace {

constexpr int kAnywhere = GridFind::kAnywhere;
constexpr int kIgnoreCase = GridFind::kIgnoreCase;
constexpr int kBack = GridFind::kBackwards;
constexpr int kAlong = GridFind::kAlongRows;

GridCell TextCell(const QString& text) {
    GridCell cell;
    cell.SetText(text);
    return cell;
}

// A sheet of `cols` by `rows` cells whose store holds `texts` at their cells.
class Search : public ::testing::Test {
protected:
    void Make(int cols, int rows,
              const std::vector<std::pair<std::pair<int, int>, QString>>& texts) {
        m_poHost = std::make_unique<FakeGridHost>(cols, rows);
        for (const auto& [at, text] : texts) {
            m_poHost->m_oStore.SetCell(at.first, at.second, TextCell(text));
        }
    }
    // Every cell found by repeated searches from (col, row), in order, until one
    // comes round again; at most `limit`.
    std::vector<std::pair<int, int>> Walk(const QString& text, int col, int row, int flags,
                                          int limit = 20) {
        std::vector<std::pair<int, int>> found;
        while (static_cast<int>(found.size()) < limit &&
               Store().FindNext(text, col, row, flags) == 0) {
            found.emplace_back(col, row);
            if (found.size() > 1 && found.back() == found.front()) {
                break;
            }
        }
        return found;
    }
    GridMemDataSource& Store() { return m_poHost->m_oStore; }

    std::unique_ptr<FakeGridHost> m_poHost;
};

using Cells = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(Search, DownAColumnWrapsFromTheLastRowAndFindsTheStartCellLast) {
    Make(2, 5, {{{0, 1}, "x"}, {{0, 4}, "x"}, {{1, 2}, "x"}});
    int col = 0;
    int row = 4;
    ASSERT_EQ(Store().FindNext("x", col, row, kAnywhere), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(0, 1));
    // With one match only, the search comes back to where it started.
    Make(2, 5, {{{0, 4}, "x"}, {{1, 2}, "x"}});
    col = 0;
    row = 4;
    ASSERT_EQ(Store().FindNext("x", col, row, kAnywhere), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(0, 4));
    // Upwards the same, the other way round; the other column is never looked at.
    Make(2, 5, {{{0, 1}, "x"}, {{0, 4}, "x"}, {{1, 0}, "x"}});
    EXPECT_EQ(Walk("x", 0, 1, kAnywhere | kBack), (Cells{{0, 4}, {0, 1}, {0, 4}}));
}

TEST_F(Search, WholeTextIgnoresCaseAlwaysAndMatchAnywhereFollowsTheCaseFlag) {
    Make(1, 5, {{{0, 0}, "AB"}, {{0, 1}, "xaby"}, {{0, 2}, "ab"}, {{0, 3}, ""}});
    // Whole text, case asked for (no ignore-case flag): "AB" and "ab" match,
    // "xaby" and the empty cell do not.
    EXPECT_EQ(Walk("ab", 0, 4, 0), (Cells{{0, 0}, {0, 2}, {0, 0}}));
    // Anywhere with case: only the cells holding "ab" as written.
    EXPECT_EQ(Walk("ab", 0, 4, kAnywhere), (Cells{{0, 1}, {0, 2}, {0, 1}}));
    // Anywhere without case: all three.
    EXPECT_EQ(Walk("ab", 0, 4, kAnywhere | kIgnoreCase), (Cells{{0, 0}, {0, 1}, {0, 2}, {0, 0}}));
    EXPECT_EQ(Walk("AB", 0, 4, kAnywhere), (Cells{{0, 0}, {0, 0}}));
}

TEST_F(Search, AlongTheRowsGoesOnToTheNextRowAndWrapsRound) {
    Make(3, 3, {{{0, 0}, "x"}, {{2, 0}, "x"}, {{1, 1}, "x"}, {{0, 2}, "x"}, {{2, 2}, "x"}});
    EXPECT_EQ(Walk("x", 0, 0, kAnywhere | kAlong),
              (Cells{{2, 0}, {1, 1}, {0, 2}, {2, 2}, {0, 0}, {2, 0}}));
    EXPECT_EQ(Walk("x", 0, 0, kAnywhere | kAlong | kBack),
              (Cells{{2, 2}, {0, 2}, {1, 1}, {2, 0}, {0, 0}, {2, 2}}));
    // A lone match is found again from itself, after every other cell.
    Make(3, 3, {{{1, 1}, "x"}});
    EXPECT_EQ(Walk("x", 1, 1, kAnywhere | kAlong, 1), (Cells{{1, 1}}));
    EXPECT_EQ(Walk("x", 1, 1, kAnywhere | kAlong | kBack, 1), (Cells{{1, 1}}));
}

TEST_F(Search, ShortRowsMissingRowsAndHeadingsAreSkipped) {
    // Row 1 is short, row 2 was never stored, row 3 starts with an empty node, and
    // heading cells and rows past the grid's last hold matches that do not count.
    Make(4, 5, {{{0, 1}, "y"}, {{3, 3}, "x"}, {{-1, 0}, "x"}, {{0, -1}, "x"}, {{1, 6}, "x"}});
    Store().SetCell(0, 0, TextCell("x"));
    EXPECT_EQ(Walk("x", 2, 1, kAnywhere | kAlong), (Cells{{3, 3}, {0, 0}, {3, 3}}));
    EXPECT_EQ(Walk("x", 2, 1, kAnywhere | kAlong | kBack), (Cells{{0, 0}, {3, 3}, {0, 0}}));
    EXPECT_EQ(Walk("x", 1, 0, kAnywhere), Cells{});
}

TEST_F(Search, FindFirstStartsBeforeTheFirstCell) {
    Make(3, 3, {{{0, 0}, "x"}, {{2, 2}, "x"}, {{1, 0}, "x"}});
    int col = 2;
    int row = 1;
    ASSERT_EQ(Store().FindFirst("x", col, row, kAnywhere | kAlong), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(0, 0));
    col = 2;
    ASSERT_EQ(Store().FindFirst("x", col, row, kAnywhere | kAlong | kBack), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(2, 2));
    // Down a column it keeps the column.
    col = 1;
    ASSERT_EQ(Store().FindFirst("x", col, row, kAnywhere), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(1, 0));
    col = 0;
    ASSERT_EQ(Store().FindFirst("x", col, row, kAnywhere | kBack), 0);
    EXPECT_EQ(std::pair(col, row), std::pair(0, 0));
}

TEST_F(Search, NothingIsFoundInAnEmptyGridOrForAnEmptyText) {
    Make(2, 0, {{{0, 0}, "x"}});
    int col = 0;
    int row = 0;
    EXPECT_EQ(Store().FindFirst("x", col, row, kAnywhere), 1);
    Make(2, 3, {});
    EXPECT_EQ(Store().FindFirst("x", col, row, kAnywhere | kAlong), 1);
    Make(2, 3, {{{0, 0}, "x"}});
    EXPECT_EQ(Store().FindNext("", col, row, kAnywhere), 1);
    // The position is left alone when nothing is found.
    col = 1;
    row = 2;
    EXPECT_EQ(Store().FindNext("y", col, row, kAnywhere | kAlong), 1);
    EXPECT_EQ(std::pair(col, row), std::pair(1, 2));
    GridMemDataSource alone;
    alone.SetCell(0, 0, TextCell("x"));
    EXPECT_EQ(alone.FindFirst("x", col, row, kAnywhere), 1);
}

TEST_F(Search, TheCursorEndsOnTheRowFoundSoThatTheNextSearchGoesOnFromThere) {
    // Reading a cell far from the found row afterwards still lands right.
    Make(2, 200, {{{1, 150}, "x"}, {{1, 20}, "x"}});
    int col = 1;
    int row = 20;
    ASSERT_EQ(Store().FindNext("x", col, row, kAnywhere), 0);
    EXPECT_EQ(row, 150);
    GridCell cell;
    EXPECT_EQ(Store().GetCell(1, 20, cell), 0);
    EXPECT_EQ(cell.GetText(), "x");
    ASSERT_EQ(Store().FindNext("x", col, row, kAnywhere), 0);
    EXPECT_EQ(row, 20);
}

TEST(GridFindReplace, WithoutCaseTheFirstOccurrenceWithCaseEveryOne) {
    QString text = "Abc abc ABC";
    EXPECT_TRUE(GridFind::Replace(text, "abc", "x", kAnywhere | kIgnoreCase));
    EXPECT_EQ(text, "x abc ABC");
    text = "Abc abc ABC abc";
    EXPECT_TRUE(GridFind::Replace(text, "abc", "x", kAnywhere));
    EXPECT_EQ(text, "Abc x ABC x");
    // No occurrence: nothing changes.
    text = "Abc ABC";
    EXPECT_FALSE(GridFind::Replace(text, "abc", "x", kAnywhere));
    EXPECT_EQ(text, "Abc ABC");
}

TEST(GridFindReplace, AWholeTextMatchIsReplacedWholeInAnyCase) {
    QString text = "AbC";
    EXPECT_TRUE(GridFind::Replace(text, "abc", "new", 0));
    EXPECT_EQ(text, "new");
    text = "abc d";
    EXPECT_FALSE(GridFind::Replace(text, "abc", "new", kIgnoreCase));
    EXPECT_EQ(text, "abc d");
}

TEST(GridFindReplace, AnOccurrenceIsReplacedWhereItStandsInTheOriginalText) {
    // Upper-casing "ß" gives two letters, which would put an occurrence found in an
    // upper-cased copy one place too far on.
    QString text = QString::fromUtf8("Straße ab");
    EXPECT_TRUE(GridFind::Replace(text, "AB", "cd", kAnywhere | kIgnoreCase));
    EXPECT_EQ(text, QString::fromUtf8("Straße cd"));
}
