#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "ViewWindow.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "grid/GridArea.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSideHeading.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

namespace {

class PropertyView : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    ViewApplication app;
    CTesselDoc doc;
};

std::vector<std::string> Numbers(const PropertyGrid& constGrid) {
    auto& grid = const_cast<PropertyGrid&>(constGrid);
    std::vector<std::string> numbers;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        numbers.push_back(grid.GetCellText(-1, row).toStdString());
    }
    return numbers;
}

} // namespace

TEST_F(PropertyView, TheFirstUpdateSetsUpTwoColumnsWithAReadOnlyHeadingColumn) {
    ViewWindow window(doc, app);
    PropertyGrid& grid = window.Grid();
    EXPECT_EQ(grid.property("gridControlId").toInt(), 2000);
    EXPECT_EQ(app.m_nNextGridId, 2001);
    EXPECT_EQ(grid.parentWidget(), &window.View());
    EXPECT_EQ(grid.geometry(), window.View().rect()) << "the grid covers the view";
    EXPECT_EQ(grid.GetColumnCount(), 2);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetCellText(0, -1), "Heading");
    EXPECT_EQ(grid.GetCellText(1, -1), "Data");
    GridCell cell;
    grid.GetGridDefault(cell);
    EXPECT_EQ(cell.GetBackColor(grid.palette()), QColor(255, 255, 200));
    EXPECT_EQ(cell.GetBorder(), 0x2000u);
    EXPECT_EQ(window.View().GetItem(), -1);
    EXPECT_EQ(window.View().windowTitle(),
              "Tessel:  - Double Left or Right Click Column Header to Sort Up or Down");
    EXPECT_EQ(window.Splitter().windowTitle(), "") << "the window's title is the document's";
    doc.SetTitle("lamp.pcl");
    EXPECT_EQ(window.View().windowTitle(),
              "Tessel: lamp.pcl - Double Left or Right Click Column Header to Sort Up or Down");

    // One cell at a time is selected, and the headings cannot be edited.
    window.View().ShowItem(0);
    window.Grid().GotoCell(0, 2);
    EXPECT_NE(window.Grid().StartEdit(), GridCtrl::kOk);
    EXPECT_FALSE(window.Editing());
    window.Grid().SelectRange(0, 0, 1, 3);
    EXPECT_EQ(window.Grid().IsSelected(1, 2), 0);
    // Giving the view the focus gives it to the cells.
    window.View().setFocus();
    EXPECT_EQ(QApplication::focusWidget(), window.Grid().GetArea());
}

TEST_F(PropertyView, TheDeviceHeaderShowsItsEighteenFieldsInOrder) {
    ViewWindow window(doc, app);
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::BaudRate, "9600"));
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Maker, "Caf\xE9"));
    // The file name is a path: its bytes are the file system's UTF-8.
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::FileName, "/tmp/caf\xC3\xA9.pcl"));
    window.View().ShowItem(0);
    EXPECT_EQ(window.View().GetItem(), 0);
    EXPECT_EQ(window.Rows(), (std::vector<std::string>{
                                 "Description=Switcher",
                                 "File Name=/tmp/caf\xC3\xA9.pcl",
                                 "Version=",
                                 "Location=",
                                 "Date=",
                                 "Author=",
                                 "Maker=Caf\xC3\xA9",
                                 "Model=",
                                 "Supported=",
                                 "Interface=",
                                 "Type=",
                                 "Data Bits=",
                                 "Stop Bits=",
                                 "Parity=",
                                 "Baud Rate=9600",
                                 "Address=",
                                 "Protocol=",
                                 "VantorType=",
                             }));
    const std::vector<std::string> numbers = Numbers(window.Grid());
    ASSERT_EQ(numbers.size(), 18u);
    EXPECT_EQ(numbers.front(), " 1");
    EXPECT_EQ(numbers[8], " 9");
    EXPECT_EQ(numbers[9], "10");
    EXPECT_EQ(numbers.back(), "18");
}

TEST_F(PropertyView, ACommandShowsItsFixedRowsParametersBytesAndMessage) {
    std::vector<std::string> ten;
    std::vector<std::string> twenty;
    for (int i = 1; i <= 10; ++i) {
        ten.push_back("p" + std::to_string(i));
    }
    for (int i = 1; i <= 20; ++i) {
        twenty.push_back("b" + std::to_string(i));
    }
    ViewWindow window(doc, app,
                      {MakeCommand("Lamp:On", {}, {}, "ON"),
                       MakeCommand("Video:Play", {"A", "B"}, {}, "PLAY"),
                       MakeCommand("Full", ten, twenty)});
    for (auto [field, value] : std::vector<std::pair<CommandFieldId, const char*>>{
             {CommandFieldId::Supported, "yes"},
             {CommandFieldId::MessageAck, "ack"},
             {CommandFieldId::CompletionAck, "done"},
             {CommandFieldId::Timeout, "100"},
             {CommandFieldId::Retries, "3"}}) {
        ASSERT_TRUE(doc.SetCommandField(0, field, value));
    }

    window.View().ShowItem(1);
    EXPECT_EQ(window.Rows(),
              (std::vector<std::string>{"Name=Lamp:On", "Description=Desc of Lamp:On",
                                        "Supported=yes", "MsgAck=ack", "CmpAck=done", "Timeout=100",
                                        "Retries=3", "Message=ON"}));
    EXPECT_EQ(Numbers(window.Grid()),
              (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8"}));

    window.View().ShowItem(2);
    EXPECT_EQ(window.Headings(),
              (std::vector<std::string>{"Name", "Description", "Supported", "MsgAck", "CmpAck",
                                        "Timeout", "Retries", "Param1", "Param2", "Message"}));
    EXPECT_EQ(window.Value(8), "B");

    window.View().ShowItem(3);
    const std::vector<std::string> headings = window.Headings();
    ASSERT_EQ(headings.size(), 38u);
    EXPECT_EQ(headings[7], "Param1");
    EXPECT_EQ(headings[16], "Param10");
    EXPECT_EQ(headings[17], "Byte1");
    EXPECT_EQ(headings[36], "Byte20");
    EXPECT_EQ(headings[37], "Message");
    EXPECT_EQ(window.Value(16), "p10");
    EXPECT_EQ(window.Value(36), "b20");
    EXPECT_EQ(Numbers(window.Grid()).back(), "38");

    // A category leaves its notice alone, whatever was shown before.
    window.View().ShowItem(-1);
    EXPECT_EQ(window.Rows(),
              (std::vector<std::string>{"This is a Command Category.=Expand its tree and select a "
                                        "specific command."}));
    EXPECT_EQ(window.View().GetItem(), -1);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PropertyView, APositionPastTheListShowsNoRecord) {
    ViewWindow window(doc, app, {MakeCommand("Lamp:On")});
    window.View().ShowItem(1);
    window.View().ShowItem(2);
    EXPECT_EQ(window.Grid().GetRowCount(), 0);
    EXPECT_EQ(window.View().GetItem(), -1);
}

TEST_F(PropertyView, ColumnsFitTheirTextButNeverFallBelow75Pixels) {
    ViewWindow window(doc, app, {MakeCommand("X", {}, {}, "")});
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Description, ""));
    window.View().ShowItem(1);
    int heading = 0;
    int value = 0;
    window.Grid().GetColumnWidth(0, heading);
    window.Grid().GetColumnWidth(1, value);
    EXPECT_GE(heading, 75);
    EXPECT_EQ(value, 75) << "the short values fit in less";
    const QString longText(60, QLatin1Char('W'));
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Message, longText.toStdString()));
    window.View().ShowItem(1);
    window.Grid().GetColumnWidth(1, value);
    EXPECT_GT(value, 200);
    window.Grid().GetColumnWidth(0, heading);
    EXPECT_LE(heading + value, window.Grid().GetArea()->width()) << "the headings stay in view";

    // A narrower window narrows the value column, down to 75 pixels.
    window.Splitter().resize(300, 300);
    QApplication::processEvents();
    window.Grid().GetColumnWidth(1, value);
    EXPECT_LE(heading + value, window.Grid().GetArea()->width());
    window.Splitter().resize(120, 300);
    QApplication::processEvents();
    window.Grid().GetColumnWidth(1, value);
    EXPECT_EQ(value, 75);
}

TEST_F(PropertyView, TheHeadingBarsKeepTheirSizeAndTheBackgroundIsWhite) {
    ViewWindow window(doc, app);
    PropertyGrid& grid = window.Grid();
    EXPECT_EQ(grid.OnTopHeadingResizeQuery(), 0);
    EXPECT_EQ(grid.OnSideHeadingResizeQuery(), 0);
    for (int section = 1; section <= 7; ++section) {
        EXPECT_EQ(grid.OnDefaultBackColor(section), QColor(255, 255, 255));
    }
    // Below the last row the area is painted white.
    window.View().ShowItem(-1);
    QApplication::processEvents();
    const QImage image = grid.GetArea()->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 3), QColor(255, 255, 255));
    // The one row shows the grid's yellow.
    const QRect cell = grid.GetCellRect(1, 0);
    EXPECT_EQ(image.pixelColor(cell.center() + QPoint(0, cell.height() / 2 - 3)),
              QColor(255, 255, 200));
}

TEST_F(PropertyView, TheFocusFrameLiesInsideTheCurrentCell) {
    ViewWindow window(doc, app, {MakeCommand("Lamp:On")});
    window.View().ShowItem(1);
    window.Grid().GetArea()->setFocus();
    window.Grid().GotoCell(1, 2);
    QApplication::processEvents();
    const QRect cell = window.Grid().GetCellRect(1, 2);
    const QImage withFocus = window.Grid().GetArea()->grab().toImage();
    window.Grid().GotoCell(1, 4);
    QApplication::processEvents();
    const QImage without = window.Grid().GetArea()->grab().toImage();
    int differing = 0;
    for (int y = cell.top(); y < cell.bottom(); ++y) {
        for (int x = cell.left(); x < cell.right(); ++x) {
            differing += withFocus.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 0) << "the focus shows";
    // The cell's last column and row of pixels are left to its frame.
    for (int x = cell.left(); x <= cell.right(); ++x) {
        EXPECT_EQ(withFocus.pixel(x, cell.bottom()), without.pixel(x, cell.bottom())) << x;
    }
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        EXPECT_EQ(withFocus.pixel(cell.right(), y), without.pixel(cell.right(), y)) << y;
    }
}

TEST_F(PropertyView, RowNumbersMakeTheHeadingCellCurrentAndTheArrowsGoOnFromThere) {
    ViewWindow window(doc, app, {MakeCommand("Lamp:On")});
    window.View().ShowItem(1);
    PropertyGrid& grid = window.Grid();
    grid.GotoCell(1, 5);
    window.RowNumberPress(2);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    grid.GetArea()->setFocus();
    window.Key(Qt::Key_Down);
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    window.Key(Qt::Key_Up);
    window.Key(Qt::Key_Up);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);

    // The last row's number does nothing; the right button makes its cell current.
    window.RowNumberPress(7);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    window.RowNumberPress(7, Qt::RightButton);
    EXPECT_EQ(grid.GetCurrentRow(), 7);
    EXPECT_EQ(grid.GetCurrentColumn(), 0);
    // A double click on a number opens no editor.
    const QRect number = grid.GetSideHeading()->CellRect(-1, 3);
    QTest::mouseDClick(grid.GetSideHeading(), Qt::LeftButton, {}, number.center());
    EXPECT_FALSE(window.Editing());
}

TEST_F(PropertyView, SortingPutsCellsWithoutTextLastAndComparesTheCodePagesBytes) {
    ViewWindow window(doc, app);
    PropertyGrid& grid = window.Grid();
    GridCell empty;
    GridCell alsoEmpty;
    GridCell upper;
    upper.SetText(QStringLiteral("B"));
    GridCell lower;
    lower.SetText(QStringLiteral("a"));
    GridCell accented; // 0xE9 in the code page, after every ASCII letter
    accented.SetText(QString::fromUtf8("\xC3\xA9"));
    GridCell euro; // 0x80, before the accented letters though its code point is higher
    euro.SetText(QString::fromUtf8("\xE2\x82\xAC"));

    EXPECT_EQ(grid.OnSortCompare(nullptr, nullptr, 0), 0);
    EXPECT_EQ(grid.OnSortCompare(nullptr, &upper, 0), 1);
    EXPECT_EQ(grid.OnSortCompare(&upper, nullptr, 0), -1);
    EXPECT_EQ(grid.OnSortCompare(&empty, &alsoEmpty, 0), 0);
    EXPECT_EQ(grid.OnSortCompare(&empty, &alsoEmpty, 2), 0);
    EXPECT_EQ(grid.OnSortCompare(&empty, &upper, 0), 1);
    EXPECT_EQ(grid.OnSortCompare(&upper, &empty, 0), -1);
    EXPECT_EQ(grid.OnSortCompare(&upper, &lower, 0), -1) << "case-sensitive, byte-wise";
    EXPECT_EQ(grid.OnSortCompare(&upper, &lower, 2), 1);
    EXPECT_EQ(grid.OnSortCompare(&upper, &upper, 2), 0);
    EXPECT_EQ(grid.OnSortCompare(&accented, &lower, 0), 1);
    EXPECT_EQ(grid.OnSortCompare(&euro, &accented, 0), -1);
}

TEST_F(PropertyView, EachRowsHeadingAndValueAreReadableAsAnAccessibleTable) {
    ViewWindow window(doc, app, {MakeCommand("Video:Play", {"A", "B"}, {"0x02"}, "PLAY")});
    window.View().ShowItem(1);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window.Grid());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), "Properties");
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    ASSERT_EQ(cells->rowCount(), 11);
    ASSERT_EQ(cells->columnCount(), 2);
    EXPECT_EQ(cells->columnDescription(0), "Heading");
    EXPECT_EQ(cells->columnDescription(1), "Data");
    std::vector<std::string> read;
    for (int row = 0; row < cells->rowCount(); ++row) {
        read.push_back(cells->cellAt(row, 0)->text(QAccessible::Name).toStdString() + "=" +
                       cells->cellAt(row, 1)->text(QAccessible::Name).toStdString());
    }
    EXPECT_EQ(read, window.Rows());
    EXPECT_EQ(read[8], "Param2=B");
    EXPECT_EQ(cells->rowDescription(9), "10");
    // Another record reshapes the table.
    window.View().ShowItem(0);
    EXPECT_EQ(cells->rowCount(), 18);
    EXPECT_EQ(cells->cellAt(17, 0)->text(QAccessible::Name), "VantorType");
}

// The view follows its command by identity, whichever window changes the list.
TEST_F(PropertyView, TheShownCommandIsFollowedWhenOthersComeAndGo) {
    ViewWindow window(doc, app,
                      {MakeCommand("A:One"), MakeCommand("B:Two"), MakeCommand("C:Three")});
    window.View().ShowItem(3);
    ASSERT_EQ(window.Value(0), "C:Three");
    ASSERT_TRUE(doc.RemoveCommand(0));
    EXPECT_EQ(window.View().GetItem(), 2);
    ASSERT_TRUE(doc.AppendNewCommand());
    EXPECT_EQ(window.View().GetItem(), 2);
    // A change made elsewhere shows at once.
    ASSERT_TRUE(doc.SetCommandField(1, CommandFieldId::Timeout, "250"));
    EXPECT_EQ(window.Value(5), "250");
    ASSERT_TRUE(doc.InsertNumberedText(1, CommandFieldId::Params, 0, "new"));
    EXPECT_EQ(window.Headings()[7], "Param1");
    EXPECT_EQ(window.Value(7), "new");
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Timeout, "other command"));
    EXPECT_EQ(window.Value(5), "250");

    // The command itself goes: no record, and nothing reaches the model.
    window.Grid().GotoCell(1, 0);
    ASSERT_TRUE(doc.RemoveCommand(1));
    EXPECT_EQ(window.View().GetItem(), -1);
    EXPECT_EQ(window.Grid().GetRowCount(), 0);
    doc.SetModifiedFlag(false);
    window.Grid().GetArea()->setFocus();
    window.Key(Qt::Key_Delete);
    EXPECT_EQ(window.Grid().GetCellText(1, -1), "Data") << "the heading is no value";
    window.Type(QStringLiteral("x"));
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(window.Grid().GetCellText(1, -1), "Data");
    platform.clipboard = "pasted";
    for (int id : {CommandId::EditCopy, CommandId::EditCut, CommandId::EditPaste}) {
        EXPECT_FALSE(window.Enabled(id)) << id;
    }
    window.View().OnEditPaste();
    window.View().OnEditCut();
    window.View().OnNewParam();
    window.View().OnNewByte();
    window.View().OnRemoveParam();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetCommandCount(), 2);
    EXPECT_EQ(doc.GetCommand(0)->m_nParams, 0);
    EXPECT_EQ(doc.GetCommand(1)->m_strName, "New Command");

    // The device header follows changes made elsewhere too.
    window.View().ShowItem(0);
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Author, "Kim"));
    EXPECT_EQ(window.Value(5), "Kim");
}

TEST_F(PropertyView, TheRecordShownDecidesWhenCommandsAreEnabled) {
    ViewWindow window(doc, app, {MakeCommand("A:One")});
    QSignalSpy state(&window.View(), &DocumentView::CommandStateChanged);
    window.View().ShowItem(1);
    EXPECT_GE(state.count(), 1);
    state.clear();
    window.Grid().GotoCell(1, 3);
    EXPECT_GE(state.count(), 1) << "a new current cell may change the rules";
}

TEST_F(PropertyView, NoScrollBarShowsWhileTheRecordFitsTheView) {
    ViewWindow window(doc, app);
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::FileName,
                                   "/a/rather/long/path/to/the/protocol/folder/file.pcl"));
    window.Splitter().resize(360, 450);
    QApplication::processEvents();
    window.View().ShowItem(0);
    QApplication::processEvents();
    const auto bars = window.Grid().findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(bars.size(), 2);
    for (const QScrollBar* bar : bars) {
        EXPECT_FALSE(bar->isVisible());
    }
    EXPECT_EQ(window.Grid().GetLeftColumn(), 0);
}
