// What a user of the grid waits for on a large sheet: a full repaint of a view of
// about 40 by 15 cells on a sheet of 1,000 columns by 100,000 rows, a Page Down
// (and Page Up) that scrolls it, painting included, and setting the row count to
// 100,000 and back. Runs on the offscreen platform, so the figures include Qt's
// own painting into the window's backing store but no display server. Qt paces
// window updates with a timer (5 ms by default); the benchmark sets it to 0 and
// waits for the paint itself, so that it measures the work and not the pacing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "grid/GridArea.h"
#include "grid/GridCtrl.h"

namespace {

constexpr int kColumns = 1000;
constexpr int kRows = 100'000;
constexpr int kColumnWidth = 30;
// The view starts in the middle of the sheet; the cells around it, over as many
// rows as the Page Downs reach, hold texts.
constexpr int kTopRow = 50'000;
constexpr int kLeftColumn = 480;
constexpr int kFilledRows = 300;
constexpr int kFilledColumns = 44;

// A grid window showing 40 columns of 30 pixels and 15 rows of 20.
class BigGrid {
public:
    BigGrid() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 40 + 40 * kColumnWidth + 17, 20 + 15 * 20 + 17),
                           nullptr, 1);
        m_oGrid.SetColumnCount(kColumns);
        m_oGrid.SetRowCount(kRows);
        for (int col = 0; col < kColumns; ++col) {
            m_oGrid.SetColumnWidth(col, kColumnWidth);
        }
        for (int row = kTopRow; row < kTopRow + kFilledRows; ++row) {
            for (int col = kLeftColumn; col < kLeftColumn + kFilledColumns; ++col) {
                m_oGrid.SetCellText(col, row, QString::number(row * 7 + col));
            }
        }
        m_oGrid.GotoCell(kLeftColumn, kTopRow);
        m_oGrid.SetLeftColumn(kLeftColumn);
        m_oGrid.SetTopRow(kTopRow);
        m_oGrid.GetArea()->setFocus();
        QApplication::processEvents();
    }

    GridCtrl m_oGrid;
};

// Counts the paints of the cell area.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return false;
    }
    int m_nPaints = 0;
};

// Runs the event loop until the cell area has been painted once more.
void WaitForPaint(PaintCounter& counter) {
    const int before = counter.m_nPaints;
    for (int turn = 0; turn < 100000 && counter.m_nPaints == before; ++turn) {
        QApplication::processEvents();
    }
}

void Press(QWidget* widget, Qt::Key key, PaintCounter& counter) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    WaitForPaint(counter);
}

void BM_FullRepaint(benchmark::State& state) {
    BigGrid big;
    GridArea* area = big.m_oGrid.GetArea();
    for (auto _ : state) {
        area->repaint();
    }
    state.counters["cols"] = big.m_oGrid.Sheet().m_nLastVisibleCol - kLeftColumn + 1;
    state.counters["rows"] = big.m_oGrid.Sheet().m_nLastVisibleRow - kTopRow + 1;
}

// One Page Down per iteration, painting included. From the top row of the view the
// current cell goes to the last row shown and the view scrolls one row; from the
// last row shown it goes a page on and the view scrolls a whole page. When the
// filled rows run out the view goes back, untimed.
void PageDown(benchmark::State& state, bool fromBottom) {
    BigGrid big;
    GridCtrl& grid = big.m_oGrid;
    GridArea* area = grid.GetArea();
    PaintCounter paints(area);
    auto start = [&] {
        grid.SetTopRow(kTopRow);
        grid.GotoCell(kLeftColumn, fromBottom ? kTopRow + 14 : kTopRow);
        WaitForPaint(paints);
    };
    start();
    const int topBefore = grid.GetTopRow();
    Press(area, Qt::Key_PageDown, paints);
    state.counters["rows_scrolled"] = grid.GetTopRow() - topBefore;
    start();
    for (auto _ : state) {
        if (grid.GetCurrentRow() + 15 >= kTopRow + kFilledRows) {
            state.PauseTiming();
            start();
            state.ResumeTiming();
        } else if (!fromBottom) {
            // Back to the top row of the view, which does not scroll.
            state.PauseTiming();
            grid.GotoCell(kLeftColumn, grid.GetTopRow());
            WaitForPaint(paints);
            state.ResumeTiming();
        }
        Press(area, Qt::Key_PageDown, paints);
    }
}

void BM_PageDownFromTheTopRow(benchmark::State& state) {
    PageDown(state, false);
}

void BM_PageDownFromTheLastRowShown(benchmark::State& state) {
    PageDown(state, true);
}

// From a sheet of 40 rows with their own heights to 100,000 rows (which makes the
// heights uniform) and back to 40: each call with the repaint it causes, and both
// calls in one go with one repaint, as a handler that does both would.
void SetRowCounts(benchmark::State& state, bool paintBetween) {
    BigGrid big;
    PaintCounter paints(big.m_oGrid.GetArea());
    // The rows the view shows once the count is 40 hold texts too.
    for (int row = 0; row < 40; ++row) {
        for (int col = kLeftColumn; col < kLeftColumn + kFilledColumns; ++col) {
            big.m_oGrid.SetCellText(col, row, QString::number(row * 7 + col));
        }
    }
    big.m_oGrid.SetRowCount(40);
    for (auto _ : state) {
        state.PauseTiming();
        big.m_oGrid.SetUniformRowHeight(0);
        WaitForPaint(paints);
        state.ResumeTiming();
        big.m_oGrid.SetRowCount(kRows);
        if (paintBetween) {
            WaitForPaint(paints);
        }
        big.m_oGrid.SetRowCount(40);
        WaitForPaint(paints);
    }
}

void BM_SetRowCountTo100000AndBackPaintingEach(benchmark::State& state) {
    SetRowCounts(state, true);
}

void BM_SetRowCountTo100000AndBackInOneGo(benchmark::State& state) {
    SetRowCounts(state, false);
}

} // namespace

BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownFromTheTopRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownFromTheLastRowShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetRowCountTo100000AndBackPaintingEach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetRowCountTo100000AndBackInOneGo)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
