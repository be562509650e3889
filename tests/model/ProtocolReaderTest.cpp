#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "model/ProtocolNode.h"

namespace {

const char* const kNoDevice = "Read Protocol:  Could not find [Device] Section.";
const char* const kCouldNotRead = "Read Protocol:  Could not read file";
const char* const kNoMemory = "Not enough memory to allocate file buffer ( m_hpbBuffer )";

const char* const kSmall = "[Device]\r\n"
                           "Description=Switcher\r\n"
                           "[Route]\r\n"
                           "Message=R\r\n";

void ExpectCursorDownAtEveryMessage(const ScriptedPlatform& platform) {
    for (const auto& message : platform.messages) {
        EXPECT_FALSE(message.busyCursorShown) << message.text;
        EXPECT_EQ(message.kind, Platform::MessageKind::Ok);
    }
}

} // namespace

TEST(ProtocolReader, ReadsDeviceThenCommands) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", kSmall);
    ProtocolNode node;
    ASSERT_TRUE(node.ReadDevice(path));
    EXPECT_EQ(node.m_strFileName, path);
    EXPECT_EQ(node.m_strDescription, "Switcher");
    EXPECT_EQ(node.m_strLocation, "Local");
    EXPECT_EQ(node.m_strVantorType, "Show Controller");
    EXPECT_FALSE(node.m_bCommandsRead);
    EXPECT_EQ(node.m_poCmndList->GetCount(), 0);

    ASSERT_TRUE(node.ReadCommands());
    EXPECT_TRUE(node.m_bCommandsRead);
    ASSERT_EQ(node.m_poCmndList->GetCount(), 1);
    EXPECT_EQ(node.m_poCmndList->GetAt(0)->m_strMessage, "R");

    // Once read, the commands are never read into the list again.
    EXPECT_TRUE(node.ReadCommands());
    EXPECT_EQ(node.m_poCmndList->GetCount(), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.busyCursorShown);
    EXPECT_EQ(platform.busyCursorShownCount, 2);
}

TEST(ProtocolReader, FailedDeviceReadLeavesTheNodeAlone) {
    ScriptedPlatform platform;
    TempDir dir;
    ProtocolNode node;
    node.m_strFileName = "before.pcl";
    node.m_strDescription = "before";
    std::string missing = dir.Path("missing.pcl");

    EXPECT_FALSE(node.ReadDevice(missing));
    EXPECT_FALSE(node.ReadDevice(dir.Write("none.pcl", "[Devic]\r\nDescription=x\r\n")));
    EXPECT_FALSE(node.ReadDevice(dir.Write("empty.pcl", "")));
    platform.fail.hugeSize = true;
    EXPECT_FALSE(node.ReadDevice(dir.Write("big.pcl", kSmall)));

    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{"Could not open " + missing + " for reading", kNoDevice,
                                        kNoDevice, kNoMemory}));
    ExpectCursorDownAtEveryMessage(platform);
    EXPECT_FALSE(platform.busyCursorShown);
    EXPECT_EQ(node.m_strFileName, "before.pcl");
    EXPECT_EQ(node.m_strDescription, "before");
}

TEST(ProtocolReader, FailedCommandReadNamesItsCause) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", kSmall);

    // The file went away between the two steps.
    ProtocolNode gone;
    ASSERT_TRUE(gone.ReadDevice(path));
    std::filesystem::remove(path);
    EXPECT_FALSE(gone.ReadCommands());
    EXPECT_FALSE(gone.m_bCommandsRead);
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{"Could not open " + path + " for reading", kCouldNotRead}));

    // The file lost its device section meanwhile.
    platform.messages.clear();
    ProtocolNode changed;
    ASSERT_TRUE(changed.ReadDevice(dir.Write("b.pcl", kSmall)));
    dir.Write("b.pcl", "[Route]\r\nMessage=R\r\n");
    EXPECT_FALSE(changed.ReadCommands());
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kNoDevice}));

    platform.messages.clear();
    ProtocolNode big;
    ASSERT_TRUE(big.ReadDevice(dir.Write("c.pcl", kSmall)));
    platform.fail.hugeSize = true;
    EXPECT_FALSE(big.ReadCommands());
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{kNoMemory, kCouldNotRead}));
    ExpectCursorDownAtEveryMessage(platform);
    EXPECT_FALSE(platform.busyCursorShown);
}

TEST(ProtocolReader, ParameterWarningsDoNotStopTheRead) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\n"
                                          "[Odd]\r\n"
                                          "Param1=bogus, \"x\"\r\n"
                                          "Param2=byte|byte|byte|byte|byte|byte\r\n"
                                          "Message=m\r\n"
                                          "[Next]\r\n"
                                          "Param1=port, \"A valid Port\"\r\n");
    ProtocolNode node;
    ASSERT_TRUE(node.ReadDevice(path));
    ASSERT_TRUE(node.ReadCommands());
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{
                  "Warning: I couldn't make much sense of the Param\n\" bogus \" in the Command \" "
                  "Odd \"",
                  "Read Protocol:  Maximum number of Or'd types for parameter has been exceeded"}));
    ExpectCursorDownAtEveryMessage(platform);
    ASSERT_EQ(node.m_poCmndList->GetCount(), 2);
    const Command& odd = *node.m_poCmndList->GetAt(0);
    EXPECT_EQ(odd.m_nParams, 2);
    EXPECT_EQ(odd.m_oParam[0].m_nOrCount, 1);
    EXPECT_EQ(odd.m_oParam[0].m_strDescription, "x");
    EXPECT_EQ(odd.m_oParam[1].m_nOrCount, 6);
    EXPECT_EQ(odd.m_strMessage, "m");
    const Command& next = *node.m_poCmndList->GetAt(1);
    EXPECT_EQ(next.m_oParam[0].m_oOr[0].m_oAnd[0].m_nKeyword, 8) << "port";
    EXPECT_EQ(next.m_oParam[0].m_strDescription, "A valid Port");
}

TEST(ProtocolReader, CommandsKeepToTheirOwnSections) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\n"
                                          "[Same]\r\n"
                                          "Param1=byte\r\nParam2=word\r\nByte1=01\r\n"
                                          "Message=first\r\n"
                                          "[Same]\r\n"
                                          "Param1=port\r\n"
                                          "[Other]\r\n"
                                          "Description=Press [Enter]; wait\r\n");
    ProtocolNode node;
    ASSERT_TRUE(node.ReadDevice(path));
    ASSERT_TRUE(node.ReadCommands());
    ASSERT_EQ(node.m_poCmndList->GetCount(), 3);
    const Command& first = *node.m_poCmndList->GetAt(0);
    const Command& second = *node.m_poCmndList->GetAt(1);
    EXPECT_EQ(first.m_nParams, 2);
    EXPECT_EQ(first.m_nBytes, 1);
    EXPECT_EQ(second.m_strName, "Same");
    EXPECT_EQ(second.m_nParams, 1);
    EXPECT_EQ(second.m_nBytes, 0);
    EXPECT_EQ(second.m_strMessage, "");
    EXPECT_EQ(second.m_oParam[1].m_strText, "") << "the entry past the count is empty";
    EXPECT_EQ(node.m_poCmndList->GetAt(2)->m_strDescription, "Press [Enter]; wait");
}

// Read texts refer into the file the protocol keeps; whatever leaves the protocol
// takes its own bytes, and outlives it.
TEST(ProtocolReader, TextsThatLeaveTheProtocolTakeTheirOwnBytes) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\n"
                                          "Description=Switcher\r\n"
                                          "[Route:In]\r\n"
                                          "Description=Routes\r\n"
                                          "Param1=byte&contains(0x01), \"Input\"\r\n"
                                          "Byte1=0x52\r\n"
                                          "Message=R\r\n"
                                          "[Lamp:On]\r\n"
                                          "Param1=byte&contains(0x01), \"Input\"\r\n");
    auto node = std::make_unique<ProtocolNode>();
    ASSERT_TRUE(node->ReadDevice(path));
    ASSERT_TRUE(node->ReadCommands());
    EXPECT_FALSE(node->m_strDescription.Refers()) << "the device texts have their own bytes";
    const Command& read = *node->m_poCmndList->GetAt(0);
    EXPECT_TRUE(read.m_strName.Refers());
    EXPECT_TRUE(read.m_oParam[0].m_strText.Refers());
    EXPECT_TRUE(read.m_oParam[0].m_strDescription.Refers());
    EXPECT_EQ(read.m_oParam.Stored(), 1u) << "exactly the parameters there are";
    EXPECT_EQ(read.m_strByte.Stored(), 1u);

    Command copy("x");
    copy.Copy(read);
    std::unique_ptr<Command> taken = node->m_poCmndList->RemoveAt(0);
    ASSERT_TRUE(taken);
    EXPECT_FALSE(taken->m_strName.Refers());
    EXPECT_FALSE(taken->m_oParam[0].m_strDescription.Refers());
    EXPECT_EQ(taken->m_strByte.Stored(), 1u) << "taking out does not make room for more";
    node.reset();

    // The file's bytes are gone now (checked under the sanitizers).
    for (const Command* command :
         {static_cast<const Command*>(taken.get()), static_cast<const Command*>(&copy)}) {
        EXPECT_EQ(command->m_strName, "Route:In");
        EXPECT_EQ(command->m_strDescription, "Routes");
        EXPECT_EQ(command->m_oParam[0].m_strText, "byte&contains(0x01), \"Input\"");
        EXPECT_EQ(command->m_strByte[0], "0x52");
        EXPECT_EQ(command->m_strMessage, "R");
    }
    EXPECT_EQ(taken->m_oParam[0].m_strDescription, "Input");
    EXPECT_EQ(taken->m_oParam[0].m_oOr[0].m_oAnd[1].m_strArgument, "0x01");
}

// ReadCommands reads the file again into the memory ReadDevice used; what it finds
// must be what the file holds at that time, however it changed.
TEST(ProtocolReader, TheSecondReadSeesOnlyWhatTheFileHoldsThen) {
    const std::string longer = "[Device]\r\n[A]\r\nMessage=xyzzy and more\r\n[B]\r\nMessage=b\r\n";
    {
        ScriptedPlatform platform;
        TempDir dir;
        ProtocolNode node;
        ASSERT_TRUE(node.ReadDevice(dir.Write("a.pcl", longer)));
        dir.Write("a.pcl", "[Device]\r\n[A]\r\nMessage=xy");
        ASSERT_TRUE(node.ReadCommands());
        ASSERT_EQ(node.m_poCmndList->GetCount(), 1) << "nothing of the longer file is left";
        EXPECT_EQ(node.m_poCmndList->GetAt(0)->m_strMessage, "xy");
        EXPECT_EQ(node.GetReadLength(), 25u);
    }
    {
        ScriptedPlatform platform;
        TempDir dir;
        ProtocolNode node;
        ASSERT_TRUE(node.ReadDevice(dir.Write("a.pcl", "[Device]\r\n")));
        dir.Write("a.pcl", longer);
        ASSERT_TRUE(node.ReadCommands());
        ASSERT_EQ(node.m_poCmndList->GetCount(), 2);
        EXPECT_EQ(node.m_poCmndList->GetAt(1)->m_strMessage, "b");
    }
    {
        // Only the bytes the second read delivered count.
        ScriptedPlatform platform;
        TempDir dir;
        ProtocolNode node;
        ASSERT_TRUE(node.ReadDevice(dir.Write("a.pcl", longer)));
        platform.fail.shortReadAt = 28;
        ASSERT_TRUE(node.ReadCommands());
        ASSERT_EQ(node.m_poCmndList->GetCount(), 1);
        EXPECT_EQ(node.m_poCmndList->GetAt(0)->m_strMessage, "xyzzy");
    }
    for (bool openFails : {true, false}) {
        ScriptedPlatform platform;
        TempDir dir;
        std::string path = dir.Write("a.pcl", longer);
        ProtocolNode node;
        ASSERT_TRUE(node.ReadDevice(path));
        if (openFails) {
            platform.fail.openForReadingAfter = 1;
        } else {
            platform.fail.read = true;
        }
        EXPECT_FALSE(node.ReadCommands());
        EXPECT_EQ(platform.Texts(), (std::vector<std::string>{
                                        "Could not open " + path + " for reading", kCouldNotRead}));
        EXPECT_EQ(node.m_poCmndList->GetCount(), 0);
        EXPECT_FALSE(node.m_bCommandsRead);
        ExpectCursorDownAtEveryMessage(platform);
    }
}

TEST(ProtocolReader, CommandsReadFromTwoFilesKeepBoth) {
    ScriptedPlatform platform;
    TempDir dir;
    ProtocolNode node;
    ASSERT_TRUE(node.ReadDevice(dir.Write("a.pcl", "[Device]\r\n[First]\r\nMessage=1\r\n")));
    ASSERT_TRUE(node.ReadCommands());
    ASSERT_TRUE(node.ReadDevice(dir.Write("b.pcl", "[Device]\r\n[Second]\r\nMessage=2\r\n")));
    ASSERT_TRUE(node.ReadCommands());
    ASSERT_EQ(node.m_poCmndList->GetCount(), 2);
    EXPECT_EQ(node.m_poCmndList->GetAt(0)->m_strName, "First");
    EXPECT_EQ(node.m_poCmndList->GetAt(0)->m_strMessage, "1");
    EXPECT_EQ(node.m_poCmndList->GetAt(1)->m_strMessage, "2");
}
