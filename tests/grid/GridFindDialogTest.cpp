#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "RecordingGrid.h"
#include "grid/FindReplaceDialog.h"
#include "grid/GridArea.h"

namespace {

// A grid that writes down its messages and the current-cell markers it draws.
class FindGrid : public RecordingGrid {
public:
    void ShowMessage(const QString& text, const QString& caption) override {
        m_oMessages << caption + ": " + text;
    }
    void OnDrawFocus(QPainter& painter, const QRect& rect) override {
        ++m_nMarkers;
        RecordingGrid::OnDrawFocus(painter, rect);
    }
    QStringList m_oMessages;
    int m_nMarkers = 0;
};

// A grid of 3 columns by 10 rows with empty cells, shown and active.
class Find : public ::testing::Test {
protected:
    Find() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.SetColumnCount(3);
        m_oGrid.SetRowCount(10);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.GetArea()->setFocus();
    }
    ~Find() override {
        if (Dialog()) {
            Dialog()->reject();
        }
    }

    // Opens the window and fills in the find text (and the replacement).
    FindReplaceDialog* Open(const QString& find, const QString* with = nullptr) {
        if (with) {
            m_oGrid.ReplaceDialog();
        } else {
            m_oGrid.FindDialog();
        }
        FindReplaceDialog* dialog = Dialog();
        // A window counts as active while its own child window is; this waits for
        // the find window itself.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
        Edit("Find what")->clear();
        QTest::keyClicks(Edit("Find what"), find);
        if (with) {
            Edit("Replace with")->clear();
            QTest::keyClicks(Edit("Replace with"), *with);
        }
        return dialog;
    }
    // The grid's open find window; a closed one is only waiting to be deleted.
    FindReplaceDialog* Dialog() {
        for (auto* dialog : m_oGrid.findChildren<FindReplaceDialog*>(Qt::FindDirectChildrenOnly)) {
            if (dialog->isVisible()) {
                return dialog;
            }
        }
        return nullptr;
    }
    QLineEdit* Edit(const QString& name) {
        for (QLineEdit* edit : Dialog()->findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == name) {
                return edit;
            }
        }
        ADD_FAILURE() << name.toStdString();
        return nullptr;
    }
    template <class T> T* Control(const QString& text) {
        for (T* control : Dialog()->findChildren<T*>()) {
            if (control->text() == text) {
                return control;
            }
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    void Click(const QString& text) {
        QAbstractButton* button = Control<QAbstractButton>(text);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    }
    std::pair<int, int> Current() const {
        return {m_oGrid.GetCurrentColumn(), m_oGrid.GetCurrentRow()};
    }

    FindGrid m_oGrid;
};

} // namespace

TEST_F(Find, FindNextGoesDownTheColumnWrapsAndSaysOnceWhenThereIsNothing) {
    m_oGrid.SetCellText(1, 2, "Apple");
    m_oGrid.SetCellText(1, 7, "an apple");
    m_oGrid.SetCellText(2, 5, "apple");
    m_oGrid.GotoCell(1, 7);
    Open("apple");
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 2));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 7));
    // Upwards.
    Click("&Up");
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 2));
    EXPECT_TRUE(m_oGrid.m_oMessages.isEmpty());

    Edit("Find what")->setText("pear");
    Click("&Find Next");
    EXPECT_EQ(m_oGrid.m_oMessages, QStringList{"Not Found: Item not found"});
    EXPECT_EQ(Current(), std::pair(1, 2));
    EXPECT_EQ(QApplication::activeWindow(), Dialog());
}

TEST_F(Find, MatchCaseAndWholeCellDecideWhatMatches) {
    m_oGrid.SetCellText(0, 1, "APPLE");
    m_oGrid.SetCellText(0, 2, "apple pie");
    m_oGrid.SetCellText(0, 3, "Apple");
    m_oGrid.GotoCell(0, 0);
    Open("apple");
    Click("Match &case");
    // With case, anywhere: only "apple pie".
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(0, 2));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(0, 2));
    // The whole text matches in any case, even with Match case ticked.
    Click("Match &whole cell only");
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(0, 3));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(0, 1));
    EXPECT_TRUE(m_oGrid.m_oMessages.isEmpty());
}

TEST_F(Find, AcrossTheColumnsTheSearchGoesAlongTheRows) {
    m_oGrid.SetCellText(2, 1, "x");
    m_oGrid.SetCellText(0, 2, "x");
    m_oGrid.SetCellText(1, 1, "x");
    m_oGrid.GotoCell(1, 1);
    m_oGrid.SetFindAcross(1);
    Open("x");
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(2, 1));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(0, 2));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 1));
}

TEST_F(Find, ACellFoundIsShownByTheFirstColumnThatShowsItsCells) {
    // Column 2 shows the cells of column 0; column 1 shows none of them.
    m_oGrid.SetCellText(0, 4, "x");
    m_oGrid.GetColumnInfo(2)->m_nDataSourceCol = 0;
    m_oGrid.GetColumnInfo(0)->m_nDataSourceCol = 1;
    m_oGrid.SetFindAcross(1);
    m_oGrid.GotoCell(1, 0);
    Open("x");
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(2, 4));
    // A match that no column shows is not found.
    m_oGrid.GetColumnInfo(2)->m_nDataSourceCol = 2;
    m_oGrid.GotoCell(1, 0);
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 0));
    EXPECT_EQ(m_oGrid.m_oMessages, QStringList{"Not Found: Item not found"});
}

TEST_F(Find, EnterFindsTheNextEscClosesAndTheNextWindowStartsAsTheLastEnded) {
    m_oGrid.SetCellText(0, 5, "x");
    Open("x");
    Click("Match &case");
    QTest::keyClick(Edit("Find what"), Qt::Key_Return);
    EXPECT_EQ(Current(), std::pair(0, 5));
    QTest::keyClick(Edit("Find what"), Qt::Key_Escape);
    EXPECT_EQ(Dialog(), nullptr);

    m_oGrid.ReplaceDialog();
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Edit("Find what")->text(), "x");
    EXPECT_TRUE(Control<QCheckBox>("Match &case")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>("&Down")->isChecked());
    EXPECT_TRUE(Edit("Replace with")->isVisible());
    // Asking for the other kind switches the open window.
    FindReplaceDialog* open = Dialog();
    m_oGrid.FindDialog();
    EXPECT_EQ(Dialog(), open);
    EXPECT_FALSE(Edit("Replace with")->isVisible());
    EXPECT_FALSE(Control<QPushButton>("Replace &All")->isVisible());
    EXPECT_EQ(Dialog()->windowTitle(), "Find");
}

TEST_F(Find, NothingCanBeAskedForWithoutAFindText) {
    const QString with = "y";
    Open("", &with);
    EXPECT_FALSE(Control<QPushButton>("&Find Next")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>("Replace &All")->isEnabled());
    QTest::keyClicks(Edit("Find what"), "a");
    EXPECT_TRUE(Control<QPushButton>("&Find Next")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("&Replace")->isEnabled());
}

TEST_F(Find, TheWindowHasLabelledFieldsAndATabOrder) {
    const QString with;
    Open("x", &with);
    for (const QString& name : {QString("Find what"), QString("Replace with")}) {
        QLineEdit* edit = Edit(name);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(edit);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), name);
    }
    EXPECT_EQ(Control<QLabel>("Fi&nd what:")->buddy(), Edit("Find what"));
    EXPECT_EQ(Control<QLabel>("Re&place with:")->buddy(), Edit("Replace with"));
    EXPECT_TRUE(Control<QPushButton>("&Find Next")->isDefault());

    QStringList order;
    Edit("Find what")->setFocus();
    for (int i = 0; i < 9; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
            order << edit->accessibleName();
        } else if (auto* button = qobject_cast<QAbstractButton*>(focus)) {
            order << button->text();
        }
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(order,
              (QStringList{"Find what", "Replace with", "Match &whole cell only", "Match &case",
                           "&Down", "&Find Next", "&Replace", "Replace &All", "Cancel"}));
    // A mnemonic reaches its field.
    QTest::keyClick(Dialog(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Edit("Replace with"));

    // The arrows choose the other direction, which then takes the tab stop.
    Control<QRadioButton>("&Down")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), Control<QRadioButton>("&Up"));
    EXPECT_TRUE(Control<QRadioButton>("&Up")->isChecked());
    Edit("Find what")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Control<QPushButton>("Cancel"));
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    }
    EXPECT_EQ(QApplication::focusWidget(), Control<QRadioButton>("&Up"));
}

TEST_F(Find, TheCurrentCellKeepsItsMarkerWhileTheWindowIsOpen) {
    m_oGrid.GotoCell(1, 1);
    Open("x");
    ASSERT_FALSE(m_oGrid.GetArea()->hasFocus());
    m_oGrid.m_nMarkers = 0;
    m_oGrid.GetArea()->grab();
    EXPECT_EQ(m_oGrid.m_nMarkers, 1);
    Click("Cancel");
    EXPECT_EQ(Dialog(), nullptr);
    m_oGrid.m_nMarkers = 0;
    m_oGrid.GetArea()->grab();
    EXPECT_EQ(m_oGrid.m_nMarkers, 0);
}

TEST_F(Find, ReplaceChangesTheCurrentCellWhenItMatchesAndGoesOn) {
    m_oGrid.SetCellText(0, 1, "Cat cat");
    m_oGrid.SetCellText(0, 4, "cat");
    m_oGrid.SetCellText(0, 6, "dog");
    m_oGrid.GotoCell(0, 1);
    const QString with = "cow";
    Open("cat", &with);
    // Without case: the first occurrence, in any case.
    Click("&Replace");
    EXPECT_EQ(m_oGrid.GetCellText(0, 1), "cow cat");
    EXPECT_EQ(Current(), std::pair(0, 4));
    // With case: every occurrence.
    m_oGrid.GotoCell(0, 1);
    m_oGrid.SetCellText(0, 1, "cat Cat cat");
    Click("Match &case");
    Click("&Replace");
    EXPECT_EQ(m_oGrid.GetCellText(0, 1), "cow Cat cow");
    EXPECT_EQ(Current(), std::pair(0, 4));
    // A current cell that does not match is left alone; the search goes on.
    m_oGrid.GotoCell(0, 6);
    Click("&Replace");
    EXPECT_EQ(m_oGrid.GetCellText(0, 6), "dog");
    EXPECT_EQ(Current(), std::pair(0, 4));
    // A replacement holding the find text stays on the cell it changed.
    Edit("Replace with")->setText("cats");
    Click("&Replace");
    EXPECT_EQ(m_oGrid.GetCellText(0, 4), "cats");
    EXPECT_EQ(Current(), std::pair(0, 4));
    EXPECT_TRUE(m_oGrid.m_oMessages.isEmpty());
}

TEST_F(Find, ReplaceAllChangesEveryMatchOnceAndSaysNothing) {
    for (int row : {0, 3, 5, 9}) {
        m_oGrid.SetCellText(1, row, row == 3 ? "CAT and cat" : "a cat");
    }
    m_oGrid.SetCellText(2, 3, "cat");
    m_oGrid.GotoCell(1, 5);
    // The replacement holds the find text, so that each cell would match again.
    const QString with = "cats";
    Open("cat", &with);
    Click("Replace &All");
    EXPECT_EQ(m_oGrid.GetCellText(1, 0), "a cats");
    EXPECT_EQ(m_oGrid.GetCellText(1, 3), "cats and cat");
    EXPECT_EQ(m_oGrid.GetCellText(1, 5), "a cats");
    EXPECT_EQ(m_oGrid.GetCellText(1, 9), "a cats");
    // Down the current column only.
    EXPECT_EQ(m_oGrid.GetCellText(2, 3), "cat");
    EXPECT_EQ(Current(), std::pair(1, 3));
    EXPECT_TRUE(m_oGrid.m_oMessages.isEmpty());

    Edit("Find what")->setText("bird");
    Click("Replace &All");
    EXPECT_EQ(m_oGrid.m_oMessages, QStringList{"Not Found: Item not found"});
}

TEST_F(Find, ReplaceAllReplacesAWholeCellInAnyCaseAndLeavesReadOnlyCells) {
    m_oGrid.SetCellText(0, 2, "AB");
    m_oGrid.SetCellText(0, 4, "ab");
    m_oGrid.SetCellText(0, 6, "abc");
    GridCell locked;
    locked.SetText("ab");
    locked.SetReadOnly(true);
    m_oGrid.SetCell(0, 8, locked);
    const QString with = "x";
    Open("ab", &with);
    Click("Match &case");
    Click("Match &whole cell only");
    Click("Replace &All");
    EXPECT_EQ(m_oGrid.GetCellText(0, 2), "x");
    EXPECT_EQ(m_oGrid.GetCellText(0, 4), "x");
    EXPECT_EQ(m_oGrid.GetCellText(0, 6), "abc");
    EXPECT_EQ(m_oGrid.GetCellText(0, 8), "ab");
    EXPECT_TRUE(m_oGrid.m_oMessages.isEmpty());
}

TEST_F(Find, ReplaceAllEndsWhenTheStoreChangesWhatItIsGiven) {
    // The owner stores every text upper-cased, so that "a" -> "b" leaves "B",
    // and a search without case would find "A" again and again.
    m_oGrid.m_bUpperOnStore = true;
    m_oGrid.SetCellText(0, 1, "a");
    m_oGrid.SetCellText(0, 3, "a");
    const QString with = "a";
    Open("A", &with);
    Edit("Replace with")->setText("aa");
    Click("Replace &All");
    EXPECT_EQ(m_oGrid.GetCellText(0, 1), "AA");
    EXPECT_EQ(m_oGrid.GetCellText(0, 3), "AA");
}

TEST_F(Find, TheWindowMovesOutOfTheWayOfTheCellItFound) {
    m_oGrid.SetCellText(1, 6, "x");
    m_oGrid.GotoCell(1, 0);
    Open("x");
    const QRect cell = m_oGrid.GetCellRect(1, 6);
    const QRect onScreen(m_oGrid.GetArea()->mapToGlobal(cell.topLeft()), cell.size());
    Dialog()->move(onScreen.topLeft() - QPoint(20, 10));
    ASSERT_TRUE(Dialog()->frameGeometry().intersects(onScreen));
    Click("&Find Next");
    EXPECT_EQ(Current(), std::pair(1, 6));
    EXPECT_FALSE(Dialog()->frameGeometry().intersects(onScreen));
    EXPECT_TRUE(Dialog()->screen()->availableGeometry().contains(Dialog()->frameGeometry()));
}

TEST_F(Find, ReplaceAllEndsOnTheLastCellItChangedAndLeavesPaintingAsItWas) {
    m_oGrid.SetRowCount(60);
    for (int row = 0; row < 60; row += 3) {
        m_oGrid.SetCellText(0, row, QString("cat %1").arg(row));
    }
    const QString with = "dog";
    Open("cat", &with);
    Click("Replace &All");
    EXPECT_TRUE(m_oGrid.IsUpdateEnabled());
    EXPECT_EQ(Current(), std::pair(0, 57));
    EXPECT_EQ(m_oGrid.GetCellText(0, 57), "dog 57");
    EXPECT_LE(m_oGrid.GetTopRow(), 57);
    EXPECT_GT(m_oGrid.GetTopRow(), 0);

    m_oGrid.EnableUpdate(0);
    Edit("Find what")->setText("dog");
    Edit("Replace with")->setText("cat");
    Click("Replace &All");
    EXPECT_FALSE(m_oGrid.IsUpdateEnabled());
    EXPECT_EQ(m_oGrid.GetCellText(0, 30), "cat 30");
    m_oGrid.EnableUpdate(1);
}
