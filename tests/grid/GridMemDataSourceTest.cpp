#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include <QPalette>

#include "FakeGridHost.h"
#include "grid/GridCell.h"
#include "grid/GridMemDataSource.h"

namespace {

GridCell TextCell(const QString& text) {
    GridCell cell;
    cell.SetText(text);
    return cell;
}

// The stored text of a cell, or "-" when nothing is stored there.
QString Stored(GridMemDataSource& store, int col, int row) {
    GridCell cell;
    return store.GetCell(col, row, cell) == 0 ? cell.GetText() : QStringLiteral("-");
}

// Rows 0..rows-1 with the cells "c,r" in columns 0..cols-1.
void Fill(GridMemDataSource& store, int cols, int rows) {
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            store.SetCell(col, row, TextCell(QString("%1,%2").arg(col).arg(row)));
        }
    }
}

std::vector<int> DataSourceCols(FakeGridHost& host) {
    std::vector<int> cols;
    for (int col = 0; col < host.GetColumnCount(); ++col) {
        cols.push_back(host.Column(col).m_nDataSourceCol);
    }
    return cols;
}

} // namespace

TEST(GridMemDataSource, SparseSetCreatesNodesOnlyUpToTheCell) {
    GridMemDataSource store;
    EXPECT_EQ(store.GetRowNodeCount(), 0);
    store.SetCell(3, 10, TextCell("x"));

    EXPECT_EQ(store.GetRowNodeCount(), 11);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(store.GetCellNodeCount(row), 0) << row;
    }
    EXPECT_EQ(store.GetCellNodeCount(10), 4);
    EXPECT_EQ(store.GetCellNodeCount(11), -1);

    // A node without a cell, a missing node and a missing row all read as nothing,
    // and the caller's defaults stay as they were.
    for (auto [col, row] : {std::pair{2, 10}, std::pair{4, 10}, std::pair{3, 11}, std::pair{3, 9},
                            std::pair{-1, 10}}) {
        GridCell cell;
        cell.SetBackColor(Qt::cyan);
        EXPECT_EQ(store.GetCell(col, row, cell), 1) << col << "," << row;
        EXPECT_EQ(cell.GetPropertyFlags(), GridCell::kBackColorSet);
    }
    EXPECT_EQ(Stored(store, 3, 10), "x");
}

TEST(GridMemDataSource, GetMergesOverTheDefaultsAndSetStoresACompleteCopy) {
    GridMemDataSource store;
    GridCell first;
    first.SetText("first");
    first.SetBackColor(Qt::red);
    store.SetCell(1, 1, first);
    first.SetText("changed afterwards");

    GridCell cell;
    cell.SetBorder(GridCell::kBorderRaised);
    ASSERT_EQ(store.GetCell(1, 1, cell), 0);
    EXPECT_EQ(cell.GetText(), "first");
    EXPECT_EQ(cell.GetBackColor(QPalette()), QColor(Qt::red));
    EXPECT_EQ(cell.GetBorder(), GridCell::kBorderRaised);

    // Storing again replaces the whole record, not just the properties it sets.
    store.SetCell(1, 1, TextCell("second"));
    GridCell again;
    store.GetCell(1, 1, again);
    EXPECT_EQ(again.GetText(), "second");
    EXPECT_FALSE(again.IsPropertySet(GridCell::kBackColorSet));
}

TEST(GridMemDataSource, HeadingCellsLiveUnderNegativeIndices) {
    GridMemDataSource store;
    store.SetCell(0, 5, TextCell("cell"));
    store.SetCell(-1, 5, TextCell("side"));
    store.SetCell(1, -1, TextCell("top"));
    store.SetCell(-1, -1, TextCell("corner"));
    store.SetCell(1, 5, TextCell("next"));

    // Read in an order that sends the cursor back and forth across the first nodes.
    EXPECT_EQ(Stored(store, 0, 5), "cell");
    EXPECT_EQ(Stored(store, -1, -1), "corner");
    EXPECT_EQ(Stored(store, 1, 5), "next");
    EXPECT_EQ(Stored(store, 1, -1), "top");
    EXPECT_EQ(Stored(store, -1, 5), "side");
    EXPECT_EQ(Stored(store, 0, -1), "-");
    EXPECT_EQ(Stored(store, 0, 5), "cell");
    EXPECT_EQ(store.GetRowNodeCount(), 7);
    EXPECT_EQ(store.GetCellNodeCount(5), 3);
}

TEST(GridMemDataSource, RandomAccessAgreesWithAPlainMap) {
    GridMemDataSource store;
    std::map<std::pair<int, int>, QString> expected;
    // The nodes as setting makes them: one run of rows and, in each row, one run of
    // columns, each reaching from index 0 to every index set. Deleting keeps them.
    std::pair<int, int> rows{0, -1};
    std::map<int, std::pair<int, int>> cols;
    auto hasNode = [&](int col, int row) {
        const auto run = cols.find(row);
        return row >= rows.first && row <= rows.second && run != cols.end() &&
               col >= run->second.first && col <= run->second.second;
    };
    std::mt19937 random(20240611); // fixed random start, so a failure repeats
    std::uniform_int_distribution<int> index(-2, 12);
    std::uniform_int_distribution<int> action(0, 9);
    for (int step = 0; step < 4000; ++step) {
        const int col = index(random);
        const int row = index(random);
        const int what = action(random);
        if (what < 4) {
            const QString text = QString::number(step);
            store.SetCell(col, row, TextCell(text));
            expected[{col, row}] = text;
            rows = {std::min({rows.first, row, 0}), std::max({rows.second, row, 0})};
            const auto run = cols.try_emplace(row, 0, 0).first;
            run->second = {std::min(run->second.first, col), std::max(run->second.second, col)};
        } else if (what < 5) {
            EXPECT_EQ(store.DeleteCell(col, row), hasNode(col, row) ? 0 : 1)
                << "step " << step << " at " << col << "," << row;
            expected.erase({col, row});
        } else {
            const auto found = expected.find({col, row});
            EXPECT_EQ(Stored(store, col, row), found == expected.end() ? "-" : found->second)
                << "step " << step << " at " << col << "," << row;
        }
    }
}

TEST(GridMemDataSource, DeleteCellKeepsTheNode) {
    GridMemDataSource store;
    store.SetCell(2, 1, TextCell("x"));
    EXPECT_EQ(store.DeleteCell(2, 1), 0);
    // Deleting again still finds the node.
    EXPECT_EQ(store.DeleteCell(2, 1), 0);
    EXPECT_EQ(Stored(store, 2, 1), "-");
    // A node that never held a cell is still a node.
    EXPECT_EQ(store.DeleteCell(1, 1), 0);
    EXPECT_EQ(store.DeleteCell(3, 1), 1);
    EXPECT_EQ(store.DeleteCell(0, 2), 1);
}

TEST(GridMemDataSource, DeletingTheOnlyRowEmptiesTheStore) {
    GridMemDataSource store;
    store.SetCell(2, 0, TextCell("only"));
    EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(store.GetRowNodeCount(), 0);
    EXPECT_EQ(Stored(store, 2, 0), "-");

    store.SetCell(1, 3, TextCell("again"));
    EXPECT_EQ(store.GetRowNodeCount(), 4);
    EXPECT_NE(store.GetCellNodeCount(0), -1);
    EXPECT_EQ(Stored(store, 1, 3), "again");
}

TEST(GridMemDataSource, DeleteRowMovesTheRowsAfterItUp) {
    GridMemDataSource store;
    Fill(store, 2, 5);
    EXPECT_EQ(store.DeleteRow(7), 0);
    EXPECT_EQ(store.GetRowNodeCount(), 5);

    EXPECT_EQ(store.DeleteRow(1), 0);
    EXPECT_EQ(store.GetRowNodeCount(), 4);
    EXPECT_EQ(Stored(store, 1, 1), "1,2");
    EXPECT_EQ(Stored(store, 0, 3), "0,4");
    EXPECT_EQ(Stored(store, 0, 0), "0,0");

    // The last row, then the first: the cursor must stay on real rows each time.
    EXPECT_EQ(store.DeleteRow(3), 0);
    EXPECT_EQ(Stored(store, 0, 2), "0,3");
    EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(Stored(store, 0, 0), "0,2");
    EXPECT_EQ(Stored(store, 1, 1), "1,3");
    EXPECT_EQ(store.GetRowNodeCount(), 2);
}

TEST(GridMemDataSource, InsertRowPutsAnEmptyRowBeforeAStoredOne) {
    GridMemDataSource store;
    store.SetCell(0, -1, TextCell("top"));
    Fill(store, 1, 3);
    EXPECT_EQ(store.InsertRow(9), 0);
    EXPECT_EQ(store.GetRowNodeCount(), 4);

    EXPECT_EQ(store.InsertRow(1), 0);
    EXPECT_EQ(Stored(store, 0, 0), "0,0");
    EXPECT_EQ(Stored(store, 0, 1), "-");
    EXPECT_EQ(Stored(store, 0, 2), "0,1");
    EXPECT_EQ(Stored(store, 0, 3), "0,2");
    EXPECT_EQ(Stored(store, 0, -1), "top");

    // Before the first stored row, which starts the list.
    EXPECT_EQ(store.InsertRow(-1), 0);
    EXPECT_EQ(Stored(store, 0, -1), "-");
    EXPECT_EQ(Stored(store, 0, 0), "top");
    EXPECT_EQ(Stored(store, 0, 4), "0,2");
}

TEST(GridMemDataSource, InsertColumnShiftsTheCellsAndTheColumnsFollow) {
    FakeGridHost host(4, 10);
    GridMemDataSource& store = host.m_oStore;
    EXPECT_EQ(store.InsertColumn(1), 1);
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 1, 2, 3}));

    Fill(store, 4, 2);
    store.SetCell(0, 2, TextCell("short")); // a row that ends before column 1
    EXPECT_EQ(store.InsertColumn(1), 0);

    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Stored(store, 0, row), QString("0,%1").arg(row));
        EXPECT_EQ(Stored(store, 1, row), "-");
        EXPECT_EQ(Stored(store, 2, row), QString("1,%1").arg(row));
        EXPECT_EQ(Stored(store, 4, row), QString("3,%1").arg(row));
    }
    EXPECT_EQ(store.GetCellNodeCount(2), 1);
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 2, 3, 4}));
    // So every grid column still shows what it showed.
    GridCell cell;
    host.GetCell(1, 0, cell);
    EXPECT_EQ(cell.GetText(), "1,0");
}

TEST(GridMemDataSource, InsertColumnStartsAtTheGridColumnThatShowsIt) {
    FakeGridHost host(3, 10);
    host.Column(1).m_nDataSourceCol = 2;
    host.Column(2).m_nDataSourceCol = 1;
    Fill(host.m_oStore, 3, 1);
    EXPECT_EQ(host.m_oStore.InsertColumn(1), 0);
    // Grid column 2 holds data-source column 1, so the new column goes in at 2.
    EXPECT_EQ(Stored(host.m_oStore, 1, 0), "1,0");
    EXPECT_EQ(Stored(host.m_oStore, 2, 0), "-");
    EXPECT_EQ(Stored(host.m_oStore, 3, 0), "2,0");
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 3, 1}));
}

TEST(GridMemDataSource, ColumnsOfAnotherSourceKeepTheirNumbers) {
    FakeGridHost host(3, 10);
    GridMemDataSource other;
    host.Column(2).m_pDataSource = &other;
    Fill(host.m_oStore, 3, 1);
    host.m_oStore.InsertColumn(0);
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{1, 2, 2}));
    host.m_oStore.DeleteColumn(0);
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 1, 2}));
}

TEST(GridMemDataSource, DeleteColumnShiftsTheCellsAndTheColumnsFollow) {
    FakeGridHost host(4, 10);
    GridMemDataSource& store = host.m_oStore;
    Fill(store, 4, 2);
    store.SetCell(0, 2, TextCell("short"));

    EXPECT_EQ(store.DeleteColumn(1), 0);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Stored(store, 0, row), QString("0,%1").arg(row));
        EXPECT_EQ(Stored(store, 1, row), QString("2,%1").arg(row));
        EXPECT_EQ(Stored(store, 2, row), QString("3,%1").arg(row));
        EXPECT_EQ(Stored(store, 3, row), "-");
    }
    EXPECT_EQ(Stored(store, 0, 2), "short");
    // The grid column that showed the deleted column now shows the one before it.
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 0, 1, 2}));

    // The last node of a row only loses its cell.
    const int nodes = store.GetCellNodeCount(0);
    EXPECT_EQ(store.DeleteColumn(nodes - 1), 0);
    EXPECT_EQ(store.GetCellNodeCount(0), nodes);
    EXPECT_EQ(Stored(store, nodes - 1, 0), "-");
}

TEST(GridMemDataSource, DeletingColumnZeroNeverPointsAColumnAtTheHeadings) {
    FakeGridHost host(2, 10);
    Fill(host.m_oStore, 2, 1);
    host.m_oStore.SetCell(-1, 0, TextCell(" 1"));
    host.m_oStore.DeleteColumn(0);
    EXPECT_EQ(DataSourceCols(host), (std::vector<int>{0, 0}));
    EXPECT_EQ(Stored(host.m_oStore, 0, 0), "1,0");
    EXPECT_EQ(Stored(host.m_oStore, -1, 0), " 1");
}

TEST(GridMemDataSource, PreviousNonEmptyCellLooksLeftToColumnZero) {
    GridMemDataSource store;
    store.SetCell(-1, 0, TextCell("heading"));
    store.SetCell(0, 0, TextCell("a"));
    store.SetCell(2, 0, TextCell("b"));
    store.SetCell(3, 0, TextCell(""));
    store.SetCell(5, 0, GridCell()); // a cell without text
    store.SetCell(1, 1, TextCell("c"));

    const struct {
        int from, row, answer, col;
    } cases[] = {{6, 0, 0, 2},  {5, 0, 0, 2}, {2, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0},
                 {40, 0, 0, 2}, {1, 1, 1, 1}, {3, 1, 0, 1}, {3, 7, 1, 3}, {-1, 0, 1, -1}};
    for (const auto& c : cases) {
        int col = c.from;
        EXPECT_EQ(store.GetPrevNonEmptyCell(col, c.row), c.answer) << c.from << "," << c.row;
        EXPECT_EQ(col, c.col) << c.from << "," << c.row;
    }
}

TEST(GridMemDataSource, DeleteAllFreesEverythingAndSucceeds) {
    GridMemDataSource store;
    Fill(store, 3, 3);
    store.SetCell(-1, -1, TextCell("corner"));
    EXPECT_EQ(store.DeleteAll(), 0);
    EXPECT_EQ(store.GetRowNodeCount(), 0);
    EXPECT_EQ(Stored(store, 0, 0), "-");
    EXPECT_EQ(store.InsertColumn(0), 1);
    store.SetCell(0, 0, TextCell("new"));
    EXPECT_EQ(Stored(store, 0, 0), "new");
    EXPECT_EQ(store.GetRowNodeCount(), 1);
}

namespace {
// Column 0 of rows 0..n-1 holds the texts given; "" leaves the row without a cell.
void FillColumn(GridMemDataSource& store, const std::vector<QString>& texts) {
    for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
        if (!texts[static_cast<std::size_t>(row)].isEmpty()) {
            store.SetCell(0, row, TextCell(texts[static_cast<std::size_t>(row)]));
        }
        store.SetCell(1, row, TextCell(QString::number(row)));
    }
}

std::vector<QString> Column(GridMemDataSource& store, int col, int rows) {
    std::vector<QString> texts;
    for (int row = 0; row < rows; ++row) {
        texts.push_back(Stored(store, col, row));
    }
    return texts;
}
} // namespace

TEST(GridMemDataSource, SortingMovesWholeRowsByTheGridsComparison) {
    FakeGridHost host(2, 10);
    FillColumn(host.m_oStore, {"b", "", "a", "c", "a"});
    host.m_oStore.SetCell(0, -1, TextCell("heading"));

    ASSERT_EQ(host.m_oStore.SortByColumn(0, 0), 0);
    // Missing cells first; equal keys keep their order; the rest of a row travels
    // with its key; the heading row stays.
    EXPECT_EQ(Column(host.m_oStore, 0, 5), (std::vector<QString>{"-", "a", "a", "b", "c"}));
    EXPECT_EQ(Column(host.m_oStore, 1, 5), (std::vector<QString>{"1", "2", "4", "0", "3"}));
    EXPECT_EQ(Stored(host.m_oStore, 0, -1), "heading");

    ASSERT_EQ(host.m_oStore.SortByColumn(0, 2), 0);
    EXPECT_EQ(Column(host.m_oStore, 0, 5), (std::vector<QString>{"c", "b", "a", "a", "-"}));
    EXPECT_EQ(Column(host.m_oStore, 1, 5), (std::vector<QString>{"3", "0", "2", "4", "1"}));
}

TEST(GridMemDataSource, SortingByTwoColumnsUsesTheSecondForTies) {
    FakeGridHost host(3, 10);
    GridMemDataSource& store = host.m_oStore;
    const char* rows[][2] = {{"x", "2"}, {"y", "1"}, {"x", "1"}, {"y", "0"}};
    for (int row = 0; row < 4; ++row) {
        store.SetCell(0, row, TextCell(rows[row][0]));
        store.SetCell(1, row, TextCell(rows[row][1]));
    }
    const int keys[] = {0, 1};
    ASSERT_EQ(store.SortByColumns(keys, 2, 0), 0);
    EXPECT_EQ(Column(store, 0, 4), (std::vector<QString>{"x", "x", "y", "y"}));
    EXPECT_EQ(Column(store, 1, 4), (std::vector<QString>{"1", "2", "0", "1"}));
    // The cursor was reset, so writing after the sort lands where it should.
    store.SetCell(2, 3, TextCell("z"));
    EXPECT_EQ(Stored(store, 2, 3), "z");
    EXPECT_EQ(Stored(store, 1, 3), "1");
}

TEST(GridMemDataSource, SortingWithoutAGridChangesNothing) {
    GridMemDataSource store;
    Fill(store, 1, 3);
    EXPECT_EQ(store.SortByColumn(0, 2), 1);
    EXPECT_EQ(Stored(store, 0, 0), "0,0");
}

namespace {

// Counts the comparisons a sort asks for.
class CountingHost : public FakeGridHost {
public:
    using FakeGridHost::FakeGridHost;
    int OnSortCompare(const GridCell* a, const GridCell* b, int flags) override {
        ++m_nCompares;
        return m_bAlwaysAbove ? 1 : FakeGridHost::OnSortCompare(a, b, flags);
    }
    int m_nCompares = 0;
    bool m_bAlwaysAbove = false;
};

// Rows of key texts ("" for no cell), sorted by swapping neighbours while the upper
// compares above the lower, pass after pass until a pass swaps nothing: the order
// a sort must end in. Answers the original row numbers in their new order.
std::vector<int> SwappedOrder(GridHost& host, const std::vector<std::vector<QString>>& rows,
                              int flags) {
    std::vector<std::vector<GridCell>> cells(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const QString& text : rows[i]) {
            cells[i].push_back(TextCell(text));
        }
    }
    std::vector<int> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    auto key = [&](int row, std::size_t k) -> const GridCell* {
        return rows[static_cast<std::size_t>(row)][k].isEmpty()
                   ? nullptr
                   : &cells[static_cast<std::size_t>(row)][k];
    };
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            for (std::size_t k = 0; k < rows[0].size(); ++k) {
                const int result =
                    host.OnSortCompare(key(order[i], k), key(order[i + 1], k), flags);
                if (result > 0) {
                    std::swap(order[i], order[i + 1]);
                    swapped = true;
                }
                if (result != 0) {
                    break;
                }
            }
        }
    }
    return order;
}

} // namespace

TEST(GridMemDataSource, SortingEndsInTheOrderOfSwappingNeighbours) {
    std::mt19937 random(12345);
    const QString values[] = {"", "a", "b", "c", "ab"};
    for (int round = 0; round < 20; ++round) {
        const int count = 1 + static_cast<int>(random() % 120);
        std::vector<std::vector<QString>> rows;
        for (int row = 0; row < count; ++row) {
            rows.push_back({values[random() % 5], values[random() % 5]});
        }
        for (const int flags : {0, 2}) {
            FakeGridHost host(3, count);
            for (int row = 0; row < count; ++row) {
                for (int k = 0; k < 2; ++k) {
                    const QString& text =
                        rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)];
                    if (!text.isEmpty()) {
                        host.m_oStore.SetCell(k, row, TextCell(text));
                    }
                }
                host.m_oStore.SetCell(2, row, TextCell(QString::number(row)));
            }
            const int keys[] = {0, 1};
            ASSERT_EQ(host.m_oStore.SortByColumns(keys, 2, flags), 0);
            std::vector<int> sorted;
            for (int row = 0; row < count; ++row) {
                sorted.push_back(Stored(host.m_oStore, 2, row).toInt());
            }
            EXPECT_EQ(sorted, SwappedOrder(host, rows, flags))
                << "round " << round << " flags " << flags;
        }
    }
}

TEST(GridMemDataSource, RowsInOrderOrInReverseOrderCostOnePass) {
    for (const bool reverse : {false, true}) {
        CountingHost host(2, 1000);
        for (int row = 0; row < 1000; ++row) {
            const int value = reverse ? 999 - row : row;
            host.m_oStore.SetCell(0, row, TextCell(QString("%1").arg(value, 4, 10, QChar('0'))));
        }
        ASSERT_EQ(host.m_oStore.SortByColumn(0, 0), 0);
        EXPECT_EQ(host.m_nCompares, 999) << reverse;
        EXPECT_EQ(Stored(host.m_oStore, 0, 0), "0000");
        EXPECT_EQ(Stored(host.m_oStore, 0, 999), "0999");
    }
    // Equal rows in order are no reverse run: they stay as they are.
    CountingHost host(2, 4);
    for (int row = 0; row < 4; ++row) {
        host.m_oStore.SetCell(0, row, TextCell("same"));
        host.m_oStore.SetCell(1, row, TextCell(QString::number(row)));
    }
    host.m_oStore.SortByColumn(0, 2);
    EXPECT_EQ(host.m_nCompares, 3);
    EXPECT_EQ(Column(host.m_oStore, 1, 4), (std::vector<QString>{"0", "1", "2", "3"}));
}

TEST(GridMemDataSource, AComparisonThatAlwaysSwapsStillEndsAndKeepsEveryRow) {
    // Passes of swaps would never end on it.
    CountingHost host(1, 50);
    host.m_bAlwaysAbove = true;
    Fill(host.m_oStore, 1, 50);
    ASSERT_EQ(host.m_oStore.SortByColumn(0, 0), 0);
    std::vector<QString> texts = Column(host.m_oStore, 0, 50);
    std::sort(texts.begin(), texts.end());
    std::vector<QString> expected;
    for (int row = 0; row < 50; ++row) {
        expected.push_back(QString("0,%1").arg(row));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(texts, expected);
}
