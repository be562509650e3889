#include <gtest/gtest.h>

#include "model/Command.h"
#include "model/CommandList.h"
#include "model/ProtocolNode.h"

TEST(Command, CategoryAndLabelSplitAtTheFirstColon) {
    struct Case {
        const char* name;
        const char* category;
        const char* label;
    };
    for (const Case& c :
         {Case{"Lamp:On", "Lamp", "On"}, Case{"Lamp", "Lamp", ""}, Case{"a:b:c", "a", "bc"},
          Case{":x", "", "x"}, Case{"Lamp:", "Lamp", ""}, Case{"", "", ""}, Case{"::", "", ""}}) {
        Command command(c.name);
        EXPECT_EQ(command.GetCategory(), c.category) << c.name;
        EXPECT_EQ(command.GetLabel(), c.label) << c.name;
    }
}

TEST(Command, ConstructedCommandIsEmptyButForItsName) {
    Command command("Power:On");
    EXPECT_EQ(command.m_strName, "Power:On");
    EXPECT_TRUE(command.m_strDescription.empty());
    EXPECT_TRUE(command.m_strMessage.empty());
    EXPECT_EQ(command.m_nParams, 0);
    EXPECT_EQ(command.m_nBytes, 0);
    for (const Text& byte : command.m_strByte) {
        EXPECT_TRUE(byte.empty());
    }
    for (const ParamType& param : command.m_oParam) {
        EXPECT_TRUE(param.m_strText.empty());
        EXPECT_EQ(param.m_nOrCount, 0);
        for (const OrGroup& group : param.m_oOr) {
            EXPECT_EQ(group.m_nAndCount, 0);
            for (const AndType& term : group.m_oAnd) {
                EXPECT_EQ(term.m_nKeyword, 0);
                EXPECT_TRUE(term.m_strArgument.empty());
            }
        }
    }
}

TEST(Command, CreationDefaults) {
    auto added = Command::CreateNewCommand();
    ASSERT_TRUE(added);
    EXPECT_EQ(added->m_strName, "New Command");
    EXPECT_EQ(added->m_strDescription, "Description of Command");
    EXPECT_EQ(added->m_strMessage, "Message goes here");
    EXPECT_EQ(added->m_nParams, 0);

    auto messageOut = Command::CreateMessageOut();
    ASSERT_TRUE(messageOut);
    EXPECT_EQ(messageOut->m_strName, "MessageOut");
    EXPECT_EQ(messageOut->m_strDescription, "Sends a Data or local String out a port");
    EXPECT_EQ(messageOut->m_strMessage, "@string(param2)");
    EXPECT_EQ(messageOut->m_nParams, 2);
    EXPECT_EQ(messageOut->m_nBytes, 0);
    EXPECT_EQ(messageOut->m_oParam[0].m_strText, "port, \"A valid Port\"");
    EXPECT_EQ(messageOut->m_oParam[1].m_strText,
              "datastring|string, \"A valid Data or local String\"");
    // A new protocol's parameters are not parsed.
    EXPECT_EQ(messageOut->m_oParam[0].m_nOrCount, 0);
    EXPECT_TRUE(messageOut->m_strSupported.empty());
}

TEST(Command, CopyTakesTextsAndCountsButNotTheParsedPart) {
    Command source("Deck:Play");
    source.m_strDescription = "Plays";
    source.m_strSupported = "5.00";
    source.m_strMessage = "@byte(param1)";
    source.m_strRetries = "3";
    source.m_strTimeout = "500";
    source.m_strMessageAck = "ACK";
    source.m_strCompletionAck = "DONE";
    for (int i = 0; i < Command::kMaxBytes; ++i) {
        source.m_strByte[i] = "0x" + std::to_string(i);
    }
    for (int i = 0; i < Command::kMaxParams; ++i) {
        source.m_oParam[i].m_strText = "byte, \"p" + std::to_string(i) + "\"";
        source.m_oParam[i].ParseType(source.m_strName);
    }
    source.m_nParams = 4; // texts past the count are copied too
    source.m_nBytes = 7;

    Command target("Other");
    target.m_oParam[2].m_nOrCount = 3; // stale parse in the target must not survive
    target.m_oParam[2].m_strDescription = "stale";
    target.Copy(source);

    EXPECT_EQ(target.m_strName, "Deck:Play");
    EXPECT_EQ(target.m_strDescription, "Plays");
    EXPECT_EQ(target.m_strSupported, "5.00");
    EXPECT_EQ(target.m_strMessage, "@byte(param1)");
    EXPECT_EQ(target.m_strRetries, "3");
    EXPECT_EQ(target.m_strTimeout, "500");
    EXPECT_EQ(target.m_strMessageAck, "ACK");
    EXPECT_EQ(target.m_strCompletionAck, "DONE");
    EXPECT_EQ(target.m_strByte, source.m_strByte);
    EXPECT_EQ(target.m_nParams, 4);
    EXPECT_EQ(target.m_nBytes, 7);
    for (int i = 0; i < Command::kMaxParams; ++i) {
        EXPECT_EQ(target.m_oParam[i].m_strText, source.m_oParam[i].m_strText);
        EXPECT_EQ(source.m_oParam[i].m_nOrCount, 1);
        EXPECT_EQ(target.m_oParam[i].m_nOrCount, 0);
        EXPECT_EQ(target.m_oParam[i].m_oOr[0].m_nAndCount, 0);
        EXPECT_TRUE(target.m_oParam[i].m_strDescription.empty());
    }
}

TEST(Command, SwapExchangesEveryField) {
    Command a("Deck:Play");
    a.m_strCompletionAck = "DONE";
    a.m_strByte[19] = "0x13";
    a.m_oParam[9].m_strText = "byte";
    a.m_oParam[9].ParseType(a.m_strName);
    a.m_nParams = 10;
    a.m_nBytes = 20;
    Command b("Lamp");
    b.m_strDescription = "Switches";
    b.m_strByte[0] = "0x01";
    b.m_nBytes = 1;

    a.Swap(b);
    EXPECT_EQ(a.m_strName, "Lamp");
    EXPECT_EQ(a.m_strDescription, "Switches");
    EXPECT_EQ(a.m_strCompletionAck, "");
    EXPECT_EQ(a.m_strByte[0], "0x01");
    EXPECT_EQ(a.m_strByte[19], "");
    EXPECT_EQ(a.m_oParam[9].m_strText, "");
    EXPECT_EQ(a.m_nParams, 0);
    EXPECT_EQ(a.m_nBytes, 1);
    EXPECT_EQ(b.m_strName, "Deck:Play");
    EXPECT_EQ(b.m_strDescription, "");
    EXPECT_EQ(b.m_strCompletionAck, "DONE");
    EXPECT_EQ(b.m_strByte[19], "0x13");
    EXPECT_EQ(b.m_oParam[9].m_strText, "byte");
    EXPECT_EQ(b.m_oParam[9].m_nOrCount, 1);
    EXPECT_EQ(b.m_nParams, 10);
    EXPECT_EQ(b.m_nBytes, 20);
}

TEST(CommandList, KeepsOrderAndIdentityByPosition) {
    CommandList list;
    EXPECT_TRUE(list.IsEmpty());
    list.Append(Command::Create("Same"));
    list.Append(Command::Create("Same"));
    list.Append(Command::Create("Third"));
    ASSERT_EQ(list.GetCount(), 3);
    list.GetAt(1)->m_strDescription = "second";
    EXPECT_TRUE(list.GetAt(0)->m_strDescription.empty());
    EXPECT_EQ(list.GetAt(1)->m_strDescription, "second");
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);

    std::unique_ptr<Command> taken = list.RemoveAt(1);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->m_strDescription, "second");
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(1)->m_strName, "Third");
    EXPECT_EQ(list.RemoveAt(5), nullptr);

    EXPECT_EQ(list.RemoveHead()->m_strName, "Same");
    EXPECT_EQ(list.RemoveHead()->m_strName, "Third");
    EXPECT_EQ(list.RemoveHead(), nullptr);
}
