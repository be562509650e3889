#include <gtest/gtest.h>

#include <QTreeWidget>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "FailingAllocation.h"
#include "ScriptedPlatform.h"
#include "TreeWindow.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

using namespace CommandId;

namespace {

class CommandEditing : public ::testing::Test {
protected:
    CommandEditing() {
        EXPECT_TRUE(doc.SetDeviceField(DeviceFieldId::Description, "Dev"));
        doc.SetModifiedFlag(false);
    }

    std::vector<std::string> Names(const CTesselDoc& document) const {
        std::vector<std::string> names;
        for (int i = 0; i < document.GetCommandCount(); ++i) {
            names.push_back(document.GetCommand(i)->m_strName.str());
        }
        return names;
    }
    std::vector<std::string> Names() const { return Names(doc); }

    // Every command item of `window` names the command at its position: its label is
    // that command's label, or its whole name when it has none.
    void ExpectItemsNameTheirCommands(const TreeWindow& window) {
        std::vector<QTreeWidgetItem*> pending{window.Device()};
        while (!pending.empty()) {
            QTreeWidgetItem* item = pending.back();
            pending.pop_back();
            for (int i = 0; i < item->childCount(); ++i) {
                pending.push_back(item->child(i));
            }
            const int data = CLeftView::ItemData(item);
            if (data < 1) {
                continue;
            }
            const Command* command = window.Left().GetDocument()->GetCommand(data - 1);
            ASSERT_NE(command, nullptr) << item->text(0).toStdString();
            std::string label = command->GetLabel();
            EXPECT_EQ(QtText::ToUtf8(item->text(0)),
                      label.empty() ? command->GetCategory() : label);
        }
    }

    ScriptedPlatform platform;
    TestApplication app;
    CTesselDoc doc;
};

// A command with every text set, also byte and parameter texts beyond its counts.
std::unique_ptr<Command> FullCommand(const std::string& name) {
    auto command = std::make_unique<Command>(name);
    command->m_strDescription = "Switches on";
    command->m_strSupported = "5.00";
    command->m_strMessage = "ON @byte(param1)";
    command->m_strRetries = "3";
    command->m_strTimeout = "500";
    command->m_strMessageAck = "ACK";
    command->m_strCompletionAck = "DONE";
    for (int i = 0; i < Command::kMaxBytes; ++i) {
        command->m_strByte[i] = "0x" + std::to_string(10 + i);
    }
    for (int i = 0; i < Command::kMaxParams; ++i) {
        command->m_oParam[i].m_strText = "byte, \"P" + std::to_string(i) + "\"";
    }
    command->m_nParams = 2;
    command->m_nBytes = 3;
    return command;
}

void ExpectSameCopySet(const Command& a, const Command& b) {
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_strDescription, b.m_strDescription);
    EXPECT_EQ(a.m_strSupported, b.m_strSupported);
    EXPECT_EQ(a.m_strMessage, b.m_strMessage);
    EXPECT_EQ(a.m_strRetries, b.m_strRetries);
    EXPECT_EQ(a.m_strTimeout, b.m_strTimeout);
    EXPECT_EQ(a.m_strMessageAck, b.m_strMessageAck);
    EXPECT_EQ(a.m_strCompletionAck, b.m_strCompletionAck);
    for (int i = 0; i < Command::kMaxBytes; ++i) {
        EXPECT_EQ(a.m_strByte[i], b.m_strByte[i]) << "byte " << i;
    }
    for (int i = 0; i < Command::kMaxParams; ++i) {
        EXPECT_EQ(a.m_oParam[i].m_strText, b.m_oParam[i].m_strText) << "param " << i;
    }
    EXPECT_EQ(a.m_nParams, b.m_nParams);
    EXPECT_EQ(a.m_nBytes, b.m_nBytes);
}

} // namespace

TEST_F(CommandEditing, CopyCutAndRemoveNeedASelectedItemWithoutChildren) {
    AppendCommands(doc, {"Video:Play", "Video", "Video:Stop", "Lamp"});
    TreeWindow window(doc, app);
    auto rules = [&] {
        std::string out;
        for (int id : {EditCopy, EditCut, RemoveCommand, EditPaste, NewCommand}) {
            out += window.Enabled(id) ? "1" : "0";
        }
        return out;
    };
    EXPECT_EQ(rules(), "00011") << "nothing selected";
    window.Select(window.Device());
    EXPECT_EQ(rules(), "00011") << "the device item with commands";
    window.Select(window.Item({"Video"}));
    EXPECT_EQ(window.Item({"Video"})->text(0), "Video");
    EXPECT_EQ(rules(), "00011") << "a category";
    window.Select(window.Item({"Video", "Play"}));
    EXPECT_EQ(rules(), "11111") << "a command";
    window.Select(window.Item({"Lamp"}));
    EXPECT_EQ(rules(), "11111") << "a command without a category";
    // The command Video has received Stop: a group.
    QTreeWidgetItem* videoCommand = window.Device()->child(2);
    ASSERT_EQ(CLeftView::ItemData(videoCommand), 2);
    window.Select(videoCommand);
    EXPECT_EQ(rules(), "00011") << "a command with children";
    window.Select(videoCommand->child(0));
    EXPECT_EQ(rules(), "11111") << "the child of a command";
}

TEST_F(CommandEditing, OnTheDeviceItemOfAnEmptyProtocolTheyAreOnAndDoNothing) {
    TreeWindow window(doc, app);
    window.Select(window.Device());
    for (int id : {EditCopy, EditCut, RemoveCommand}) {
        EXPECT_TRUE(window.Run(id)) << id;
    }
    EXPECT_EQ(doc.GetCommandCount(), 0);
    EXPECT_EQ(app.ClipCommand().m_strName, "New Command");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CommandEditing, ARunAgainstTheRulesOnAGroupShowsTheMessageAndChangesNothing) {
    AppendCommands(doc, {"Video:Play"});
    TreeWindow window(doc, app);
    window.Select(window.Item({"Video"}));
    window.Left().OnEditCopy();
    window.Left().OnEditCut();
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const ScriptedPlatform::Message& message : platform.messages) {
        EXPECT_EQ(message.text, "I can't do that with a group of commands.\nPlease select an "
                                "individual command to copy or cut.");
        EXPECT_EQ(message.kind, Platform::MessageKind::Ok);
    }
    EXPECT_EQ(app.ClipCommand().m_strName, "New Command");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Play"}));
    EXPECT_FALSE(doc.IsModified());
    // Nothing selected: nothing happens, and no message.
    window.Tree().clearSelection();
    window.Left().OnEditCopy();
    window.Left().OnRemoveCommand();
    EXPECT_EQ(platform.messages.size(), 2u);
}

TEST_F(CommandEditing, CopyThenPasteTwiceAddsTwoCopiesUnderItsCategory) {
    AppendCommands(doc, {"Lamp:On", "Video:Play"});
    ASSERT_TRUE(doc.AppendCopy(*FullCommand("Lamp:Off")));
    doc.SetModifiedFlag(false);
    TreeWindow window(doc, app);
    window.Select(window.Item({"Lamp", "Off"}));
    ASSERT_TRUE(window.Run(EditCopy));
    ExpectSameCopySet(app.ClipCommand(), *doc.GetCommand(2));
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Lamp:On", "Video:Play", "Lamp:Off", "Lamp:Off",
                                                 "Lamp:Off"}));
    ExpectSameCopySet(*doc.GetCommand(3), *doc.GetCommand(2));
    ExpectSameCopySet(*doc.GetCommand(4), *doc.GetCommand(2));
    // Selecting Off expanded its category.
    EXPECT_EQ(window.Shape(), "Dev(0){Lamp(-1){On(1) Off(3) Off(4) Off(5)} Video(-1)[Play(2)]}");
    // The pasted commands are the document's own: changing the clipboard leaves them.
    app.ClipCommand().m_strDescription = "changed";
    EXPECT_EQ(doc.GetCommand(3)->m_strDescription, "Switches on");
}

TEST_F(CommandEditing, PasteBeforeAnyCopyAddsTheClipboardsFirstCommand) {
    TreeWindow window(doc, app);
    ASSERT_TRUE(window.Run(EditPaste));
    ASSERT_EQ(doc.GetCommandCount(), 1);
    const Command& pasted = *doc.GetCommand(0);
    EXPECT_EQ(pasted.m_strName, "New Command");
    EXPECT_EQ(pasted.m_strDescription, "");
    EXPECT_EQ(pasted.m_strMessage, "");
    EXPECT_EQ(pasted.m_nParams, 0);
    EXPECT_EQ(pasted.m_nBytes, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(window.Shape(), "Dev(0){New Command(1)}");
}

TEST_F(CommandEditing, NewCommandAddsItsDefaultsAndLeavesTheModifiedFlag) {
    AppendCommands(doc, {"Video:Play"});
    TreeWindow window(doc, app);
    window.Select(window.Item({"Video"}));
    window.Item({"Video"})->setExpanded(true);
    window.Select(window.Item({"Video", "Play"}));
    ASSERT_TRUE(window.Run(NewCommand));
    ASSERT_TRUE(window.Run(NewCommand));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(window.Shape(), "Dev(0){New Command(2) New Command(3) Video(-1){Play(1)}}");
    const Command& added = *doc.GetCommand(1);
    EXPECT_EQ(added.m_strDescription, "Description of Command");
    EXPECT_EQ(added.m_strMessage, "Message goes here");
    // The selection and what the view shows stay.
    EXPECT_EQ(window.Tree().selectedItems(),
              QList<QTreeWidgetItem*>{window.Item({"Video", "Play"})});
    EXPECT_EQ(window.Right().GetItem(), 1);
}

TEST_F(CommandEditing, CutOfTheOnlyCommandOfACategoryTakesTheCategoryAndPasteBringsItBack) {
    AppendCommands(doc, {"Lamp:On", "Video:Play", "Video:Stop"});
    TreeWindow window(doc, app);
    window.Item({"Video"})->setExpanded(true);
    window.Select(window.Item({"Lamp", "On"}));
    ASSERT_TRUE(window.Run(EditCut));
    EXPECT_TRUE(platform.messages.empty()) << "no question";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Play", "Video:Stop"}));
    EXPECT_EQ(app.ClipCommand().m_strName, "Lamp:On");
    // Built again: categories collapsed, nothing selected, positions moved.
    EXPECT_EQ(window.Shape(), "Dev(0){Video(-1)[Play(1) Stop(2)]}");
    EXPECT_TRUE(window.Tree().selectedItems().isEmpty());
    EXPECT_FALSE(window.Enabled(EditCut));

    ASSERT_TRUE(window.Run(EditPaste));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Play", "Video:Stop", "Lamp:On"}));
    EXPECT_EQ(window.Shape(), "Dev(0){Lamp(-1)[On(3)] Video(-1)[Play(1) Stop(2)]}");
}

TEST_F(CommandEditing, RemoveAsksAboutTheLabelAndRemovesOnlyOnYes) {
    AppendCommands(doc, {"Video:Play", "Video:Stop", "Lamp"});
    TreeWindow window(doc, app);
    window.Item({"Video"})->setExpanded(true);
    window.Select(window.Item({"Video", "Play"}));
    const std::string before = window.Shape();

    platform.answers = {Platform::Answer::No};
    ASSERT_TRUE(window.Run(RemoveCommand));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Are you sure you want to delete the entire command\n\n\" Play \" ?\n");
    EXPECT_EQ(platform.messages[0].kind, Platform::MessageKind::YesNo);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Play", "Video:Stop", "Lamp"}));
    EXPECT_EQ(window.Shape(), before);
    EXPECT_FALSE(doc.IsModified());

    platform.answers = {Platform::Answer::Yes};
    ASSERT_TRUE(window.Run(RemoveCommand));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Stop", "Lamp"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(window.Shape(), "Dev(0){Lamp(2) Video(-1)[Stop(1)]}");
    // The rebuilt items carry the new positions.
    window.Select(window.Item({"Lamp"}));
    EXPECT_EQ(window.Right().GetItem(), 2);
    ExpectItemsNameTheirCommands(window);
    EXPECT_EQ(platform.unexpectedQuestions, 0);
}

TEST_F(CommandEditing, TheRemoveQuestionShowsTheLabelAsTheTreeDoes) {
    AppendCommands(doc, {"Licht:Hell\xe4", "Solo"});
    TreeWindow window(doc, app);
    platform.answers = {Platform::Answer::No, Platform::Answer::No};
    window.Select(window.Item({"Licht", "Hell\u00e4"}));
    ASSERT_TRUE(window.Run(RemoveCommand));
    window.Select(window.Item({"Solo"}));
    ASSERT_TRUE(window.Run(RemoveCommand));
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{
                  "Are you sure you want to delete the entire command\n\n\" Hell\xc3\xa4 \" ?\n",
                  "Are you sure you want to delete the entire command\n\n\" Solo \" ?\n"}));
}

TEST_F(CommandEditing, EveryTreeOfTheDocumentFollowsAChangeMadeInAnother) {
    AppendCommands(doc, {"Video:Play", "Lamp:On", "Video:Stop", "Solo"});
    TreeWindow first(doc, app);
    TreeWindow second(doc, app);
    second.Item({"Lamp"})->setExpanded(true);
    second.Select(second.Item({"Lamp", "On"}));

    // A paste in the first extends the second in place.
    first.Select(first.Item({"Video", "Stop"}));
    ASSERT_TRUE(first.Run(EditCopy));
    ASSERT_TRUE(first.Run(EditPaste));
    EXPECT_EQ(second.Shape(), "Dev(0){Lamp(-1){On(2)} Solo(4) Video(-1)[Play(1) Stop(3) Stop(5)]}");
    EXPECT_EQ(second.Tree().selectedItems(), QList<QTreeWidgetItem*>{second.Item({"Lamp", "On"})});

    // A cut in the second builds both again.
    ASSERT_TRUE(second.Run(EditCut));
    EXPECT_EQ(first.Shape(), "Dev(0){Solo(3) Video(-1)[Play(1) Stop(2) Stop(4)]}");
    EXPECT_EQ(second.Shape(), first.Shape());
    ExpectItemsNameTheirCommands(first);

    // A removal in the first, of a command in the middle.
    first.Select(first.Item({"Solo"}));
    platform.answers = {Platform::Answer::Yes};
    ASSERT_TRUE(first.Run(RemoveCommand));
    EXPECT_EQ(second.Shape(), "Dev(0){Video(-1)[Play(1) Stop(2) Stop(3)]}");
    ExpectItemsNameTheirCommands(second);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Video:Play", "Video:Stop", "Video:Stop"}));
}

// Running out of memory during a copy leaves the clipboard as it was, never half
// replaced.
TEST_F(CommandEditing, ACopyThatRunsOutOfMemoryLeavesTheClipboard) {
    ASSERT_TRUE(doc.AppendCopy(*FullCommand("Lamp:Off")));
    TreeWindow window(doc, app);
    window.Select(window.Item({"Lamp", "Off"}));
    Command previous("Old");
    previous.m_strDescription = "old description";
    previous.m_strByte[19] = "0xFF";
    app.ClipCommand().Copy(previous);
    int runs = ForEachFailingAllocation(
        [&] {
            platform.messages.clear();
            try {
                window.Left().OnEditCopy();
            } catch (const std::bad_alloc&) {
                return false;
            }
            return platform.messages.empty();
        },
        [&](bool succeeded) {
            if (succeeded) {
                ExpectSameCopySet(app.ClipCommand(), *doc.GetCommand(0));
            } else {
                ExpectSameCopySet(app.ClipCommand(), previous);
                if (!platform.messages.empty()) {
                    EXPECT_EQ(platform.Texts(),
                              std::vector<std::string>{CLeftView::kNoMemoryForCopy});
                }
            }
        });
    EXPECT_GT(runs, 0);
}

// A window that has let go of its document, as it closes, changes nothing more, and
// no item of its tree is passed on as a command.
TEST_F(CommandEditing, AWindowThatLetGoOfItsDocumentDoesNothing) {
    AppendCommands(doc, {"Lamp:On", "Lamp:Off"});
    TreeWindow window(doc, app);
    window.Item({"Lamp"})->setExpanded(true);
    window.Left().DetachDocument();
    window.Right().DetachDocument();
    ASSERT_TRUE(doc.RemoveCommand(0));
    ASSERT_TRUE(doc.RemoveCommand(0));
    window.Select(window.Item({"Lamp", "Off"}));
    EXPECT_EQ(window.Right().GetItem(), -1);
    for (int id : {EditCopy, EditCut, EditPaste, NewCommand}) {
        window.Run(id);
    }
    platform.answers = {Platform::Answer::Yes};
    window.Run(RemoveCommand);
    EXPECT_EQ(doc.GetCommandCount(), 0);
    EXPECT_EQ(app.ClipCommand().m_strName, "New Command");
    EXPECT_TRUE(platform.messages.empty());
}
