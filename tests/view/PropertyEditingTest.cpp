#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "ProtocolSnapshot.h"
#include "ScriptedPlatform.h"
#include "ViewWindow.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "grid/GridArea.h"
#include "model/Codepage.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

using namespace CommandId;

namespace {

std::vector<std::string> Numbered(int count, const char* stem) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) {
        texts.push_back(stem + std::to_string(i));
    }
    return texts;
}

// A view on a protocol of a plain command, one with two parameters and a byte, and
// a full one, showing the full one with the keyboard in its cells.
class PropertyEditing : public ::testing::Test {
protected:
    PropertyEditing()
        : window(doc, app,
                 {MakeCommand("Lamp:On"), MakeCommand("Video:Play", {"A", "B"}, {"0x02"}),
                  MakeCommand("Full", Numbered(10, "p"), Numbered(20, "b"))}) {
        window.View().ShowItem(3);
        window.Grid().GetArea()->setFocus();
    }

    const Command& Full() const { return *doc.GetCommand(2); }

    // Opens the editor on a value by typing `text`, then presses `key`.
    void Edit(int row, const QString& text, Qt::Key key = Qt::Key_Return) {
        window.Grid().GotoCell(1, row);
        window.Type(text);
        ASSERT_TRUE(window.Editing());
        window.Key(key);
    }

    ScriptedPlatform platform;
    ViewApplication app;
    CTesselDoc doc;
    ViewWindow window;
};

} // namespace

TEST_F(PropertyEditing, ADoubleClickOnAValueOpensTheEditorAndOnAHeadingItDoesNot) {
    window.DoubleClick(0, 1);
    EXPECT_FALSE(window.Editing());
    window.DoubleClick(1, 1);
    ASSERT_TRUE(window.Editing());
    EXPECT_EQ(window.Grid().GetEditRow(), 1);
    EXPECT_EQ(window.EditorText(), "Desc of Full");
    window.Key(Qt::Key_Escape);
    EXPECT_FALSE(window.Editing());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, TypingAVisibleCharacterOpensTheEditorWithJustThatCharacter) {
    window.Grid().GotoCell(1, 5);
    window.Type(QStringLiteral(" "));
    EXPECT_FALSE(window.Editing()) << "a blank opens nothing";
    window.Type(QStringLiteral("x"));
    ASSERT_TRUE(window.Editing());
    EXPECT_EQ(window.EditorText(), "x");
    window.Type(QStringLiteral("yz"));
    window.Key(Qt::Key_Return);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Full().m_strTimeout, "xyz") << "stored as typed";
    EXPECT_EQ(window.Value(5), "xyz");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(window.Grid().GetCurrentRow(), 5) << "finishing an edit does not move on";

    // In the heading column typing does nothing.
    window.Grid().GotoCell(0, 6);
    window.Type(QStringLiteral("q"));
    EXPECT_FALSE(window.Editing());
}

TEST_F(PropertyEditing, EnterMovesDownTheValuesExceptOnTheLastRow) {
    window.Grid().GotoCell(1, 3);
    window.Key(Qt::Key_Return);
    EXPECT_EQ(window.Grid().GetCurrentRow(), 4);
    EXPECT_EQ(window.Grid().GetCurrentColumn(), 1);
    window.Grid().GotoCell(1, 37);
    window.Key(Qt::Key_Return);
    EXPECT_EQ(window.Grid().GetCurrentRow(), 37);
    // Up and Down that end an edit leave the current cell where it was.
    Edit(10, QStringLiteral("k"), Qt::Key_Down);
    EXPECT_EQ(window.Grid().GetCurrentRow(), 10);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Full().m_oParam[3].m_strText, "k") << "stored all the same";
}

TEST_F(PropertyEditing, EveryRowWritesItsOwnField) {
    Edit(16, QStringLiteral("tenth"));
    Edit(36, QStringLiteral("twentieth"));
    Edit(37, QStringLiteral("MSG2"));
    Edit(3, QStringLiteral("mack"));
    Edit(4, QStringLiteral("cack"));
    Edit(6, QStringLiteral("abc"));
    EXPECT_EQ(Full().m_oParam[9].m_strText, "tenth");
    EXPECT_EQ(Full().m_strByte[19], "twentieth");
    EXPECT_EQ(Full().m_strMessage, "MSG2");
    EXPECT_EQ(Full().m_strMessageAck, "mack");
    EXPECT_EQ(Full().m_strCompletionAck, "cack");
    EXPECT_EQ(Full().m_strRetries, "abc");
    EXPECT_EQ(Full().m_oParam[8].m_strText, "p9");
    EXPECT_EQ(Full().m_strByte[18], "b19");
    // The next ShowItem shows what was stored.
    window.View().ShowItem(3);
    EXPECT_EQ(window.Value(16), "tenth");
    EXPECT_EQ(window.Value(36), "twentieth");

    // The device header, by position.
    window.View().ShowItem(0);
    Edit(15, QStringLiteral("7"));
    Edit(17, QStringLiteral("Lights"));
    EXPECT_EQ(doc.GetProtocol().m_strAddress, "7");
    EXPECT_EQ(doc.GetProtocol().m_strVantorType, "Lights");
    // The file name is a path, kept in UTF-8; other values go into the code page.
    Edit(1, QString::fromUtf8("/tmp/\xC3\xA9t\xC3\xA9.pcl"));
    Edit(6, QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(doc.GetProtocol().m_strFileName, "/tmp/\xC3\xA9t\xC3\xA9.pcl");
    EXPECT_EQ(doc.GetProtocol().m_strMaker, "\xE9t\xE9");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PropertyEditing, EscapeChangesNothingAndMarksNothing) {
    Edit(0, QStringLiteral("Other"), Qt::Key_Escape);
    EXPECT_EQ(Full().m_strName, "Full");
    EXPECT_EQ(window.Value(0), "Full");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, AnEditOfARowThatNamesNoFieldIsKeptInTheGridAndMarksTheDocument) {
    window.View().ShowItem(-1);
    window.Grid().GotoCell(1, 0);
    window.Type(QStringLiteral("z"));
    window.Key(Qt::Key_Return);
    EXPECT_EQ(window.Value(0), "z");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PropertyEditing, ATextTheFileCannotHoldKeepsTheEditorOpenWithAMessage) {
    // A line break pasted into the editor.
    window.Grid().GotoCell(1, 37);
    window.Type(QStringLiteral("A"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\nB"));
    window.Key(Qt::Key_V, Qt::ControlModifier);
    window.Key(Qt::Key_Return);
    ASSERT_EQ(platform.Texts(), std::vector<std::string>{CTesselView::kLineBreakMessage});
    EXPECT_TRUE(window.Editing()) << "what was typed is not lost";
    EXPECT_EQ(window.EditorText(), "A\nB");
    EXPECT_EQ(Full().m_strMessage, "MSG");
    EXPECT_FALSE(doc.IsModified());
    window.Key(Qt::Key_Escape);
    EXPECT_FALSE(window.Editing());

    // A character outside the code page.
    platform.messages.clear();
    Edit(1, QString::fromUtf8("snow \xE2\x98\x83"));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{Codepage::RefusalMessage(0x2603)});
    EXPECT_TRUE(window.Editing());
    EXPECT_EQ(Full().m_strDescription, "Desc of Full");
    window.Key(Qt::Key_Escape);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, ATextTheFileWouldNotGiveBackIsRefusedWithAMessage) {
    const std::string before = Snapshot(doc.GetProtocol());
    struct Case {
        int row;
        std::optional<std::string> text; // pasted; nothing: deleted
        const char* message;
    };
    for (const Case& c : {Case{0, "Lamp]On", CTesselView::kCommandNameMessage},
                          Case{0, std::nullopt, CTesselView::kCommandNameMessage},
                          Case{1, " Desc", CTesselView::kLeadingBlankMessage},
                          Case{7, "\tbyte", CTesselView::kLeadingBlankMessage},
                          Case{37, ";MSG", CTesselView::kLeadingCommentMessage}}) {
        SCOPED_TRACE(c.text.value_or("(deleted)"));
        platform.messages.clear();
        window.Grid().GotoCell(1, c.row);
        platform.clipboard = c.text;
        if (c.text) {
            ASSERT_TRUE(window.Run(EditPaste));
        } else {
            window.Key(Qt::Key_Delete);
        }
        EXPECT_EQ(platform.Texts(), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(Snapshot(doc.GetProtocol()), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, ResizingTheViewDropsAnOpenEdit) {
    window.Grid().GotoCell(1, 2);
    window.Type(QStringLiteral("dropped"));
    ASSERT_TRUE(window.Editing());
    window.Splitter().resize(500, 300);
    QApplication::processEvents();
    EXPECT_FALSE(window.Editing());
    EXPECT_TRUE(Full().m_strSupported.empty());
    EXPECT_EQ(window.Value(2), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, ShowItemDropsAnOpenEdit) {
    window.Grid().GotoCell(1, 0);
    window.Type(QStringLiteral("Renamed"));
    window.View().ShowItem(1);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Full().m_strName, "Full");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PropertyEditing, EndEditingStoresWhatWasTypedAsEnterWould) {
    EXPECT_TRUE(window.View().EndEditing()) << "nothing open";
    window.Grid().GotoCell(1, 5);
    window.Type(QStringLiteral("42"));
    EXPECT_TRUE(window.View().EndEditing());
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Full().m_strTimeout, "42");
    EXPECT_EQ(window.Value(5), "42");
    EXPECT_TRUE(doc.IsModified());

    // What cannot be stored keeps the edit open and says so.
    window.Grid().GotoCell(1, 6);
    window.Type(QStringLiteral("a"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\r"));
    window.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(window.View().EndEditing());
    EXPECT_TRUE(window.Editing());
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{CTesselView::kLineBreakMessage});
}

TEST_F(PropertyEditing, CopyAndCutWorkOnValuesWhileARecordIsShown) {
    window.Grid().GotoCell(0, 4);
    EXPECT_FALSE(window.Enabled(EditCopy)) << "a heading";
    EXPECT_FALSE(window.Enabled(EditCut));
    platform.clipboard = "x";
    EXPECT_FALSE(window.Enabled(EditPaste));

    window.Grid().GotoCell(1, 7);
    EXPECT_TRUE(window.Enabled(EditCopy));
    ASSERT_TRUE(window.Run(EditCopy));
    EXPECT_EQ(platform.clipboard, "p1");
    EXPECT_FALSE(doc.IsModified());

    // Cut empties the cell and the field behind it.
    window.Grid().GotoCell(1, 37);
    ASSERT_TRUE(window.Run(EditCut));
    EXPECT_EQ(platform.clipboard, "MSG");
    EXPECT_EQ(window.Value(37), "");
    EXPECT_TRUE(Full().m_strMessage.empty());
    EXPECT_TRUE(doc.IsModified());
    window.View().ShowItem(3);
    EXPECT_EQ(window.Value(37), "") << "what is seen is what is saved";

    // The category notice has no values to copy.
    window.View().ShowItem(-1);
    window.Grid().GotoCell(1, 0);
    EXPECT_FALSE(window.Enabled(EditCopy));
    EXPECT_FALSE(window.Enabled(EditCut));
    EXPECT_FALSE(window.Enabled(EditPaste));
}

TEST_F(PropertyEditing, PasteWritesTheClipboardsTextIntoTheValueAndItsField) {
    window.Grid().GotoCell(1, 37);
    platform.clipboard = std::nullopt;
    EXPECT_FALSE(window.Enabled(EditPaste)) << "no text";
    window.View().OnEditPaste();
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"There was no Text in the clipboard"});
    EXPECT_EQ(Full().m_strMessage, "MSG");
    EXPECT_FALSE(doc.IsModified());

    platform.messages.clear();
    platform.clipboard = "\xE2\x82\xAC 5";
    EXPECT_TRUE(window.Enabled(EditPaste));
    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_EQ(window.Value(37), QString::fromUtf8("\xE2\x82\xAC 5"));
    EXPECT_EQ(Full().m_strMessage, "\x80 5");
    EXPECT_TRUE(doc.IsModified());

    // An empty text is text.
    platform.clipboard = "";
    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_TRUE(Full().m_strMessage.empty());

    // Text the file cannot hold changes nothing.
    platform.clipboard = "two\r\nlines";
    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{CTesselView::kLineBreakMessage});
    EXPECT_EQ(window.Value(37), "");
    EXPECT_TRUE(Full().m_strMessage.empty());
}

TEST_F(PropertyEditing, DeleteEmptiesAValueAndItsFieldButNeverAHeading) {
    window.Grid().GotoCell(0, 7);
    window.Key(Qt::Key_Delete);
    EXPECT_EQ(window.Grid().GetCellText(0, 7), "Param1");
    EXPECT_FALSE(doc.IsModified());

    window.Grid().GotoCell(1, 3);
    window.Key(Qt::Key_Delete);
    EXPECT_EQ(window.Value(3), "");
    EXPECT_TRUE(Full().m_strMessageAck.empty());
    EXPECT_TRUE(doc.IsModified());
    // The row still edits its field.
    Edit(3, QStringLiteral("again"));
    EXPECT_EQ(Full().m_strMessageAck, "again");
}

// The file cannot hold an empty parameter or byte: the reader would stop there.
TEST_F(PropertyEditing, AParameterOrByteIsNeverEmptied) {
    const auto refused = [&](int row, const char* heading, const char* value) {
        EXPECT_EQ(
            platform.Texts(),
            std::vector<std::string>{
                QString::asprintf(CTesselView::kEmptyNumberedMessage, heading).toStdString()});
        EXPECT_EQ(window.Value(row), value);
        EXPECT_FALSE(doc.IsModified());
        platform.messages.clear();
    };
    window.Grid().GotoCell(1, 7);
    window.Key(Qt::Key_Delete);
    refused(7, "Param1", "p1");
    EXPECT_EQ(Full().m_oParam[0].m_strText, "p1");

    window.Grid().GotoCell(1, 36);
    platform.clipboard = "x";
    ASSERT_TRUE(window.Run(EditCut));
    refused(36, "Byte20", "b20");
    EXPECT_EQ(Full().m_strByte[19], "b20");
    EXPECT_EQ(Full().m_nBytes, 20);

    platform.clipboard = "";
    ASSERT_TRUE(window.Run(EditPaste));
    refused(36, "Byte20", "b20");

    // An edit to an empty text keeps its editor open, as any refused edit does.
    window.Grid().GotoCell(1, 17);
    window.Type(QStringLiteral("x"));
    window.Key(Qt::Key_Backspace);
    window.Key(Qt::Key_Return);
    refused(17, "Byte1", "b1");
    EXPECT_TRUE(window.Editing());
    window.Key(Qt::Key_Escape);
    EXPECT_EQ(window.Value(17), "b1");
    EXPECT_EQ(Full().m_strByte[0], "b1");
}
