#include "AppFixture.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "grid/GridArea.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

using namespace CommandId;
using Answer = Platform::Answer;

namespace {

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The property view in the editor's own windows, driven through the tree, the grid's
// keys and the menus' router.
class PropertyViewWindow : public AppFixture {
protected:
    void SetUp() override {
        Start();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    // A protocol with a plain command, one of two parameters and one of ten
    // parameters and twenty bytes, opened in a new window.
    CChildFrame* OpenSample() {
        m_strPath = TempPath(QStringLiteral("sample.pcl"));
        std::ofstream file(m_strPath.toStdString(), std::ios::binary);
        file << "[Device]\r\n\r\nDescription=Switcher\r\nTimeout=1\r\n\r\n"
                "[Video:Play]\r\nmessage=PLAY\r\n"
                "param1=byte, \"Input\"\r\nparam2=byte, \"Output\"\r\n\r\n"
                "[Lamp:On]\r\nmessage=ON\r\n\r\n"
                "[Full]\r\nmessage=FULL\r\n";
        for (int i = 1; i <= 10; ++i) {
            file << "param" << i << "=byte, \"P" << i << "\"\r\n";
        }
        for (int i = 1; i <= 20; ++i) {
            file << "byte" << i << "=B" << i << "\r\n";
        }
        file.close();
        EXPECT_NE(app->OpenDocumentFile(m_strPath), nullptr);
        return ActiveChild();
    }

    // A click on a tree item, as the user selects it.
    static void ClickItem(CChildFrame* frame, QTreeWidgetItem* item) {
        ASSERT_NE(item, nullptr);
        QTreeWidget& tree = Tree(frame);
        tree.scrollToItem(item);
        const QRect rect = tree.visualItemRect(item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, rect.center());
        ASSERT_EQ(tree.currentItem(), item);
    }

    // A click on a cell of the property grid, which makes it current and gives the
    // pane the keyboard.
    static void ClickCell(CChildFrame* frame, int col, int row) {
        PropertyGrid& grid = Grid(frame);
        const QRect rect = grid.GetCellRect(col, row);
        ASSERT_FALSE(rect.isNull());
        QTest::mouseClick(grid.GetArea(), Qt::LeftButton, {}, rect.center());
        ASSERT_EQ(grid.GetCurrentRow(), row);
    }

    static std::vector<std::string> Headings(CChildFrame* frame) {
        std::vector<std::string> headings;
        for (int row = 0; row < Grid(frame).GetRowCount(); ++row) {
            headings.push_back(QtText::ToUtf8(Grid(frame).GetCellText(0, row)));
        }
        return headings;
    }

    // Enabled in the Edit menu as it opens: Cut, Copy, Paste, New Param, New Byte,
    // Remove Param, Remove Byte.
    std::string EditRules() {
        MenuItems("Edit");
        std::string out;
        for (int id : {EditCut, EditCopy, EditPaste, NewParam, NewByte, RemoveParam, RemoveByte}) {
            out += Enabled(id) ? "1" : "0";
        }
        return out;
    }

    QString m_strPath;
};

} // namespace

TEST_F(PropertyViewWindow, SelectingTreeItemsShowsTheirRows) {
    CChildFrame* child = OpenSample();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(platform.messages.empty());
    ClickItem(child, Item(child, {}));
    EXPECT_EQ(Grid(child).GetRowCount(), 18);
    EXPECT_EQ(Grid(child).GetCellText(1, 0), "Switcher");
    ClickItem(child, Item(child, {"Video"}));
    EXPECT_EQ(Headings(child), std::vector<std::string>{"This is a Command Category."});
    ClickItem(child, Item(child, {"Video", "Play"}));
    EXPECT_EQ(Grid(child).GetRowCount(), 10);
    EXPECT_EQ(Grid(child).GetCellText(1, 8), "byte, \"Output\"");
    ClickItem(child, Item(child, {"Lamp", "On"}));
    EXPECT_EQ(Grid(child).GetRowCount(), 8);
    ClickItem(child, Item(child, {"Full"}));
    EXPECT_EQ(Grid(child).GetRowCount(), 38);
    EXPECT_EQ(Grid(child).GetCellText(1, 36), "B20");
}

TEST_F(PropertyViewWindow, RenamingACommandMovesItInTheTreeAndTheDescriptionRenamesTheTop) {
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    ClickItem(child, Item(child, {"Video", "Play"}));
    ClickCell(child, 1, 0);
    EXPECT_EQ(child->GetActiveView(), child->GetRightPane());
    Type(QStringLiteral("Lamp:Off"));
    Key(Qt::Key_Return);
    EXPECT_EQ(doc->GetCommand(0)->m_strName, "Lamp:Off");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_NE(Item(child, {"Lamp", "Off"}), nullptr);
    EXPECT_EQ(Item(child, {"Video"}), nullptr);
    // The view goes on showing the command, which the tree no longer selects.
    EXPECT_EQ(Grid(child).GetCellText(1, 0), "Lamp:Off");
    EXPECT_EQ(child->GetRightPane()->GetItem(), 1);
    EXPECT_TRUE(Tree(child).selectedItems().isEmpty());

    ClickItem(child, Item(child, {}));
    ClickCell(child, 1, 0);
    Type(QStringLiteral("Mixer"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Tree(child).topLevelItem(0)->text(0), "Mixer");
    EXPECT_EQ(doc->GetProtocol().m_strDescription, "Mixer");
}

TEST_F(PropertyViewWindow, SelectingAnotherTreeItemDropsAnOpenEdit) {
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    ClickItem(child, Item(child, {"Lamp", "On"}));
    ClickCell(child, 1, 7);
    Type(QStringLiteral("dropped"));
    ASSERT_TRUE(Grid(child).IsEditing());
    ClickItem(child, Item(child, {"Full"}));
    EXPECT_FALSE(Grid(child).IsEditing());
    EXPECT_EQ(doc->GetCommand(1)->m_strMessage, "ON");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Grid(child).GetRowCount(), 38);
}

TEST_F(PropertyViewWindow, TheEditKeysWorkOnCellsWhileThePropertyViewIsActive) {
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    ClickItem(child, Item(child, {"Video", "Play"}));
    platform.clipboard = std::nullopt;
    ClickCell(child, 0, 7);
    EXPECT_EQ(EditRules(), "0001110") << "a heading, Param1";
    ClickCell(child, 1, 9);
    EXPECT_EQ(EditRules(), "1101100") << "Message, nothing on the clipboard";

    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboard, "PLAY");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetCommandCount(), 3) << "no command was copied or pasted";
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboard, "PLAY");
    EXPECT_TRUE(doc->GetCommand(0)->m_strMessage.empty());
    EXPECT_TRUE(doc->IsModified());
    ClickCell(child, 1, 7);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(doc->GetCommand(0)->m_oParam[0].m_strText, "PLAY");
    EXPECT_EQ(Grid(child).GetCellText(1, 7), "PLAY");
    // Delete in the value column empties the field; in the heading column nothing.
    ClickCell(child, 1, 1);
    Key(Qt::Key_Delete);
    EXPECT_TRUE(doc->GetCommand(0)->m_strDescription.empty());
    ClickCell(child, 0, 8);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Grid(child).GetCellText(0, 8), "Param2");
    EXPECT_EQ(doc->GetCommand(0)->m_oParam[1].m_strText, "byte, \"Output\"");

    // With the tree active the same keys work on commands again.
    ClickItem(child, Item(child, {"Lamp", "On"}));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(app->ClipCommand().m_strName, "Lamp:On");
    EXPECT_EQ(EditRules(), "1111100");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PropertyViewWindow, NewParamAndNewByteReachTheViewFromEitherPane) {
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    ClickItem(child, Item(child, {"Video", "Play"}));
    ASSERT_EQ(child->GetActiveView(), child->GetLeftPane());
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc->GetCommand(0)->m_nParams, 3);
    EXPECT_EQ(doc->GetCommand(0)->m_oParam[2].m_strText, "New Param");
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(
        Headings(child),
        (std::vector<std::string>{"Name", "Description", "Supported", "MsgAck", "CmpAck", "Timeout",
                                  "Retries", "Param1", "Param2", "Param3", "Byte1", "Message"}));

    // Remove Param and Remove Byte are the property view's alone.
    EXPECT_EQ(EditRules(), "1111100");
    platform.clipboard = std::nullopt;
    ClickCell(child, 1, 8);
    EXPECT_EQ(EditRules(), "1101110");
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveParam));
    EXPECT_EQ(doc->GetCommand(0)->m_oParam[1].m_strText, "New Param");
    EXPECT_EQ(doc->GetCommand(0)->m_nParams, 2);
    ClickCell(child, 1, 9);
    EXPECT_EQ(EditRules(), "1101101");
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveByte));
    EXPECT_EQ(doc->GetCommand(0)->m_nBytes, 0);
    EXPECT_FALSE(Frame().ExecuteCommand(RemoveByte)) << "the Message row";
}

TEST_F(PropertyViewWindow, TheShownCommandCutInAnotherWindowLeavesNoRecord) {
    CChildFrame* first = OpenSample();
    CTesselDoc* doc = first->GetDocument();
    ClickItem(first, Item(first, {"Full"}));
    ClickCell(first, 1, 3);
    ASSERT_TRUE(Frame().ExecuteCommand(WindowNew));
    CChildFrame* second = ActiveChild();
    ASSERT_NE(second, first);
    // Removing a command before it: the first window follows its command.
    ClickItem(second, Item(second, {"Video", "Play"}));
    platform.answers = {Answer::Yes};
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveCommand));
    EXPECT_EQ(first->GetRightPane()->GetItem(), 2);
    EXPECT_EQ(Grid(first).GetCellText(1, 0), "Full");
    // An edit in the second window shows in the first.
    ClickItem(second, Item(second, {"Full"}));
    ClickCell(second, 1, 5);
    Type(QStringLiteral("9"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid(first).GetCellText(1, 5), "9");

    // The shown command cut in the second window.
    ClickItem(second, Item(second, {"Full"}));
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc->GetCommandCount(), 1);
    EXPECT_EQ(Grid(first).GetRowCount(), 0);
    EXPECT_EQ(first->GetRightPane()->GetItem(), -1);

    Frame().ActivateChildFrame(first);
    first->GetRightPane()->setFocus();
    doc->SetModifiedFlag(false);
    platform.clipboard = "x";
    EXPECT_EQ(EditRules(), "0001111");
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    Type(QStringLiteral("z"));
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveParam));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetCommand(0)->m_strName, "Lamp:On");
    EXPECT_EQ(doc->GetCommand(0)->m_nParams, 0);
}

TEST_F(PropertyViewWindow, SaveStoresAnOpenEditFirstAndTheFileHoldsIt) {
    CChildFrame* child = OpenSample();
    ClickItem(child, Item(child, {"Lamp", "On"}));
    ClickCell(child, 1, 5);
    Type(QStringLiteral("750"));
    ASSERT_TRUE(Grid(child).IsEditing());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Grid(child).IsEditing());
    EXPECT_FALSE(child->GetDocument()->IsModified());
    EXPECT_NE(ReadFile(m_strPath).find("[Lamp:On]\r\ndescription=\r\ntimeout=750\r\n"),
              std::string::npos);

    // Closed and opened again, the value is there.
    ASSERT_TRUE(Frame().ExecuteCommand(FileClose));
    Settle();
    ASSERT_TRUE(app->GetDocuments().empty());
    ASSERT_NE(app->OpenDocumentFile(m_strPath), nullptr);
    CChildFrame* again = ActiveChild();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(again->GetDocument()->GetCommand(1)->m_strTimeout, "750");
}

TEST_F(PropertyViewWindow, CloseAndPrintStoreAnOpenEditFirst) {
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    ClickItem(child, Item(child, {"Lamp", "On"}));
    // What printing would print: the model as it is when printing starts.
    std::string printed;
    child->GetRightPane()->Commands().Add(
        FilePrint, [&](int) { printed = doc->GetCommand(1)->m_strRetries.str(); });
    ClickCell(child, 1, 6);
    Type(QStringLiteral("4"));
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed, "4");

    // Closing the window asks about the edit just made.
    ClickCell(child, 1, 2);
    Type(QStringLiteral("no"));
    platform.answers = {Answer::Cancel};
    EXPECT_FALSE(child->close());
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{"Save changes to " + m_strPath.toStdString() + "?"});
    EXPECT_EQ(doc->GetCommand(1)->m_strSupported, "no");

    // So does Exit, and an edit that cannot be stored keeps everything open.
    platform.messages.clear();
    ClickCell(child, 1, 3);
    Type(QStringLiteral("a"));
    auto* editor = qobject_cast<QPlainTextEdit*>(Grid(child).GetEditorWindow());
    ASSERT_NE(editor, nullptr);
    editor->insertPlainText(QStringLiteral("\nb"));
    EXPECT_FALSE(Frame().ExecuteCommand(AppExit));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{CTesselView::kLineBreakMessage});
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(app->GetDocuments().size(), 1u);
    editor->setPlainText(QStringLiteral("ack"));
    platform.messages.clear();
    platform.answers = {Answer::No};
    Frame().ExecuteCommand(AppExit);
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{"Save changes to " + m_strPath.toStdString() + "?"});
}

// Both panes print the window's one listing, through the printer Print Setup
// chose, and the preview's last look is kept for the next run.
TEST_F(PropertyViewWindow, PrintAndPreviewFromEitherPaneGiveTheSameListing) {
    CChildFrame* child = OpenSample();
    QPrinter& printer = app->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    platform.printDialogAnswer = [](QPrinter&) { return true; };
    auto pdfText = [](const QString& pdf) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };

    ClickItem(child, Item(child, {"Lamp", "On"}));
    printer.setOutputFileName(TempPath(QStringLiteral("tree.pdf")));
    ASSERT_TRUE(Enabled(FilePrint));
    Key(Qt::Key_P, Qt::ControlModifier);
    ClickCell(child, 1, 0);
    printer.setOutputFileName(TempPath(QStringLiteral("view.pdf")));
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(platform.printDialogCount, 2);
    EXPECT_TRUE(platform.messages.empty());
    QString fromTree = pdfText(TempPath(QStringLiteral("tree.pdf")));
    EXPECT_TRUE(fromTree.contains(QStringLiteral("Protocol Listing")));
    EXPECT_TRUE(fromTree.contains(QStringLiteral("Video:Play")));
    EXPECT_TRUE(fromTree.contains(QStringLiteral("Byte20:")));
    EXPECT_EQ(fromTree, pdfText(TempPath(QStringLiteral("view.pdf"))));

    ClickItem(child, Item(child, {"Lamp", "On"}));
    platform.previewPagesAtClose = 1;
    ASSERT_TRUE(Frame().ExecuteCommand(FilePrintPreview));
    EXPECT_EQ(platform.previewPagesAsked, std::vector<int>{2});
    ASSERT_EQ(platform.previewPageCounts.size(), 1u);
    EXPECT_EQ(platform.previewPageCounts[0], 2) << "three commands, one with 30 lines";
    Restart();
    EXPECT_EQ(app->GetPreviewPages(), 1);
}
