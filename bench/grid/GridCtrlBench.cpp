// What a user of the grid waits for on a large sheet: a full repaint of a view of
// about 40 by 15 cells on a sheet of 1,000 columns by 100,000 rows, a Page Down
// (and Page Up) that scrolls it, painting included, setting the row count to
// 100,000 and back, dragging the vertical thumb across all the rows, and opening
// and closing the in-place editor and a drop list. Runs on the offscreen platform,
// so the figures include Qt's own painting into the window's backing store but no
// display server. Qt paces window updates with a timer (5 ms by default); the
// benchmark sets it to 0 and waits for the paint itself, so that it measures the
// work and not the pacing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include "GuiBenchMain.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridDropList.h"
#include "grid/GridEdit.h"
#include "grid/GridScrollBar.h"

#include "PaintCounter.h"

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
    state.counters["cols"] = big.m_oGrid.Axis(Qt::Horizontal).LastVisible() - kLeftColumn + 1;
    state.counters["rows"] = big.m_oGrid.Axis(Qt::Vertical).LastVisible() - kTopRow + 1;
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

// A grid every cell of which shows a text, without a store holding 100 million
// of them: the texts are made as the cells are fetched, as an owner showing data
// of its own would.
class TextEverywhereGrid : public GridCtrl {
public:
    void OnFetchCell(int col, int row, GridCell& cell) override {
        if (!cell.IsPropertySet(GridCell::kTextSet)) {
            cell.SetText(QString::number(row * 7 + col));
        }
    }
};

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& point, Qt::MouseButtons buttons) {
    QMouseEvent event(type, point, widget->mapToGlobal(point),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The thumb dragged with the mouse from the top of the bar to the bottom and back,
// a pixel per step, every cell holding a text; the view follows it (scroll mode
// 1). Each step moves the view by some 300 rows, so the cell area and the side
// heading are painted afresh. The counters say how many paints of the cell area
// each step cost (one) and how many steps a drag across took.
void BM_DragTheThumbAcross100000Rows(benchmark::State& state) {
    TextEverywhereGrid grid;
    grid.CreateGrid(true, QRect(0, 0, 40 + 40 * kColumnWidth + 17, 20 + 15 * 20 + 17), nullptr, 1);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(kRows);
    for (int col = 0; col < kColumns; ++col) {
        grid.SetColumnWidth(col, kColumnWidth);
    }
    grid.SetVScrollMode(1);
    for (int row = 0; row < 15; ++row) {
        grid.SetCellText(-1, row, QString::number(row + 1));
    }
    grid.GetArea()->setFocus();
    QApplication::processEvents();
    PaintCounter paints(grid.GetArea());
    GridScrollBar* bar = nullptr;
    for (GridScrollBar* child : grid.findChildren<GridScrollBar*>(Qt::FindDirectChildrenOnly)) {
        if (child->orientation() == Qt::Vertical) {
            bar = child;
        }
    }
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    option.subControls = QStyle::SC_All;
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarSlider, bar);
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarGroove, bar);
    const int x = thumb.center().x();
    const int top = thumb.center().y();
    const int bottom = groove.bottom() - thumb.height() / 2;
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(x, top), Qt::LeftButton);
    int y = top;
    int direction = 1;
    long steps = 0;
    const int paintsBefore = paints.m_nPaints;
    for (auto _ : state) {
        if (y + direction > bottom || y + direction < top) {
            direction = -direction;
        }
        y += direction;
        SendMouse(bar, QEvent::MouseMove, QPoint(x, y), Qt::LeftButton);
        WaitForPaint(paints);
        ++steps;
    }
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(x, y), Qt::NoButton);
    state.counters["paints_per_step"] =
        steps > 0 ? double(paints.m_nPaints - paintsBefore) / double(steps) : 0;
    state.counters["steps_across"] = bottom - top;
    state.counters["top_row_at_end"] = grid.GetTopRow();
}

void Key(QWidget* widget, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// Opening the editor on a cell in the middle of the large sheet and closing it,
// each with the paint it causes: with Esc (nothing stored), or after typing a
// character that replaces the text, with Enter (the text stored and its cell
// repainted).
void EditAndClose(benchmark::State& state, bool store) {
    BigGrid big;
    GridCtrl& grid = big.m_oGrid;
    PaintCounter areaPaints(grid.GetArea());
    auto* editor = grid.findChild<GridEdit*>();
    PaintCounter editorPaints(editor->viewport());
    const int col = kLeftColumn + 3;
    const int row = kTopRow + 4;
    for (auto _ : state) {
        grid.StartEdit(col, row, 0);
        WaitForPaint(editorPaints);
        if (store) {
            Key(editor, Qt::Key_7, QStringLiteral("7"));
            WaitForPaint(editorPaints);
            Key(editor, Qt::Key_Return);
        } else {
            Key(editor, Qt::Key_Escape);
        }
        WaitForPaint(areaPaints);
    }
    if (grid.IsEditing()) {
        state.SkipWithError("the editor stayed open");
    }
}

void BM_OpenTheEditorAndCancel(benchmark::State& state) {
    EditAndClose(state, false);
}

void BM_OpenTheEditorTypeAndStore(benchmark::State& state) {
    EditAndClose(state, true);
}

// Dropping a list of 20 items under a cell with Ctrl+Down and closing it with Esc.
void BM_DropAListAndCloseIt(benchmark::State& state) {
    BigGrid big;
    GridCtrl& grid = big.m_oGrid;
    const int col = kLeftColumn + 3;
    const int row = kTopRow + 2;
    GridCell cell;
    cell.SetCellType(1);
    QString label;
    for (int i = 1; i <= 20; ++i) {
        label += QStringLiteral("Choice %1\n").arg(i);
    }
    cell.SetLabel(label);
    cell.SetText(QStringLiteral("Choice 3"));
    grid.SetCell(col, row, cell);
    grid.GotoCell(col, row);
    PaintCounter areaPaints(grid.GetArea());
    PaintCounter listPaints(grid.GetDropList()->viewport());
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::ControlModifier);
        QApplication::sendEvent(grid.GetArea(), &press);
        WaitForPaint(listPaints);
        Key(grid.GetDropList(), Qt::Key_Escape);
        WaitForPaint(areaPaints);
    }
    if (grid.GetDropList()->IsOpen()) {
        state.SkipWithError("the list stayed open");
    }
}

} // namespace

BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownFromTheTopRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownFromTheLastRowShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetRowCountTo100000AndBackPaintingEach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetRowCountTo100000AndBackInOneGo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragTheThumbAcross100000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTheEditorAndCancel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTheEditorTypeAndStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropAListAndCloseIt)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
