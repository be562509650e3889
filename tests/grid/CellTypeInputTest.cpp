#include <gtest/gtest.h>

#include "CellTypeTestSupport.h"
#include "FakeGridHost.h"
#include "grid/CheckBoxCellType.h"
#include "grid/DropListCellType.h"
#include "grid/NormalCellType.h"

namespace {

// A 60 by 20 check-box cell at (1, 2): its box is 12 pixels, 6 in, from y 4.
class CheckBoxInput : public ::testing::Test {
protected:
    CheckBoxInput() { m_oType.Attach(&m_oHost, 2); }

    int Release(QPoint point) { return m_oType.OnLeftClick(TestOption(m_oRect), 1, 2, 0, point); }
    QString Value() {
        GridCell cell;
        m_oHost.GetCell(1, 2, cell);
        return cell.GetText();
    }

    FakeGridHost m_oHost{3, 4};
    CheckBoxCellType m_oType;
    const QRect m_oRect{0, 0, 60, 20};
};

} // namespace

TEST_F(CheckBoxInput, ReleasingOverTheBoxTogglesAndTellsTheOwner) {
    EXPECT_EQ(m_oType.OnLeftClick(TestOption(m_oRect), 1, 2, 1, QPoint(10, 10)), 0);
    EXPECT_TRUE(m_oHost.m_oEvents.empty());

    EXPECT_EQ(Release(QPoint(10, 10)), 1);
    EXPECT_EQ(Value(), "1.000000");
    ASSERT_EQ(m_oHost.m_oEvents.size(), 1U);
    const FakeGridHost::TypeEvent& event = m_oHost.m_oEvents[0];
    EXPECT_EQ(event.type, 2);
    EXPECT_EQ(event.col, 1);
    EXPECT_EQ(event.row, 2);
    EXPECT_EQ(event.event, CellType::kEventCheckToggled);
    EXPECT_EQ(event.param, 1);
    EXPECT_EQ(m_oHost.m_oRedrawn, (std::vector<std::pair<int, int>>{{1, 2}}));

    EXPECT_EQ(Release(QPoint(17, 15)), 1);
    EXPECT_EQ(Value(), "0.000000");
    EXPECT_EQ(m_oHost.m_oEvents.back().param, 0);
    GridCell cell;
    m_oHost.GetCell(1, 2, cell);
    EXPECT_EQ(cell.GetDataType(), GridCell::kDataNumber);
}

TEST_F(CheckBoxInput, OnlyTheBoxTakesClicks) {
    // The caption, the gap before it, and above and below the box.
    for (QPoint point :
         {QPoint(30, 10), QPoint(19, 10), QPoint(10, 3), QPoint(10, 16), QPoint(1, 10)}) {
        EXPECT_EQ(Release(point), 0) << point.x() << "," << point.y();
    }
    EXPECT_TRUE(m_oHost.m_oEvents.empty());
    EXPECT_EQ(Value(), QString());
    // A little left of the box still counts.
    EXPECT_EQ(Release(QPoint(3, 10)), 1);
}

TEST_F(CheckBoxInput, DoubleClickIsAPressAndItsReleaseTogglesAgain) {
    EXPECT_EQ(Release(QPoint(10, 10)), 1);
    EXPECT_EQ(m_oType.OnDoubleClick(TestOption(m_oRect), 1, 2, QPoint(10, 10)), 0);
    EXPECT_EQ(Value(), "1.000000");
    EXPECT_EQ(Release(QPoint(10, 10)), 1);
    EXPECT_EQ(Value(), "0.000000");
}

TEST_F(CheckBoxInput, BlankTogglesTheStoredCellOnly) {
    GridCell columnDefault;
    columnDefault.SetBackColor(Qt::yellow);
    m_oHost.Column(1).m_oColDefault = columnDefault;

    int ch = ' ';
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 1, 2, ch), 1);
    EXPECT_EQ(Value(), "1.000000");
    EXPECT_EQ(m_oHost.m_oEvents.back().param, 1);
    GridCell stored;
    ASSERT_EQ(m_oHost.ReadCell(1, 2, stored), 0);
    // The column default was not frozen into the stored cell.
    EXPECT_FALSE(stored.IsPropertySet(GridCell::kBackColorSet));

    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 1, 2, ch), 1);
    EXPECT_EQ(Value(), "0.000000");

    int other = 'x';
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 1, 2, other), 0);
    EXPECT_EQ(Value(), "0.000000");
}

TEST_F(CheckBoxInput, ReadOnlyCellsIgnoreClicksAndTheBlank) {
    // Read-only through the column default, as the property view makes its cells,
    // and through the stored cell itself.
    m_oHost.Column(1).m_oColDefault.SetReadOnly(true);
    int ch = ' ';
    EXPECT_EQ(Release(QPoint(10, 10)), 0);
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 1, 2, ch), 0);

    m_oHost.Column(1).m_oColDefault.ClearAll();
    GridCell cell;
    cell.SetNumber(1);
    cell.SetReadOnly(true);
    m_oHost.SetCell(1, 2, cell);
    EXPECT_EQ(Release(QPoint(10, 10)), 0);
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 1, 2, ch), 0);
    EXPECT_EQ(Value(), "1.000000");
    EXPECT_TRUE(m_oHost.m_oEvents.empty());
}

namespace {

// A 120 by 20 drop-list cell at (0, 1), type number 1.
class DropListInput : public ::testing::Test {
protected:
    DropListInput() { m_oType.Attach(&m_oHost, 1); }

    QPoint OnButton() const { return {115, 10}; }
    int Press(QPoint point) { return m_oType.OnLeftClick(TestOption(m_oRect), 0, 1, 1, point); }
    int Release(QPoint point) { return m_oType.OnLeftClick(TestOption(m_oRect), 0, 1, 0, point); }
    int Move(QPoint point, Qt::MouseButtons buttons) {
        GridCellOption option = TestOption(m_oRect);
        option.buttons = buttons;
        return m_oType.OnMouseMove(option, 0, 1, point);
    }
    int KeyDown(int& key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        GridCellOption option = TestOption(m_oRect);
        option.modifiers = modifiers;
        return m_oType.OnKeyDown(option, 0, 1, key);
    }

    // The cell the type handed the list to remember (the list writes into it).
    int ListCol() const { return *m_oHost.m_pListCol; }
    int ListRow() const { return *m_oHost.m_pListRow; }
    // The button of the current cell shows sunk: its face's top edge in shadow.
    bool ButtonDown() {
        GridCell cell;
        m_oHost.GetCell(0, 1, cell);
        const QImage image = PaintCell(m_oType, cell, m_oRect.size(), 0, 1, 0, 1);
        const int faceLeft = m_oRect.width() - 1 - m_oHost.GetVScrollWidth() + 1;
        return Pixel(image, faceLeft, 0) == DistinctPalette::kButtonShadow;
    }

    FakeGridHost m_oHost{3, 4};
    DropListCellType m_oType;
    const QRect m_oRect{0, 0, 120, 20};
};

} // namespace

TEST_F(DropListInput, PressOnTheButtonDropsTheListAndReleaseLiftsTheButton) {
    EXPECT_EQ(Press(OnButton()), 1);
    ASSERT_EQ(m_oHost.m_oDrops.size(), 1U);
    EXPECT_EQ(m_oHost.m_oDrops[0].type, 1);
    EXPECT_EQ(m_oHost.m_oDrops[0].col, 0);
    EXPECT_EQ(m_oHost.m_oDrops[0].row, 1);
    EXPECT_EQ(ListCol(), 0);
    EXPECT_EQ(ListRow(), 1);
    EXPECT_TRUE(ButtonDown());
    EXPECT_EQ(m_oHost.m_oRedrawn, (std::vector<std::pair<int, int>>{{0, 1}}));

    EXPECT_EQ(Release(OnButton()), 1);
    EXPECT_FALSE(ButtonDown());
    EXPECT_EQ(m_oHost.m_oRedrawn.size(), 2U);
    EXPECT_EQ(Release(OnButton()), 0);

    // The list was handed the remembered cell, which it clears on a choice.
    ASSERT_NE(m_oHost.m_pListCol, nullptr);
    *m_oHost.m_pListCol = -1;
    *m_oHost.m_pListRow = -1;
    EXPECT_EQ(ListCol(), -1);
}

TEST_F(DropListInput, SecondPressOnTheOpenListsButtonClosesIt) {
    Press(OnButton());
    Release(OnButton());
    EXPECT_EQ(Press(OnButton()), 1);
    EXPECT_EQ(m_oHost.m_nListsClosed, 1);
    EXPECT_EQ(m_oHost.m_oDrops.size(), 1U);
    EXPECT_EQ(ListCol(), -1);
}

TEST_F(DropListInput, PressElsewhereIsNotTakenAndForgetsAListClosedWithoutAChoice) {
    EXPECT_EQ(Press(QPoint(20, 10)), 0);
    EXPECT_TRUE(m_oHost.m_oDrops.empty());

    Press(OnButton());
    *m_oHost.m_pListCol = DropListCellType::kClosedWithoutChoice;
    *m_oHost.m_pListRow = DropListCellType::kClosedWithoutChoice;
    EXPECT_EQ(Press(QPoint(20, 10)), 0);
    EXPECT_EQ(ListCol(), -1);
    EXPECT_EQ(ListRow(), -1);
}

TEST_F(DropListInput, AListThatCannotOpenIsNotRemembered) {
    m_oHost.m_nOpenAnswer = 1;
    Press(OnButton());
    EXPECT_EQ(ListCol(), -1);
}

TEST_F(DropListInput, DoubleClickOnTheButtonIsAPress) {
    EXPECT_EQ(m_oType.OnDoubleClick(TestOption(m_oRect), 0, 1, QPoint(20, 10)), 0);
    EXPECT_EQ(m_oType.OnDoubleClick(TestOption(m_oRect), 0, 1, OnButton()), 1);
    EXPECT_EQ(m_oHost.m_oDrops.size(), 1U);
}

TEST_F(DropListInput, DraggingOffTheButtonLiftsItAndBackOnPressesItAgain) {
    Press(OnButton());
    m_oHost.m_oRedrawn.clear();
    EXPECT_EQ(Move(QPoint(50, 10), Qt::LeftButton), 1);
    EXPECT_FALSE(ButtonDown());
    EXPECT_EQ(Move(QPoint(60, 10), Qt::LeftButton), 1);
    EXPECT_EQ(m_oHost.m_oRedrawn.size(), 1U);
    EXPECT_EQ(Move(OnButton(), Qt::LeftButton), 1);
    EXPECT_TRUE(ButtonDown());
    EXPECT_EQ(Move(QPoint(50, 10), Qt::NoButton), 0);
    EXPECT_TRUE(ButtonDown());
}

TEST_F(DropListInput, EnterAndCtrlDownDropTheList) {
    int key = Qt::Key_Down;
    EXPECT_EQ(KeyDown(key), 0);
    EXPECT_EQ(key, Qt::Key_Down);
    EXPECT_TRUE(m_oHost.m_oDrops.empty());

    key = Qt::Key_Return;
    EXPECT_EQ(KeyDown(key), 1);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(m_oHost.m_oDrops.size(), 1U);
    EXPECT_EQ(ListRow(), 1);

    // Ctrl comes with the key's own event, whatever the keyboard holds now.
    key = Qt::Key_Down;
    EXPECT_EQ(KeyDown(key, Qt::ControlModifier), 1);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(m_oHost.m_oDrops.size(), 2U);

    // The Enter character is swallowed so that it does not start an edit; a '(' is
    // an ordinary character.
    int ch = '\r';
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 0, 1, ch), 1);
    EXPECT_EQ(ch, 0);
    ch = '(';
    EXPECT_EQ(m_oType.OnChar(TestOption(m_oRect), 0, 1, ch), 0);
    EXPECT_EQ(ch, '(');
}

TEST_F(DropListInput, LeavingTheCellForgetsItsList) {
    Press(OnButton());
    GridCell cell;
    m_oType.OnCellLeft(0, 1, cell);
    EXPECT_EQ(ListCol(), -1);
    EXPECT_EQ(ListRow(), -1);
}

TEST_F(DropListInput, TheEditorLeavesTheButtonFree) {
    QRect rect(10, 0, 100, 20);
    EXPECT_EQ(m_oType.AdjustEditRect(rect), 0);
    EXPECT_EQ(rect.right(), 109 - (m_oHost.GetVScrollWidth() + 1));
    EXPECT_EQ(rect.left(), 10);

    NormalCellType normal;
    QRect unchanged(10, 0, 100, 20);
    EXPECT_EQ(normal.AdjustEditRect(unchanged), 0);
    EXPECT_EQ(unchanged, QRect(10, 0, 100, 20));
}
