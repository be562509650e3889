// What a user waits for when searching and sorting a large sheet, from the press of
// the button to the painted view: Find Next down a column of 100,000 rows (the
// search goes from row 10 to row 99,990 or back, so it visits every row but
// twenty), the same along the rows across four columns, and the store's search
// alone; Replace All down a column where every cell matches; and sorting 10,000 rows by one column,
// of texts or numbers, in random order, already in order and in reverse order. Runs on the
// offscreen platform with Qt's update pacing off, like bench_grid_ctrl.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include <QAbstractButton>
#include <QApplication>

#include "GuiBenchMain.h"
#include "grid/FindReplaceDialog.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridFind.h"
#include "grid/GridMemDataSource.h"

#include "PaintCounter.h"

namespace {

constexpr int kColumns = 4;
constexpr int kSearchRows = 100'000;
constexpr int kNearRow = 10;
constexpr int kFarRow = kSearchRows - 10;
constexpr int kSortRows = 10'000;

// A grid that counts its messages instead of showing them.
class QuietGrid : public GridCtrl {
public:
    void ShowMessage(const QString&, const QString&) override { ++m_nMessages; }
    int m_nMessages = 0;
};

// A grid window of four columns whose every cell holds a text of some length.
class SheetWindow {
public:
    explicit SheetWindow(int rows) {
        m_oGrid.CreateGrid(true, QRect(0, 0, 420, 340), nullptr, 1);
        m_oGrid.SetColumnCount(kColumns);
        m_oGrid.SetRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < kColumns; ++col) {
                m_oGrid.SetCellText(col, row, QStringLiteral("Row %1 value %2").arg(row).arg(col));
            }
        }
        m_oGrid.GetArea()->setFocus();
        QApplication::processEvents();
    }
    QuietGrid m_oGrid;
};

QAbstractButton* Button(FindReplaceDialog* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// Find Next between rows 10 and 99,990 of column 2 (or along the rows), down and
// up by turns, each press painted. range(0): 0 match anywhere without case, 1 the
// whole cell, 2 anywhere with case.
void FindNext(benchmark::State& state, bool across) {
    SheetWindow window(kSearchRows);
    QuietGrid& grid = window.m_oGrid;
    grid.SetCellText(2, kNearRow, QStringLiteral("A Needle here"));
    grid.SetCellText(2, kFarRow, QStringLiteral("A Needle here"));
    grid.SetFindAcross(across ? 1 : 0);
    grid.GotoCell(2, kNearRow);
    grid.FindDialog();
    auto* dialog = grid.findChild<FindReplaceDialog*>(QString(), Qt::FindDirectChildrenOnly);
    const int mode = static_cast<int>(state.range(0));
    dialog->SetFindText(mode == 1 ? QStringLiteral("a needle here") : QStringLiteral("Needle"));
    dialog->SetWholeText(mode == 1);
    dialog->SetMatchCase(mode == 2);
    QAbstractButton* findNext = Button(dialog, QStringLiteral("&Find Next"));
    PaintCounter paints(grid.GetArea());
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        dialog->SetSearchDown(grid.GetCurrentRow() == kNearRow);
        state.ResumeTiming();
        findNext->click();
        WaitForPaint(paints);
    }
    if (grid.m_nMessages > 0 || grid.GetCurrentColumn() != 2) {
        state.SkipWithError("the search went wrong");
    }
    state.SetItemsProcessed(state.iterations() * (kFarRow - kNearRow));
}

void BM_FindNextDownA100000RowColumn(benchmark::State& state) {
    FindNext(state, false);
}

void BM_FindNextAlong100000RowsOf4Columns(benchmark::State& state) {
    FindNext(state, true);
}

// Replace All down a column of 100,000 rows in which every cell matches, painted;
// by turns "value" becomes "worth" and back.
void BM_ReplaceAllDownA100000RowColumn(benchmark::State& state) {
    SheetWindow window(kSearchRows);
    QuietGrid& grid = window.m_oGrid;
    grid.GotoCell(2, kNearRow);
    grid.ReplaceDialog();
    auto* dialog = grid.findChild<FindReplaceDialog*>(QString(), Qt::FindDirectChildrenOnly);
    QAbstractButton* replaceAll = Button(dialog, QStringLiteral("Replace &All"));
    PaintCounter paints(grid.GetArea());
    QApplication::processEvents();
    bool forth = true;
    for (auto _ : state) {
        state.PauseTiming();
        dialog->SetFindText(forth ? QStringLiteral("value") : QStringLiteral("worth"));
        dialog->SetReplaceText(forth ? QStringLiteral("worth") : QStringLiteral("value"));
        forth = !forth;
        state.ResumeTiming();
        replaceAll->click();
        WaitForPaint(paints);
    }
    if (grid.m_nMessages > 0 || !grid.GetCellText(2, 500).contains(forth ? "value" : "worth")) {
        state.SkipWithError("the replacement went wrong");
    }
    state.SetItemsProcessed(state.iterations() * kSearchRows);
}

// The store's search alone, over the same column.
void BM_StoreFindNextDownA100000RowColumn(benchmark::State& state) {
    SheetWindow window(kSearchRows);
    QuietGrid& grid = window.m_oGrid;
    grid.SetCellText(2, kNearRow, QStringLiteral("A Needle here"));
    grid.SetCellText(2, kFarRow, QStringLiteral("A Needle here"));
    GridDataSource& store = *grid.GetDefaultDataSource();
    int col = 2;
    int row = kNearRow;
    for (auto _ : state) {
        const int flags = GridFind::kAnywhere | GridFind::kIgnoreCase |
                          (row == kNearRow ? 0 : GridFind::kBackwards);
        benchmark::DoNotOptimize(store.FindNext(QStringLiteral("needle"), col, row, flags));
    }
    state.SetItemsProcessed(state.iterations() * (kFarRow - kNearRow));
}

// Sorting 10,000 rows by column 1, painted. range(0): 0 random order, 1 already in
// order, 2 in reverse order; range(1): 0 texts, 1 numbers (data type 2).
void BM_SortBy10000Rows(benchmark::State& state) {
    const int order = static_cast<int>(state.range(0));
    const bool numbers = state.range(1) != 0;
    SheetWindow window(kSortRows);
    QuietGrid& grid = window.m_oGrid;
    std::vector<int> keys(kSortRows);
    for (int i = 0; i < kSortRows; ++i) {
        keys[static_cast<std::size_t>(i)] = order == 2 ? kSortRows - i : i;
    }
    std::mt19937 random(7);
    auto fill = [&] {
        if (order == 0) {
            std::shuffle(keys.begin(), keys.end(), random);
        }
        GridCell cell;
        for (int row = 0; row < kSortRows; ++row) {
            const int key = keys[static_cast<std::size_t>(row)];
            cell.ClearAll();
            // Numbers of different lengths, so that texts and numbers sort apart.
            cell.SetText(numbers ? QString::number(key * 37 % 100'003 * 0.25)
                                 : QStringLiteral("Item %1").arg(key, 5, 10, QChar('0')));
            if (numbers) {
                cell.SetDataType(GridCell::kDataNumber);
            }
            grid.SetCell(1, row, cell);
        }
    };
    if (order != 0) {
        fill();
        if (numbers && order == 1) {
            // The numbers above are not in order of their keys: put them in order once.
            grid.SortBy(1, 0);
        }
        if (numbers && order == 2) {
            grid.SortBy(1, 2);
        }
    }
    PaintCounter paints(grid.GetArea());
    for (auto _ : state) {
        if (order != 1) {
            state.PauseTiming();
            if (order == 0) {
                fill();
            } else {
                grid.SortBy(1, 2);
            }
            WaitForPaint(paints);
            state.ResumeTiming();
        }
        grid.SortBy(1, 0);
        WaitForPaint(paints);
    }
    state.SetItemsProcessed(state.iterations() * kSortRows);
}

} // namespace

BENCHMARK(BM_FindNextDownA100000RowColumn)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNextAlong100000RowsOf4Columns)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreFindNextDownA100000RowColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllDownA100000RowColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBy10000Rows)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
