#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QShortcut>
#include <QTest>

#include "RecordingGrid.h"
#include "grid/GridArea.h"
#include "grid/GridEdit.h"
#include "grid/GridMemDataSource.h"
#include "grid/GridTopHeading.h"

namespace {

// A grid whose owner starts editing when a visible character is typed, writes
// down the editing hooks, and can refuse the end of an edit or the move after it.
class EditGrid : public RecordingGrid {
public:
    void OnGridChar(int& ch, int handled) override {
        RecordingGrid::OnGridChar(ch, handled);
        if (!handled && QChar(ch).isPrint() && ch != ' ') {
            StartEdit(ch);
        }
    }
    int OnEndEdit(int col, int row, QWidget*, const QString& text, bool cancelled) override {
        Note(QString("EndEdit %1,%2 %3 %4").arg(col).arg(row).arg(text).arg(cancelled));
        return m_bAllowEnd;
    }
    int OnEditMoveQuery(int oldCol, int oldRow, int& col, int& row) override {
        Note(QString("EditMove %1,%2>%3,%4").arg(oldCol).arg(oldRow).arg(col).arg(row));
        return m_bAllowEditMove;
    }
    int OnEditKey(int, int, QWidget*, int& key) override {
        if (!m_bFilterKeys) {
            return 1;
        }
        if (key == 'q') {
            return 0;
        }
        if (key == 'a') {
            key = 'b';
        }
        return 1;
    }
    QStringList Ends() { return Take().filter(QRegularExpression("^(EndEdit|EditMove)")); }

    bool m_bAllowEnd = true;
    bool m_bAllowEditMove = true;
    bool m_bFilterKeys = false;
};

// A store that lets no digit be typed into its cells.
class NoDigitsSource : public GridMemDataSource {
public:
    int OnEditKey(int, int, QWidget*, int& ch) override { return QChar(ch).isDigit() ? 0 : 1; }
};

// A store that keeps an edit open while its text is empty, and sends every move
// after an edit one column to the right.
class StrictSource : public GridMemDataSource {
public:
    int OnEditFinish(int, int, QWidget*, const QString& text, bool cancelled) override {
        return cancelled || !text.isEmpty() ? 1 : 0;
    }
    int OnEditContinue(int, int, int& col, int&) override {
        ++col;
        return 1;
    }
};

// A grid of 3 columns by 10 rows, 400 by 300 pixels, with "c,r" in each cell.
class InPlaceEditing : public ::testing::Test {
protected:
    InPlaceEditing() {
        QFont font("Arial");
        font.setPixelSize(16);
        m_oGrid.SetDefaultFont(font);
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.Fill(3, 10);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.GetArea()->setFocus();
        m_oGrid.Take();
    }
    GridEdit* Editor() { return PartOf<GridEdit>(m_oGrid); }
    void Type(const QString& text) { QTest::keyClicks(Editor(), text); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Editor(), key, modifiers);
    }

    EditGrid m_oGrid;
};

} // namespace

TEST_F(InPlaceEditing, TypingALetterOpensTheEditorWithJustThatLetter) {
    m_oGrid.GotoCell(1, 2);
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_X);
    ASSERT_TRUE(m_oGrid.IsEditing());
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(Editor()->toPlainText(), "x");
    EXPECT_EQ(Editor()->textCursor().position(), 1);
    Type("yz");
    EXPECT_EQ(Editor()->toPlainText(), "xyz");
    Press(Qt::Key_Return);
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "xyz");
}

TEST_F(InPlaceEditing, EscLeavesTheCellAsItWasAndTheOwnerSeesTheCancel) {
    ASSERT_EQ(m_oGrid.StartEdit(1, 1, 0), GridCtrl::kOk);
    Type("new");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "1,1");
    EXPECT_EQ(m_oGrid.Ends(), QStringList{"EndEdit 1,1 new 1"});
}

TEST_F(InPlaceEditing, EnterAndTabStoreTheTextAndStay) {
    m_oGrid.StartEdit(1, 1, 0);
    Type("entered");
    Press(Qt::Key_Return);
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "entered");
    m_oGrid.StartEdit(1, 1, 0);
    Type("tabbed");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "tabbed");
    m_oGrid.StartEdit(1, 1, 0);
    Type("back");
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "back");
    // Tab names a neighbour but asks for no move.
    EXPECT_EQ(m_oGrid.Ends(),
              (QStringList{"EndEdit 1,1 entered 0", "EndEdit 1,1 tabbed 0", "EndEdit 1,1 back 0"}));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_FALSE(Editor()->toPlainText().contains('\t'));
}

TEST_F(InPlaceEditing, UpAndDownInAOneLineEditorStoreAndMoveOn) {
    m_oGrid.StartEdit(1, 1, 0);
    Type("down");
    Press(Qt::Key_Down);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "down");
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    EXPECT_EQ(m_oGrid.Ends(), (QStringList{"EndEdit 1,1 down 0", "EditMove 1,1>1,2"}));
    m_oGrid.StartEdit(1, 2, 0);
    Press(Qt::Key_Up);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    // From the last row the move stays on it; a refused move stays put.
    m_oGrid.StartEdit(1, 9, 0);
    Press(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 9);
    m_oGrid.m_bAllowEditMove = false;
    m_oGrid.StartEdit(1, 5, 0);
    Press(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 5);
    EXPECT_FALSE(m_oGrid.IsEditing());
}

TEST_F(InPlaceEditing, UpAndDownInAGrownEditorMoveTheCaret) {
    m_oGrid.StartEdit(0, 1, 0);
    EXPECT_FALSE(Editor()->IsGrown());
    Type(QString("word ").repeated(16));
    ASSERT_TRUE(Editor()->IsGrown());
    const int end = Editor()->textCursor().position();
    Press(Qt::Key_Up);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_LT(Editor()->textCursor().position(), end);
    Press(Qt::Key_Down);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_EQ(Editor()->textCursor().position(), end);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
}

TEST_F(InPlaceEditing, TheEditorGrowsCellByCellAndNeverShrinks) {
    m_oGrid.StartEdit(0, 1, 0);
    const QRect cell = m_oGrid.GetCellRect(0, 1);
    EXPECT_EQ(Editor()->geometry(), cell.adjusted(0, 0, -1, -1));
    Type("abcdefghijkl");
    // Wider, to the end of a column, as high as before.
    const QRect grown = Editor()->geometry();
    EXPECT_GT(grown.width(), cell.width());
    EXPECT_EQ((grown.right() + 1) % 75, 0);
    EXPECT_EQ(grown.height(), cell.height() - 1);
    EXPECT_FALSE(Editor()->IsGrown());
    // A long text goes to the area's edge and then down a row.
    Type(QString(" and so on").repeated(6));
    const QRect tall = Editor()->geometry();
    EXPECT_EQ(tall.right(), m_oGrid.GetArea()->rect().right());
    EXPECT_EQ(tall.bottom(), m_oGrid.GetCellRect(0, 2).bottom());
    // Deleting the text leaves the editor as it was.
    Editor()->selectAll();
    Press(Qt::Key_Delete);
    EXPECT_EQ(Editor()->toPlainText(), QString());
    EXPECT_EQ(Editor()->geometry(), tall);
}

TEST_F(InPlaceEditing, ClickingAnotherCellStoresTheTextAndMovesThere) {
    m_oGrid.StartEdit(1, 1, 0);
    Type("clicked");
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier,
                      m_oGrid.GetCellRect(2, 3).center());
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "clicked");
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 3);
}

TEST_F(InPlaceEditing, GoingToAnotherWindowThrowsTheEditAway) {
    QLineEdit other;
    other.setGeometry(500, 0, 100, 30);
    m_oGrid.StartEdit(1, 1, 0);
    Type("lost");
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "1,1");
    EXPECT_EQ(m_oGrid.Ends(), QStringList{"EndEdit 1,1 lost 1"});

    // Unless the sheet says otherwise.
    m_oGrid.SetCancelOnLeave(0);
    m_oGrid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
    m_oGrid.StartEdit(1, 1, 0);
    Type("kept");
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "kept");
}

TEST_F(InPlaceEditing, ARefusedEndKeepsTheEditorOpenAtItsCell) {
    m_oGrid.m_bAllowEnd = false;
    m_oGrid.StartEdit(1, 1, 0);
    Type("bad");
    Press(Qt::Key_Return);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "1,1");
    // A click elsewhere is refused the same way and moves nothing.
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier,
                      m_oGrid.GetCellRect(2, 4).center());
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_EQ(Editor()->toPlainText(), "bad");

    m_oGrid.m_bAllowEnd = true;
    Editor()->selectAll();
    Type("good");
    Press(Qt::Key_Return);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "good");
}

TEST_F(InPlaceEditing, TypedCharactersPassTheDataSourceAndTheOwnerFirst) {
    NoDigitsSource source;
    m_oGrid.SetColumnDataSource(1, &source);
    m_oGrid.m_bFilterKeys = true;
    m_oGrid.StartEdit(1, 1, 0);
    Type("qa1!");
    EXPECT_EQ(Editor()->toPlainText(), "b!");
    Press(Qt::Key_Escape);
    m_oGrid.StartEdit(2, 1, 0);
    Type("qa1!");
    EXPECT_EQ(Editor()->toPlainText(), "b1!");
    Press(Qt::Key_Escape);
    m_oGrid.SetColumnDataSource(1, nullptr);
}

TEST_F(InPlaceEditing, TheDataSourceIsAskedBeforeTheOwnerAndMayKeepTheEditOpen) {
    StrictSource source;
    m_oGrid.SetColumnDataSource(1, &source);
    m_oGrid.StartEdit(1, 1, 0);
    Press(Qt::Key_Down);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_TRUE(Editor()->hasFocus());
    // The owner did not hear of the refused end.
    EXPECT_TRUE(m_oGrid.Ends().isEmpty());
    Type("x");
    Press(Qt::Key_Down);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.Ends(), (QStringList{"EndEdit 1,1 x 0", "EditMove 1,1>2,2"}));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    m_oGrid.SetColumnDataSource(1, nullptr);
}

TEST_F(InPlaceEditing, AShortcutDoesNotTakeTheKeysThatEndAnEdit) {
    int fired = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_Escape), &m_oGrid);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++fired; });
    m_oGrid.StartEdit(1, 1, 0);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_EQ(fired, 0);
}

TEST_F(InPlaceEditing, AHeadingCellIsEditedInItsHeadingAndNothingMovesAfter) {
    m_oGrid.SetCellText(1, -1, "Data");
    ASSERT_EQ(m_oGrid.StartEdit(1, -1, 0), GridCtrl::kOk);
    GridTopHeading* heading = m_oGrid.GetTopHeading();
    EXPECT_EQ(Editor()->parentWidget(), heading);
    EXPECT_EQ(Editor()->geometry(), heading->CellRect(1, -1).adjusted(0, 0, -1, -1));
    EXPECT_EQ(Editor()->toPlainText(), "Data");
    Type("Value");
    Press(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCellText(1, -1), "Value");
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    EXPECT_TRUE(m_oGrid.Ends().filter("EditMove").isEmpty());
}

TEST_F(InPlaceEditing, MovingOnOutOfAJoinedBlockGoesPastIt) {
    GridCell first;
    first.SetJoinInfo(true, 1, 2);
    m_oGrid.SetCell(1, 1, first);
    GridCell member;
    member.SetJoinInfo(false, 1, 1);
    m_oGrid.SetCell(1, 2, member);
    m_oGrid.StartEdit(1, 1, 0);
    EXPECT_EQ(Editor()->height(), 39);
    Press(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 3);
    EXPECT_TRUE(m_oGrid.Ends().contains("EditMove 1,1>1,3"));
}

TEST_F(InPlaceEditing, TheEditorTakesTheCellsFont) {
    QFont big("Arial");
    big.setPixelSize(24);
    GridCell cell;
    cell.SetText("big");
    cell.SetFont(big);
    m_oGrid.SetCell(2, 2, cell);
    m_oGrid.StartEdit(2, 2, 0);
    EXPECT_EQ(Editor()->font().pixelSize(), 24);
    Press(Qt::Key_Escape);
    m_oGrid.StartEdit(2, 3, 0);
    EXPECT_EQ(Editor()->font().pixelSize(), 16);
}

TEST_F(InPlaceEditing, TheEditorsOwnContextMenuDoesNotEndTheEdit) {
    m_oGrid.StartEdit(1, 1, 0);
    Type("menu");
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(Editor(), &out);
    EXPECT_TRUE(m_oGrid.IsEditing());
    QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(Editor(), &back);
    // Coming back does not select the text afresh.
    EXPECT_FALSE(Editor()->textCursor().hasSelection());
    EXPECT_EQ(Editor()->toPlainText(), "menu");
}

TEST_F(InPlaceEditing, TheEditorIsTheFocusedAccessibleObjectAndNamesItsCell) {
    m_oGrid.SetCellText(0, -1, "Heading");
    m_oGrid.SetCellText(1, -1, "Data");
    for (int row = 0; row < 10; ++row) {
        m_oGrid.SetCellText(-1, row, QString::asprintf("%2d", row + 1));
    }
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&m_oGrid);
    m_oGrid.StartEdit(1, 2, 0);
    QAccessibleInterface* focused = table->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused, QAccessible::queryAccessibleInterface(Editor()));
    EXPECT_EQ(focused->text(QAccessible::Name), "Data, 3");
    EXPECT_EQ(focused->role(), QAccessible::EditableText);
    Press(Qt::Key_Return);
    focused = table->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(focused->tableCellInterface()->columnIndex(), 1);
    // Without headings a cell is named by its numbers.
    EXPECT_EQ(m_oGrid.CellName(2, 4), "Column 3, 5");
    m_oGrid.SetCellText(-1, 4, "");
    EXPECT_EQ(m_oGrid.CellName(2, 4), "Column 3, Row 5");
}
