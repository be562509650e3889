#include <gtest/gtest.h>

#include <initializer_list>

#include <QFontMetrics>
#include <QPen>
#include <QPixmap>

#include "CellTypeTestSupport.h"
#include "FakeGridHost.h"
#include "grid/ArrowCellType.h"
#include "grid/CheckBoxCellType.h"
#include "grid/DropListCellType.h"
#include "grid/NormalCellType.h"

namespace {

using P = DistinctPalette;
const QColor kGridLine(220, 220, 220);

// Cell types attached to a fake grid with the usual numbers, in a palette where
// every colour can be told apart.
class CellTypeDraw : public ::testing::Test {
protected:
    CellTypeDraw() {
        m_oNormal.Attach(&m_oHost, 0);
        m_oDropList.Attach(&m_oHost, 1);
        m_oCheckBox.Attach(&m_oHost, 2);
        m_oArrow.Attach(&m_oHost, 3);
    }

    static GridCell Text(const QString& text) {
        GridCell cell;
        cell.SetText(text);
        return cell;
    }

    // Ink (anything but the window colour) per pixel column of `area`.
    static std::vector<int> InkPerColumn(const QImage& image, const QRect& area,
                                         const QColor& ink) {
        std::vector<int> counts;
        for (int x = area.left(); x <= area.right(); ++x) {
            counts.push_back(CountColor(image, QRect(x, area.top(), 1, area.height()), ink));
        }
        return counts;
    }

    FakeGridHost m_oHost{3, 4};
    NormalCellType m_oNormal;
    DropListCellType m_oDropList;
    CheckBoxCellType m_oCheckBox;
    ArrowCellType m_oArrow;
};

} // namespace

TEST_F(CellTypeDraw, PlainCellHasItsBackgroundAndGridLinesAtRightAndBottom) {
    GridCell cell;
    const QImage image = PaintCell(m_oNormal, cell, {60, 20});
    KeepImage(image, "plain");
    EXPECT_EQ(Pixel(image, 0, 0), P::kWindow);
    EXPECT_EQ(Pixel(image, 58, 18), P::kWindow);
    EXPECT_EQ(Pixel(image, 59, 0), kGridLine);
    EXPECT_EQ(Pixel(image, 59, 19), kGridLine);
    EXPECT_EQ(Pixel(image, 0, 19), kGridLine);
    EXPECT_EQ(CountColor(image, image.rect(), kUntouched), 0);

    cell.SetBackColor(QColor(255, 255, 200));
    const QImage yellow = PaintCell(m_oNormal, cell, {60, 20});
    EXPECT_EQ(Pixel(yellow, 10, 10), QColor(255, 255, 200));

    m_oHost.m_bGridLines = false;
    const QImage bare = PaintCell(m_oNormal, cell, {60, 20});
    EXPECT_EQ(Pixel(bare, 59, 19), QColor(255, 255, 200));
}

TEST_F(CellTypeDraw, RaisedFrameIsOnePixelWideAndReplacesTheGridLines) {
    GridCell cell;
    cell.SetBorder(GridCell::kBorderRaised);
    const QImage image = PaintCell(m_oNormal, cell, {60, 20});
    KeepImage(image, "raised");
    EXPECT_EQ(Pixel(image, 0, 0), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, 0, 10), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, 30, 0), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, 59, 10), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 30, 19), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 59, 19), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 1, 1), P::kWindow);
    EXPECT_EQ(Pixel(image, 58, 18), P::kWindow);
    EXPECT_EQ(CountColor(image, image.rect(), kGridLine), 0);
}

TEST_F(CellTypeDraw, SunkenFrameTakesTheSheetsFrameWidth) {
    m_oHost.m_nFrameWidth = 2;
    GridCell cell;
    cell.SetBorder(GridCell::kBorderSunken);
    const QImage image = PaintCell(m_oNormal, cell, {60, 20});
    EXPECT_EQ(Pixel(image, 0, 5), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 1, 5), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 5, 1), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, 58, 5), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, 5, 18), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, 2, 2), P::kWindow);
    EXPECT_EQ(Pixel(image, 57, 17), P::kWindow);
}

TEST_F(CellTypeDraw, LineBordersHaveTheirWidthsAndPenAndGridLinesFillTheRest) {
    const QPen pen(Qt::blue);
    GridCell cell;
    cell.SetBorder(GridCell::kBorderThickLeft | GridCell::kBorderMediumTop |
                   GridCell::kBorderThinRight);
    cell.SetBorderPen(pen);
    const QImage image = PaintCell(m_oNormal, cell, {60, 20});
    KeepImage(image, "lines");
    const QColor blue(Qt::blue);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(Pixel(image, x, 10), blue) << x;
    }
    EXPECT_EQ(Pixel(image, 3, 10), P::kWindow);
    EXPECT_EQ(Pixel(image, 30, 0), blue);
    EXPECT_EQ(Pixel(image, 30, 1), blue);
    EXPECT_EQ(Pixel(image, 30, 2), P::kWindow);
    EXPECT_EQ(Pixel(image, 59, 10), blue);
    EXPECT_EQ(Pixel(image, 58, 10), P::kWindow);
    // No line of its own at the bottom: the grid line is drawn there.
    EXPECT_EQ(Pixel(image, 30, 19), kGridLine);

    // Without a pen of its own the lines take the grid-line pen.
    GridCell plain;
    plain.SetBorder(GridCell::kBorderThinLeft);
    const QImage grey = PaintCell(m_oNormal, plain, {60, 20});
    EXPECT_EQ(Pixel(grey, 0, 10), kGridLine);
}

TEST_F(CellTypeDraw, SelectedAndHighlightedCurrentCellsUseTheHighlightColours) {
    GridCell cell = Text("HH");
    const QImage selected = PaintCell(m_oNormal, cell, {60, 20}, 1, 0);
    KeepImage(selected, "selected");
    EXPECT_EQ(Pixel(selected, 50, 10), P::kHighlight);
    EXPECT_GT(CountColor(selected, QRect(0, 0, 59, 19), P::kHighlightText), 0);
    EXPECT_EQ(CountColor(selected, QRect(0, 0, 59, 19), P::kText), 0);

    // The current cell is highlighted only while the sheet highlights its row.
    const QImage current = PaintCell(m_oNormal, cell, {60, 20}, 0, 1);
    EXPECT_EQ(Pixel(current, 50, 10), P::kWindow);
    m_oHost.m_oSheet.SetRowHighlight(true);
    const QImage highlighted = PaintCell(m_oNormal, cell, {60, 20}, 0, 1);
    EXPECT_EQ(Pixel(highlighted, 50, 10), P::kHighlight);

    cell.SetHBackColor(Qt::darkGreen);
    const QImage own = PaintCell(m_oNormal, cell, {60, 20}, 2, 0);
    EXPECT_EQ(Pixel(own, 50, 10), QColor(Qt::darkGreen));
}

TEST_F(CellTypeDraw, TextIsPlacedByItsAlignmentAndTheMargin) {
    const QRect content(0, 0, 99, 39);
    auto inkFor = [&](unsigned alignment) {
        GridCell cell = Text("Hi");
        if (alignment != ~0U) {
            cell.SetAlignment(alignment);
        }
        return InkBox(PaintCell(m_oNormal, cell, {100, 40}), content, P::kWindow);
    };
    const QRect unset = inkFor(~0U);
    const QRect left = inkFor(GridCell::kAlignLeft);
    const QRect right = inkFor(GridCell::kAlignRight);
    const QRect centre = inkFor(GridCell::kAlignCenter | GridCell::kAlignVCenter);
    const QRect bottom = inkFor(GridCell::kAlignBottom);
    ASSERT_FALSE(left.isEmpty());

    EXPECT_EQ(unset, left);
    EXPECT_GE(left.left(), 4);
    EXPECT_LE(left.left(), 6);
    EXPECT_LE(right.right(), 99 - 4 - 1);
    EXPECT_GE(right.right(), 99 - 4 - 3);
    EXPECT_NEAR(centre.center().x(), 49, 2);
    EXPECT_NEAR(centre.center().y(), 19, 3);
    EXPECT_LT(left.top(), 8);
    EXPECT_GT(bottom.top(), 20);
    EXPECT_EQ(bottom.width(), left.width());
}

TEST_F(CellTypeDraw, LabelIsShownUnderExtendedStyle8) {
    GridCell cell;
    cell.SetLabel("Label");
    const QRect content(0, 0, 59, 19);
    EXPECT_TRUE(InkBox(PaintCell(m_oNormal, cell, {60, 20}), content, P::kWindow).isEmpty());
    cell.SetCellTypeEx(CellType::kStyleShowLabel);
    EXPECT_FALSE(InkBox(PaintCell(m_oNormal, cell, {60, 20}), content, P::kWindow).isEmpty());

    // The label replaces the text rather than joining it.
    GridCell both = Text("WWWWWWWWWW");
    both.SetLabel("i");
    both.SetCellTypeEx(CellType::kStyleShowLabel);
    EXPECT_LT(
        InkBox(PaintCell(m_oNormal, both, {100, 20}), QRect(0, 0, 99, 19), P::kWindow).width(), 10);
}

TEST_F(CellTypeDraw, WrappedAndShortenedText) {
    GridCell cell = Text("one two three four five six");
    const QRect content(0, 0, 59, 59);
    const QRect single = InkBox(PaintCell(m_oNormal, cell, {60, 60}), content, P::kWindow);
    cell.SetCellTypeEx(CellType::kStyleWordWrap);
    const QRect wrapped = InkBox(PaintCell(m_oNormal, cell, {60, 60}), content, P::kWindow);
    EXPECT_GT(wrapped.height(), 2 * single.height());
    EXPECT_LE(wrapped.right(), 59 - 4);

    cell.SetCellTypeEx(CellType::kStyleEllipsis);
    const QImage shortened = PaintCell(m_oNormal, cell, {60, 60});
    KeepImage(shortened, "ellipsis");
    const QRect ellipsis = InkBox(shortened, content, P::kWindow);
    EXPECT_EQ(single.right(), 58); // the plain line is cut at the cell's edge
    EXPECT_LE(ellipsis.right(), 59 - 3);
    EXPECT_GE(ellipsis.left(), 3);
}

TEST_F(CellTypeDraw, BitmapStandsLeftOfTheText) {
    QPixmap bitmap(8, 8);
    bitmap.fill(Qt::red);
    GridCell cell = Text("Hi");
    cell.SetBitmap(bitmap);
    const QImage image = PaintCell(m_oNormal, cell, {80, 20});
    const QColor red(Qt::red);
    EXPECT_EQ(Pixel(image, 2, 5), red);
    EXPECT_EQ(Pixel(image, 9, 12), red);
    EXPECT_EQ(Pixel(image, 1, 5), P::kWindow);
    EXPECT_EQ(Pixel(image, 2, 4), P::kWindow);
    const QRect text = InkBox(image, QRect(10, 0, 69, 19), P::kWindow);
    EXPECT_GE(text.left(), 8 + 4 + 4);
}

TEST_F(CellTypeDraw, TextRunsOnIntoEmptyCellsToItsRight) {
    for (int col = 0; col < m_oHost.GetColumnCount(); ++col) {
        m_oHost.m_oSheet.Columns().SetSize(col, 40);
    }
    const QString text = "A long text running on";
    m_oHost.SetCell(0, 0, Text(text));

    auto paintRow = [&](int cols) {
        QImage image(40 * cols, 20, QImage::Format_RGB32);
        image.fill(kUntouched);
        QPainter painter(&image);
        painter.setFont(TestFont());
        for (int col = 0; col < cols; ++col) {
            GridCell cell;
            m_oHost.GetCell(col, 0, cell);
            m_oNormal.OnDraw(painter, TestOption(QRect(40 * col, 0, 40, 20)), col, 0, cell);
        }
        return image;
    };
    const QImage row = paintRow(3);
    KeepImage(row, "overflow");

    // The same text in one wide cell: the empty cells show exactly its continuation.
    GridCell wide = Text(text);
    const QImage reference = PaintCell(m_oNormal, wide, {120, 20});
    for (int x : {40, 50, 60, 70, 78, 80, 90}) {
        for (int y = 0; y < 19; ++y) {
            ASSERT_EQ(Pixel(row, x, y), Pixel(reference, x, y)) << x << "," << y;
        }
    }
    ASSERT_FALSE(InkBox(row, QRect(40, 0, 39, 19), P::kWindow).isEmpty());
    ASSERT_FALSE(InkBox(row, QRect(80, 0, 39, 19), P::kWindow).isEmpty());

    auto secondCellInk = [&] {
        return !InkBox(paintRow(2), QRect(40, 0, 39, 19), P::kWindow).isEmpty();
    };
    m_oHost.m_oSheet.SetTextOverflow(false);
    EXPECT_FALSE(secondCellInk());
    m_oHost.m_oSheet.SetTextOverflow(true);

    // An empty cell that is right-aligned does not take it in.
    GridCell rightAligned;
    rightAligned.SetAlignment(GridCell::kAlignRight);
    m_oHost.SetCell(1, 0, rightAligned);
    EXPECT_FALSE(secondCellInk());
    m_oHost.m_oStore.DeleteCell(1, 0);
    EXPECT_TRUE(secondCellInk());

    // Nor does a text that ends within its own column, or one aligned right.
    m_oHost.SetCell(0, 0, Text("ab"));
    EXPECT_FALSE(secondCellInk());
    GridCell source = Text(text);
    source.SetAlignment(GridCell::kAlignRight);
    m_oHost.SetCell(0, 0, source);
    EXPECT_FALSE(secondCellInk());

    // The drop-list and check-box types do not let a text run on: an empty cell of
    // theirs looks the same beside a long text as beside a short one, also where
    // the drop list draws as a plain cell (its button shows on the current cell
    // only) that takes text in from the left.
    GridCell plain;
    plain.SetCellTypeEx(DropListCellType::kStyleButtonOnCurrent);
    plain.SetAlignment(GridCell::kAlignLeft);
    m_oHost.SetCell(1, 0, plain);
    for (CellType* type : std::initializer_list<CellType*>{&m_oDropList, &m_oCheckBox}) {
        auto secondCell = [&](const QString& first) {
            m_oHost.SetCell(0, 0, Text(first));
            QImage image(80, 20, QImage::Format_RGB32);
            image.fill(kUntouched);
            QPainter painter(&image);
            painter.setFont(TestFont());
            GridCell cell;
            m_oHost.GetCell(0, 0, cell);
            m_oNormal.OnDraw(painter, TestOption(QRect(0, 0, 40, 20)), 0, 0, cell);
            m_oHost.GetCell(1, 0, cell);
            type->OnDraw(painter, TestOption(QRect(40, 0, 40, 20)), 1, 0, cell);
            return image.copy(40, 0, 40, 20);
        };
        EXPECT_EQ(secondCell(text), secondCell("ab")) << type->GetName().toStdString();
    }
}

TEST_F(CellTypeDraw, CheckBoxDrawsItsBoxMarkAndLabel) {
    GridCell cell;
    cell.SetNumber(0);
    cell.SetLabel("On");
    const QImage off = PaintCell(m_oCheckBox, cell, {60, 20});
    KeepImage(off, "check-off");
    // A 12-pixel box 6 pixels in, centred: black edge, window inside, no mark.
    const QColor black(Qt::black);
    EXPECT_EQ(Pixel(off, 6, 4), black);
    EXPECT_EQ(Pixel(off, 17, 15), black);
    EXPECT_EQ(Pixel(off, 5, 10), P::kWindow);
    EXPECT_EQ(CountColor(off, QRect(7, 5, 10, 10), P::kWindow), 100);
    const QRect label = InkBox(off, QRect(19, 0, 40, 19), P::kWindow);
    EXPECT_GE(label.left(), 6 + 12 + 6 + 4);

    cell.SetNumber(1);
    const QImage cross = PaintCell(m_oCheckBox, cell, {60, 20});
    KeepImage(cross, "check-cross");
    EXPECT_EQ(Pixel(cross, 8, 6), black);
    EXPECT_EQ(Pixel(cross, 11, 9), black);
    EXPECT_EQ(Pixel(cross, 15, 6), black);
    EXPECT_EQ(Pixel(cross, 8, 13), black);

    cell.SetCellTypeEx(CheckBoxCellType::kStyleCheckMark);
    const QImage tick = PaintCell(m_oCheckBox, cell, {60, 20});
    KeepImage(tick, "check-tick");
    EXPECT_EQ(Pixel(tick, 8, 6), P::kWindow);
    EXPECT_EQ(Pixel(tick, 10, 13), black);
    EXPECT_EQ(Pixel(tick, 15, 8), black);
    EXPECT_EQ(Pixel(tick, 15, 7), black); // doubled in a box this big

    // Too small a cell shows no box, only the background.
    const QImage tiny = PaintCell(m_oCheckBox, cell, {60, 10});
    EXPECT_EQ(CountColor(tiny, QRect(0, 0, 20, 9), black), 0);
}

TEST_F(CellTypeDraw, CheckBoxThreeDimensionalAndSelected) {
    GridCell cell;
    cell.SetNumber(0);
    cell.SetCellTypeEx(CheckBoxCellType::kStyleSunken3D);
    const QImage sunken = PaintCell(m_oCheckBox, cell, {60, 20});
    EXPECT_EQ(Pixel(sunken, 6, 4), P::kButtonShadow);
    EXPECT_EQ(Pixel(sunken, 17, 15), QColor(225, 225, 225));
    EXPECT_EQ(Pixel(sunken, 7, 5), P::kButtonShadow);
    EXPECT_EQ(Pixel(sunken, 16, 14), P::kButtonFace);
    EXPECT_EQ(Pixel(sunken, 8, 6), P::kWindow);

    cell.SetCellTypeEx(0);
    const QImage selected = PaintCell(m_oCheckBox, cell, {60, 20}, 1);
    EXPECT_EQ(Pixel(selected, 2, 10), P::kHighlight);
    EXPECT_EQ(Pixel(selected, 50, 10), P::kHighlight);
    // The box itself keeps its own colours.
    EXPECT_EQ(Pixel(selected, 10, 10), P::kWindow);
}

TEST_F(CellTypeDraw, ArrowsPointTheWayTheirStyleSays) {
    const QRect area(0, 0, 39, 19);
    auto columns = [&](int style, int selected = 0) {
        GridCell cell;
        if (style >= 0) {
            cell.SetCellTypeEx(style);
        }
        const QImage image = PaintCell(m_oArrow, cell, {40, 20}, selected);
        return InkPerColumn(image, area, selected ? P::kHighlightText : P::kText);
    };
    auto slice = [](const std::vector<int>& all, int from, int count) {
        return std::vector<int>(all.begin() + from, all.begin() + from + count);
    };
    // The arrow's four columns stand around the middle of the 39-pixel content.
    EXPECT_EQ(slice(columns(-1), 15, 8), (std::vector<int>{0, 0, 7, 5, 3, 1, 0, 0}));
    EXPECT_EQ(slice(columns(ArrowCellType::kArrowRight), 15, 8),
              (std::vector<int>{0, 0, 7, 5, 3, 1, 0, 0}));
    EXPECT_EQ(slice(columns(ArrowCellType::kArrowLeft), 15, 8),
              (std::vector<int>{0, 0, 1, 3, 5, 7, 0, 0}));
    EXPECT_EQ(slice(columns(ArrowCellType::kArrowsRight), 14, 10),
              (std::vector<int>{0, 7, 5, 3, 1, 7, 5, 3, 1, 0}));
    EXPECT_EQ(slice(columns(ArrowCellType::kArrowsLeft), 14, 10),
              (std::vector<int>{0, 1, 3, 5, 7, 1, 3, 5, 7, 0}));
    EXPECT_EQ(slice(columns(0, 1), 15, 8), (std::vector<int>{0, 0, 7, 5, 3, 1, 0, 0}));

    GridCell cell;
    const QImage selected = PaintCell(m_oArrow, cell, {40, 20}, 1);
    KeepImage(selected, "arrow-selected");
    EXPECT_EQ(Pixel(selected, 2, 2), P::kHighlight);

    const QImage narrow = PaintCell(m_oArrow, cell, {4, 20});
    EXPECT_EQ(CountColor(narrow, QRect(0, 0, 3, 19), P::kText), 0);
    EXPECT_EQ(Pixel(narrow, 1, 5), P::kWindow);
}

TEST_F(CellTypeDraw, DropListButtonHasAFrameAndATriangle) {
    const int b = m_oHost.GetVScrollWidth();
    GridCell cell = Text("A value far too long for the cell");
    const QImage image = PaintCell(m_oDropList, cell, {120, 20});
    KeepImage(image, "droplist");

    // Content is 119 by 19 (grid lines); the button is its rightmost b pixels.
    const int buttonLeft = 119 - b;
    const QRect face(buttonLeft + 1, 0, b - 1, 19);
    EXPECT_EQ(Pixel(image, buttonLeft, 10), P::kButtonFace);
    EXPECT_EQ(Pixel(image, face.left(), 0), P::kButtonHighlight);
    EXPECT_EQ(Pixel(image, face.right(), 10), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, face.left() + 2, 18), P::kButtonShadow);
    EXPECT_EQ(Pixel(image, face.left() + 1, 1), P::kButtonFace);

    // A triangle of 5, 3 and 1 black pixels, pointing down, in the middle.
    const QColor black(Qt::black);
    const QRect inner = face.adjusted(1, 1, -1, -1);
    std::vector<int> rows;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        const int n = CountColor(image, QRect(inner.left(), y, inner.width(), 1), black);
        if (n > 0) {
            rows.push_back(n);
        }
    }
    EXPECT_EQ(rows, (std::vector<int>{5, 3, 1}));
    const QRect triangle = InkBox(image, inner, P::kButtonFace);
    EXPECT_NEAR(triangle.center().x(), inner.center().x(), 1);
    EXPECT_NEAR(triangle.center().y(), inner.center().y(), 1);

    // The text stops short of the button.
    const QRect text = InkBox(image, QRect(0, 0, buttonLeft, 19), P::kWindow);
    EXPECT_LT(text.right(), buttonLeft);
    EXPECT_GT(text.right(), buttonLeft - 6);
}

TEST_F(CellTypeDraw, DropListButtonSinksWhilePressedAndCanShowOnlyOnTheCurrentCell) {
    const int b = m_oHost.GetVScrollWidth();
    const QRect rect(0, 0, 120, 20);
    GridCell cell = Text("x");
    m_oDropList.OnLeftClick(TestOption(rect), 0, 0, 1, QPoint(110, 10));
    const int faceLeft = 119 - b + 1;

    const QImage pressed = PaintCell(m_oDropList, cell, {120, 20}, 0, 1);
    KeepImage(pressed, "droplist-pressed");
    ASSERT_EQ(Pixel(pressed, faceLeft, 0), P::kButtonShadow);
    EXPECT_EQ(Pixel(pressed, 118, 10), P::kButtonHighlight);
    // Pressed, but not the current cell: raised.
    const QImage other = PaintCell(m_oDropList, cell, {120, 20}, 0, 0);
    EXPECT_EQ(Pixel(other, faceLeft, 0), P::kButtonHighlight);

    cell.SetCellTypeEx(DropListCellType::kStyleButtonOnCurrent);
    const QImage hidden = PaintCell(m_oDropList, cell, {120, 20}, 0, 0);
    EXPECT_EQ(CountColor(hidden, QRect(faceLeft, 0, b - 1, 19), P::kButtonFace), 0);
    const QImage shown = PaintCell(m_oDropList, cell, {120, 20}, 0, 1);
    EXPECT_GT(CountColor(shown, QRect(faceLeft, 0, b - 1, 19), P::kButtonFace), 0);
}

TEST_F(CellTypeDraw, PrintingScalesTheFontFromTheScreenRow) {
    GridCell cell = Text("HH");
    const QRect screen =
        InkBox(PaintCell(m_oNormal, cell, {100, 20}), QRect(0, 0, 99, 19), P::kWindow);

    QImage page(300, 60, QImage::Format_RGB32);
    page.fill(kUntouched);
    {
        QPainter painter(&page);
        painter.setFont(TestFont());
        m_oNormal.OnPrint(painter, TestOption(QRect(0, 0, 300, 60)), 0, 0, cell);
    }
    KeepImage(page, "printed");
    const QRect printed = InkBox(page, QRect(0, 0, 299, 59), P::kWindow);
    EXPECT_NEAR(printed.height(), 3 * screen.height(), 3);
    // The caller's cell is untouched.
    EXPECT_FALSE(cell.IsPropertySet(GridCell::kFontSet));

    // A joined cell scales against the height of all its rows.
    m_oHost.m_nJoinCol1 = 0;
    m_oHost.m_nJoinRow1 = 0;
    m_oHost.m_nJoinCol2 = 0;
    m_oHost.m_nJoinRow2 = 2;
    cell.SetJoinInfo(true, 0, 2);
    page.fill(kUntouched);
    {
        QPainter painter(&page);
        painter.setFont(TestFont());
        m_oNormal.OnPrint(painter, TestOption(QRect(0, 0, 300, 60)), 0, 0, cell);
    }
    EXPECT_NEAR(InkBox(page, QRect(0, 0, 299, 59), P::kWindow).height(), screen.height(), 2);
}

TEST_F(CellTypeDraw, PrintedArrowIsAFilledTriangleInPrintUnits) {
    GridCell cell;
    auto print = [&] {
        QImage page(100, 60, QImage::Format_RGB32);
        page.fill(kUntouched);
        QPainter painter(&page);
        m_oArrow.OnPrint(painter, TestOption(QRect(0, 0, 100, 60)), 0, 0, cell);
        return page;
    };
    // Until printing sets a scale, a printed arrow is as large as a shown one.
    const QRect area(3, 3, 90, 50);
    const QRect unscaled = InkBox(print(), area, P::kWindow);
    const QRect shown = InkBox(PaintCell(m_oArrow, cell, {100, 60}), area, P::kWindow);
    EXPECT_NEAR(unscaled.width(), shown.width(), 1);
    EXPECT_NEAR(unscaled.height(), shown.height(), 1);

    m_oArrow.SetPrintScale(3.0);
    const QImage page = print();
    KeepImage(page, "arrow-printed");
    const QRect arrow = InkBox(page, QRect(3, 3, 90, 50), P::kWindow);
    EXPECT_NEAR(arrow.width(), 12, 1);
    EXPECT_NEAR(arrow.height(), 21, 1);
    // Widest at its left edge: it points right.
    EXPECT_GT(CountColor(page, QRect(arrow.left() + 1, 0, 1, 60), P::kText),
              CountColor(page, QRect(arrow.right() - 1, 0, 1, 60), P::kText));
}

TEST_F(CellTypeDraw, PrintedCheckBoxIsLargerAndFurtherIn) {
    GridCell cell;
    cell.SetNumber(1);
    QImage page(200, 60, QImage::Format_RGB32);
    page.fill(kUntouched);
    {
        QPainter painter(&page);
        m_oCheckBox.OnPrint(painter, TestOption(QRect(0, 0, 200, 60)), 0, 0, cell);
    }
    // A 36-pixel box 18 pixels in, centred in the 59 rows left above the grid line.
    const QRect box = InkBox(page, QRect(0, 0, 150, 58), P::kWindow);
    EXPECT_EQ(box.left(), 18);
    EXPECT_EQ(box.width(), 36);
    EXPECT_EQ(box.height(), 36);
}

TEST_F(CellTypeDraw, BestSizeFitsTheTextWithItsMargins) {
    const QFontMetrics metrics(TestFont());
    QFont large = TestFont();
    large.setPixelSize(30);
    const QFontMetrics largeMetrics(large);
    const GridCellOption option = TestOption(QRect());
    QSize size;
    GridCell empty;
    m_oNormal.GetBestSize(nullptr, option, size, empty);
    EXPECT_EQ(size, QSize(9, 5));

    GridCell cell = Text("Some text");
    cell.SetFont(large);
    m_oNormal.GetBestSize(nullptr, option, size, cell);
    EXPECT_EQ(size,
              QSize(largeMetrics.horizontalAdvance("Some text") + 6, largeMetrics.height() + 2));

    // Without a font of its own, the option's font measures.
    GridCell plain = Text("Some text");
    m_oNormal.GetBestSize(nullptr, option, size, plain);
    EXPECT_EQ(size.width(), metrics.horizontalAdvance("Some text") + 6);

    QPixmap bitmap(10, 10);
    cell.SetBitmap(bitmap);
    m_oNormal.GetBestSize(nullptr, option, size, cell);
    EXPECT_EQ(size.width(), largeMetrics.horizontalAdvance("Some text") + 6 + 10 + 6);

    // The check box measures its caption.
    GridCell check;
    check.SetNumber(1);
    check.SetLabel("On");
    m_oCheckBox.GetBestSize(nullptr, option, size, check);
    EXPECT_EQ(size.width(), metrics.horizontalAdvance("On") + 6);
}

TEST(CellTypes, NamesAndIdentifiers) {
    NormalCellType normal;
    DropListCellType dropList;
    CheckBoxCellType checkBox;
    ArrowCellType arrow;
    EXPECT_EQ(normal.GetName(), "Normal Cell Type (default)");
    EXPECT_EQ(dropList.GetName(), "Standard DropList");
    EXPECT_EQ(checkBox.GetName(), "Standard CheckBox Type");
    EXPECT_EQ(arrow.GetName(), "Normal Cell Type (default)");

    const QUuid ids[] = {normal.GetTypeId(), dropList.GetTypeId(), checkBox.GetTypeId(),
                         arrow.GetTypeId()};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(ids[i].isNull());
        for (std::size_t j = i + 1; j < 4; ++j) {
            EXPECT_NE(ids[i], ids[j]);
        }
    }
    EXPECT_EQ(NormalCellType().GetTypeId(), normal.GetTypeId());

    EXPECT_TRUE(checkBox.DrawsLabel());
    EXPECT_EQ(normal.GetID(), -1);
}
