#include <gtest/gtest.h>

#include <string>

#include "FailingAllocation.h"
#include "ProtocolSnapshot.h"
#include "model/ProtocolChange.h"

namespace {

// A protocol of three commands; the second has parameters A, B, C, a stale fourth
// text D past its count, and the bytes 01, 02.
struct Protocol {
    ProtocolNode node;

    Protocol() {
        node.m_strDescription = "Relay Box";
        for (const char* name : {"Lamp:On", "Video:Play", "Lamp:Off"}) {
            node.m_poCmndList->Append(Command::Create(name));
        }
        Command& play = Play();
        for (const char* text : {"A", "B", "C", "D"}) {
            play.m_oParam[static_cast<std::size_t>(play.m_nParams++)].m_strText = text;
        }
        play.m_nParams = 3;
        // A parsed part, which changes of the texts leave where it is.
        play.m_oParam[1].m_nOrCount = 7;
        play.m_strByte[0] = "01";
        play.m_strByte[1] = "02";
        play.m_nBytes = 2;
    }
    Command& Play() { return *node.m_poCmndList->GetAt(1); }
    std::string Params() {
        std::string texts;
        for (int i = 0; i < Command::kMaxParams; ++i) {
            texts += Play().m_oParam[static_cast<std::size_t>(i)].m_strText.str() + ",";
        }
        return texts;
    }
};

// Applies `change`, expects `check` to hold, then applies the record once more and
// expects the protocol exactly as it was.
template <class Check> void ApplyAndTakeBack(Protocol& p, ProtocolChange change, Check check) {
    std::string before = Snapshot(p.node);
    ASSERT_TRUE(change.Apply(p.node));
    check(change);
    ASSERT_TRUE(change.Apply(p.node));
    EXPECT_EQ(Snapshot(p.node), before);
}

} // namespace

TEST(ProtocolChange, SettingAFieldKeepsTheTextItReplaced) {
    Protocol p;
    ApplyAndTakeBack(p, ProtocolChange::SetDeviceField(DeviceFieldId::Description, Text("Dimmer")),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.node.m_strDescription, "Dimmer");
                         EXPECT_EQ(change.GetText(), "Relay Box");
                     });
    ApplyAndTakeBack(p, ProtocolChange::SetCommandField(1, CommandFieldId::Name, Text("Lamp:Dim")),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.Play().m_strName, "Lamp:Dim");
                         EXPECT_EQ(change.GetText(), "Video:Play");
                     });
    ApplyAndTakeBack(p, ProtocolChange::SetCommandField(1, CommandFieldId::Timeout, Text("abc")),
                     [&](const ProtocolChange&) { EXPECT_EQ(p.Play().m_strTimeout, "abc"); });
    ApplyAndTakeBack(p, ProtocolChange::SetCommandField(1, CommandFieldId::Params, 2, Text("Z")),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.Params(), "A,B,Z,D,,,,,,,");
                         EXPECT_EQ(change.GetText(), "C");
                     });
    ApplyAndTakeBack(p, ProtocolChange::SetCommandField(1, CommandFieldId::Bytes, 1, Text("FF")),
                     [&](const ProtocolChange&) { EXPECT_EQ(p.Play().m_strByte[1], "FF"); });
}

TEST(ProtocolChange, AChangeThatDoesNotFitChangesNothing) {
    Protocol p;
    std::string before = Snapshot(p.node);
    // A text past the count is not part of the command.
    EXPECT_FALSE(
        ProtocolChange::SetCommandField(1, CommandFieldId::Params, 3, Text("x")).Apply(p.node));
    EXPECT_FALSE(
        ProtocolChange::SetCommandField(1, CommandFieldId::Bytes, -1, Text("x")).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::SetCommandField(3, CommandFieldId::Name, Text("x")).Apply(p.node));
    EXPECT_FALSE(
        ProtocolChange::SetCommandField(-1, CommandFieldId::Name, Text("x")).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::InsertText(1, CommandFieldId::Params, 4, Text("x")).Apply(p.node));
    EXPECT_FALSE(
        ProtocolChange::InsertText(1, CommandFieldId::Message, 0, Text("x")).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::RemoveText(1, CommandFieldId::Params, 3).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::RemoveText(0, CommandFieldId::Bytes, 0).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::RemoveCommand(3).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::InsertCommand(0, nullptr).Apply(p.node));

    // A command that cannot go in stays with the record.
    ProtocolChange insert = ProtocolChange::InsertCommand(4, Command::Create("Spare"));
    EXPECT_FALSE(insert.Apply(p.node));
    ASSERT_NE(insert.GetCommand(), nullptr);
    EXPECT_EQ(insert.GetCommand()->m_strName, "Spare");
    EXPECT_EQ(Snapshot(p.node), before);
}

TEST(ProtocolChange, InsertingATextAtTheEndTakesTheStaleTextsPlace) {
    Protocol p;
    ApplyAndTakeBack(p, ProtocolChange::InsertText(1, CommandFieldId::Params, 3, Text("New Param")),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.Play().m_nParams, 4);
                         EXPECT_EQ(p.Params(), "A,B,C,New Param,,,,,,,");
                         EXPECT_EQ(change.GetKind(), ProtocolChange::Kind::RemoveText);
                         EXPECT_EQ(change.GetText(), "D");
                     });
}

TEST(ProtocolChange, InsertingATextBeforeOthersMovesThemUp) {
    Protocol p;
    ApplyAndTakeBack(p, ProtocolChange::InsertText(1, CommandFieldId::Params, 1, Text("X")),
                     [&](const ProtocolChange&) {
                         EXPECT_EQ(p.Play().m_nParams, 4);
                         EXPECT_EQ(p.Params(), "A,X,B,C,,,,,,,");
                         // Only texts move: the parsed part stays at its index.
                         EXPECT_EQ(p.Play().m_oParam[1].m_nOrCount, 7);
                         EXPECT_EQ(p.Play().m_oParam[2].m_nOrCount, 0);
                     });
    ApplyAndTakeBack(p, ProtocolChange::InsertText(1, CommandFieldId::Bytes, 0, Text("00")),
                     [&](const ProtocolChange&) {
                         EXPECT_EQ(p.Play().m_nBytes, 3);
                         EXPECT_EQ(p.Play().m_strByte[0], "00");
                         EXPECT_EQ(p.Play().m_strByte[2], "02");
                     });
}

TEST(ProtocolChange, RemovingATextMovesEveryLaterTextDownToTheLast) {
    Protocol p;
    ApplyAndTakeBack(p, ProtocolChange::RemoveText(1, CommandFieldId::Params, 1),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.Play().m_nParams, 2);
                         // The stale fourth text moves down with the others.
                         EXPECT_EQ(p.Params(), "A,C,D,,,,,,,,");
                         EXPECT_EQ(change.GetText(), "B");
                         EXPECT_EQ(change.GetKind(), ProtocolChange::Kind::InsertText);
                     });
}

TEST(ProtocolChange, FullCommandsTakeNoMoreAndLoseTheirLastText) {
    Protocol p;
    Command& play = p.Play();
    for (int i = 0; i < Command::kMaxParams; ++i) {
        play.m_oParam[static_cast<std::size_t>(i)].m_strText = "P" + std::to_string(i + 1);
    }
    play.m_nParams = Command::kMaxParams;
    for (int i = 0; i < Command::kMaxBytes; ++i) {
        play.m_strByte[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    }
    play.m_nBytes = Command::kMaxBytes;
    std::string before = Snapshot(p.node);
    EXPECT_FALSE(
        ProtocolChange::InsertText(1, CommandFieldId::Params, 10, Text("x")).Apply(p.node));
    EXPECT_FALSE(ProtocolChange::InsertText(1, CommandFieldId::Bytes, 0, Text("x")).Apply(p.node));
    EXPECT_EQ(Snapshot(p.node), before);

    ApplyAndTakeBack(p, ProtocolChange::RemoveText(1, CommandFieldId::Params, 9),
                     [&](const ProtocolChange&) {
                         EXPECT_EQ(p.Play().m_nParams, 9);
                         EXPECT_EQ(p.Params(), "P1,P2,P3,P4,P5,P6,P7,P8,P9,,");
                     });
    ApplyAndTakeBack(p, ProtocolChange::RemoveText(1, CommandFieldId::Bytes, 19),
                     [&](const ProtocolChange&) {
                         EXPECT_EQ(p.Play().m_nBytes, 19);
                         EXPECT_TRUE(p.Play().m_strByte[19].empty());
                         EXPECT_EQ(p.Play().m_strByte[18], "19");
                     });
}

TEST(ProtocolChange, CommandsGoInAndOutAtAnyPosition) {
    Protocol p;
    ApplyAndTakeBack(p, ProtocolChange::RemoveCommand(1), [&](const ProtocolChange& change) {
        ASSERT_EQ(p.node.m_poCmndList->GetCount(), 2);
        EXPECT_EQ(p.node.m_poCmndList->GetAt(1)->m_strName, "Lamp:Off");
        ASSERT_NE(change.GetCommand(), nullptr);
        EXPECT_EQ(change.GetCommand()->m_strName, "Video:Play");
        EXPECT_EQ(change.GetKind(), ProtocolChange::Kind::InsertCommand);
    });
    ApplyAndTakeBack(p, ProtocolChange::InsertCommand(0, Command::Create("First")),
                     [&](const ProtocolChange& change) {
                         EXPECT_EQ(p.node.m_poCmndList->GetAt(0)->m_strName, "First");
                         EXPECT_EQ(p.node.m_poCmndList->GetCount(), 4);
                         EXPECT_EQ(change.GetCommand(), nullptr);
                     });
    ApplyAndTakeBack(p, ProtocolChange::InsertCommand(3, Command::Create("Last")),
                     [&](const ProtocolChange&) {
                         EXPECT_EQ(p.node.m_poCmndList->GetAt(3)->m_strName, "Last");
                     });
}

// Running out of memory at any allocation a change makes leaves the protocol as it
// was; the change then still applies in full.
TEST(ProtocolChange, RunningOutOfMemoryLeavesTheProtocolAsItWas) {
    auto each = [](auto makeChange) {
        Protocol p;
        // A fresh command has no room for texts yet: the change must make it. Its
        // name refers into bytes it does not own, as a name read from a file does.
        static const char kFile[] = "[Bare:Referring]";
        auto bare = Command::Create("");
        bare->m_strName = Text::Refer(std::string_view(kFile + 1, 14));
        p.node.m_poCmndList->Append(std::move(bare));
        std::string before = Snapshot(p.node);
        ProtocolChange change = makeChange();
        int failures = ForEachFailingAllocation(
            [&] {
                try {
                    return change.Apply(p.node);
                } catch (const std::bad_alloc&) {
                    return false;
                }
            },
            [&](bool succeeded) {
                if (succeeded) {
                    EXPECT_NE(Snapshot(p.node), before);
                } else {
                    EXPECT_EQ(Snapshot(p.node), before);
                }
            });
        return failures;
    };
    EXPECT_GE(
        each([] { return ProtocolChange::InsertText(3, CommandFieldId::Params, 0, Text("x")); }),
        1);
    EXPECT_GE(
        each([] { return ProtocolChange::InsertText(3, CommandFieldId::Bytes, 0, Text("x")); }), 1);
    EXPECT_GE(each([] { return ProtocolChange::InsertCommand(1, Command::Create("In")); }), 1);
    // The removed command takes its own copy of any text that referred into a file.
    EXPECT_GE(each([] { return ProtocolChange::RemoveCommand(3); }), 1);
}
