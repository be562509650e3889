#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "model/ProtocolNode.h"
#include "model/ProtocolWriter.h"
#include "model/TextBuffer.h"

namespace {

// A protocol as a new document fills it, dated by the platform's clock.
void FillNewProtocol(ProtocolNode& node) {
    node.m_strFileName = "MyProtocol.pcl";
    node.m_strVersion = "Your Revision Number";
    node.m_strDate = Platform::Current().FormatLocalTime("%A, %B %d, %Y");
    node.m_strDescription = "Name of Protocol as it will appear in Cuewright";
    node.m_strLocation = "Local";
    node.m_strAuthor = "Your Name";
    node.m_strMaker = "Brand";
    node.m_strModel = "Specific Model Number";
    node.m_strSupported = "5.00";
    node.m_strType = "Video Switcher, for example";
    node.m_strInterface = "Serial";
    node.m_strDataBits = "8";
    node.m_strStopBits = "1";
    node.m_strParity = "N";
    node.m_strBaudRate = "9600";
    node.m_strProtocol = "Custom";
    node.m_poCmndList->Append(Command::CreateMessageOut());
}

std::string Render(const ProtocolNode& node) {
    TextBuffer buffer;
    WriteProtocolText(node, buffer);
    EXPECT_TRUE(buffer.Allocate(buffer.GetUsed() + 1));
    EXPECT_TRUE(WriteProtocolText(node, buffer));
    return {buffer.GetData(), buffer.GetWritten()};
}

const std::string kOld = "[Device]\r\nDescription=the old file\r\n";

std::string OpenMessage(const std::string& path) {
    return "File " + path + " could not be opened for writing!";
}

std::string WriteMessage(const std::string& path) {
    return "File " + path +
           " could not be written to successfully!\n\nThe Drive could be full.  Try another "
           "Drive!";
}

} // namespace

TEST(TextBuffer, StoresOnlyWhatStaysBelowTheCapacity) {
    TextBuffer buffer;
    buffer.AppendLine("Key", "value");
    EXPECT_FALSE(buffer.Succeeded()) << "no capacity: measured, not stored";
    EXPECT_EQ(buffer.GetUsed(), 11u);
    EXPECT_EQ(buffer.GetWritten(), 0u);

    ASSERT_TRUE(buffer.Allocate(11));
    buffer.AppendLine("Key", "value");
    EXPECT_FALSE(buffer.Succeeded()) << "the last byte is never filled";

    ASSERT_TRUE(buffer.Allocate(12));
    buffer.AppendLine("Key", "value");
    EXPECT_TRUE(buffer.Succeeded());
    EXPECT_EQ(std::string(buffer.GetData(), buffer.GetWritten()), "Key=value\r\n");
    buffer.AppendLine("x");
    EXPECT_FALSE(buffer.Succeeded());
    EXPECT_EQ(buffer.GetUsed(), 14u);
    EXPECT_EQ(buffer.GetWritten(), 11u);

    // Reused from the start, as the listing does after a save.
    buffer.Start();
    buffer.AppendLine("[A]");
    EXPECT_TRUE(buffer.Succeeded());
    EXPECT_EQ(std::string(buffer.GetData(), buffer.GetWritten()), "[A]\r\n");
    buffer.Release();
    EXPECT_EQ(buffer.GetCapacity(), 0u);
    EXPECT_EQ(buffer.GetData(), nullptr);
}

TEST(TextBuffer, AGrowingBufferTakesEveryLine) {
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(4));
    buffer.AllowGrowth();
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        std::string value(static_cast<std::size_t>(i), 'v');
        buffer.AppendLine("k" + std::to_string(i), value);
        buffer.AppendLineOf({"[", value, "]"});
        expected += "k" + std::to_string(i) + "=" + value + "\r\n[" + value + "]\r\n";
    }
    EXPECT_TRUE(buffer.Succeeded());
    EXPECT_EQ(buffer.GetUsed(), expected.size());
    EXPECT_LT(buffer.GetWritten(), buffer.GetCapacity()) << "the last byte stays free";
    EXPECT_EQ(std::string(buffer.GetData(), buffer.GetWritten()), expected);

    // Released, it measures again.
    buffer.Release();
    buffer.Start();
    buffer.AppendLine("Key", "value");
    EXPECT_FALSE(buffer.Succeeded());
    EXPECT_EQ(buffer.GetUsed(), 11u);
}

TEST(ProtocolWriter, NewProtocolFileByteForByte) {
    ScriptedPlatform platform;
    TempDir dir;
    ProtocolNode node;
    FillNewProtocol(node);
    std::string path = dir.Path("MyProtocol.pcl");
    TextBuffer buffer;
    ASSERT_TRUE(WriteProtocolFile(node, buffer, path));
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(TESSEL_TEST_DATA "/new-protocol.pcl"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.busyCursorShown);
    EXPECT_EQ(platform.busyCursorShownCount, 1);
    EXPECT_EQ(buffer.GetData(), nullptr) << "released after the save";
    EXPECT_EQ(dir.FileCount(), 1u) << "no temporary file is left";

    // Read again, empty VantorType comes back as its default.
    ProtocolNode read;
    ASSERT_TRUE(read.ReadDevice(path));
    ASSERT_TRUE(read.ReadCommands());
    EXPECT_EQ(read.m_strVantorType, "Show Controller");
    EXPECT_EQ(read.m_poCmndList->GetAt(0)->m_nParams, 2);
}

TEST(ProtocolWriter, KeyOrderCaseAndOptionalKeys) {
    ScriptedPlatform platform;
    ProtocolNode node;
    node.m_strAddress = "12";
    node.m_strLocation = "Remote";
    auto command = Command::Create("A:b");
    command->m_strDescription = "d";
    command->m_strSupported = "5.1";
    command->m_strTimeout = "10";
    command->m_strCompletionAck = "OK";
    command->m_strMessage = "m";
    command->m_oParam[0].m_strText = "byte";
    command->m_oParam[1].m_strText = ""; // emptied but still counted
    command->m_oParam[2].m_strText = "stale, past the count";
    command->m_nParams = 2;
    for (int i = 0; i < Command::kMaxBytes; ++i) {
        command->m_strByte[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    }
    command->m_nBytes = 11;
    node.m_poCmndList->Append(std::move(command));
    node.m_poCmndList->Append(Command::Create("Empty"));

    std::string expected = "[Device]\r\n\r\n"
                           "Version=\r\nDate=\r\nDescription=\r\nLocation=Remote\r\nAuthor=\r\n"
                           "Maker=\r\nModel=\r\nSupported=\r\nType=\r\nInterface=\r\n"
                           "DataBits=\r\nStopBits=\r\nParity=\r\nBaudRate=\r\nProtocol=\r\n"
                           "VantorType=\r\nAddress=12\r\n"
                           "\r\n[A:b]\r\n"
                           "description=d\r\nsupported=5.1\r\ntimeout=10\r\ncompletionack=OK\r\n"
                           "param1=byte\r\nparam2=\r\n";
    for (int i = 1; i <= 11; ++i) {
        expected += "byte" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    expected += "message=m\r\n"
                "\r\n[Empty]\r\n"
                "description=\r\nmessage=\r\n";
    EXPECT_EQ(Render(node), expected);
}

TEST(ProtocolWriter, AnyProtocolFitsItsBuffer) {
    ScriptedPlatform platform;
    TempDir dir;

    // Without commands: the device section alone.
    ProtocolNode empty;
    empty.m_strDescription = "No commands yet";
    TextBuffer buffer;
    std::string path = dir.Path("empty.pcl");
    ASSERT_TRUE(WriteProtocolFile(empty, buffer, path));
    ProtocolNode readEmpty;
    ASSERT_TRUE(readEmpty.ReadDevice(path));
    ASSERT_TRUE(readEmpty.ReadCommands());
    EXPECT_EQ(readEmpty.m_strDescription, "No commands yet");
    EXPECT_EQ(readEmpty.m_poCmndList->GetCount(), 0);

    // Lines far longer than 1024 bytes, commands far over 2000 bytes each.
    ProtocolNode big;
    std::string longText(5000, 'x');
    longText += "end";
    for (int i = 0; i < 3; ++i) {
        auto command = Command::Create("C" + std::to_string(i));
        command->m_strDescription = longText;
        command->m_strMessage = longText;
        command->m_oParam[0].m_strText = "byte, \"" + longText + "\"";
        command->m_nParams = 1;
        big.m_poCmndList->Append(std::move(command));
    }
    path = dir.Path("big.pcl");
    ASSERT_TRUE(WriteProtocolFile(big, buffer, path));
    ProtocolNode readBig;
    ASSERT_TRUE(readBig.ReadDevice(path));
    ASSERT_TRUE(readBig.ReadCommands());
    ASSERT_EQ(readBig.m_poCmndList->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const Command& command = *readBig.m_poCmndList->GetAt(i);
        EXPECT_EQ(command.m_strDescription, longText);
        EXPECT_EQ(command.m_strMessage, longText);
        EXPECT_EQ(command.m_oParam[0].m_strDescription, longText);
    }
    EXPECT_TRUE(platform.messages.empty());
}

// Each step of the save failing: the message names the target, the old file is
// as it was and nothing else is left in the folder.
TEST(ProtocolWriter, FailedSaveLeavesTheOldFile) {
    struct Case {
        const char* name;
        void (*fail)(ScriptedPlatform::Failures&);
        bool openMessage;
    };
    const Case cases[] = {
        {"create", [](ScriptedPlatform::Failures& f) { f.createTemporary = true; }, true},
        {"write", [](ScriptedPlatform::Failures& f) { f.write = true; }, false},
        {"flush", [](ScriptedPlatform::Failures& f) { f.flush = true; }, false},
        {"permissions", [](ScriptedPlatform::Failures& f) { f.identity = true; }, true},
        {"rename", [](ScriptedPlatform::Failures& f) { f.rename = true; }, true},
        {"read-only", [](ScriptedPlatform::Failures& f) { f.notWritable = true; }, true},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        TempDir dir;
        std::string path = dir.Write("old.pcl", kOld);
        ProtocolNode node;
        FillNewProtocol(node);
        c.fail(platform.fail);
        TextBuffer buffer;
        EXPECT_FALSE(WriteProtocolFile(node, buffer, path)) << c.name;
        EXPECT_EQ(ReadFileBytes(path), kOld) << c.name;
        EXPECT_EQ(dir.FileCount(), 1u) << c.name;
        EXPECT_EQ(platform.Texts(),
                  std::vector<std::string>{c.openMessage ? OpenMessage(path) : WriteMessage(path)})
            << c.name;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_FALSE(platform.messages[0].busyCursorShown) << c.name;
        EXPECT_FALSE(platform.busyCursorShown) << c.name;
        EXPECT_EQ(buffer.GetData(), nullptr) << c.name;
    }
}

TEST(ProtocolWriter, SavesBesideFilesOfTheTemporaryName) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", kOld);
    // Somebody else's file of the name the save would use first stays untouched.
    dir.Write("a.pcl.tmp", "not ours");
    ProtocolNode node;
    FillNewProtocol(node);
    TextBuffer buffer;
    ASSERT_TRUE(WriteProtocolFile(node, buffer, path));
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(TESSEL_TEST_DATA "/new-protocol.pcl"));
    EXPECT_EQ(ReadFileBytes(dir.Path("a.pcl.tmp")), "not ours");
    EXPECT_EQ(dir.FileCount(), 2u);
}

namespace {

unsigned Permissions(const std::string& path) {
    return static_cast<unsigned>(std::filesystem::status(path).permissions() &
                                 std::filesystem::perms::mask);
}

std::string NewProtocolText() {
    return ReadFileBytes(TESSEL_TEST_DATA "/new-protocol.pcl");
}

bool Save(const std::string& path) {
    ProtocolNode node;
    FillNewProtocol(node);
    TextBuffer buffer;
    return WriteProtocolFile(node, buffer, path);
}

} // namespace

// A save changes what the file holds, not what it is: a private file keeps its
// permissions, and the new text stays private until it is on the disk.
TEST(ProtocolWriter, SavingKeepsTheFilesPermissions) {
    for (unsigned permissions : {0600u, 0640u, 0755u}) {
        ScriptedPlatform platform;
        TempDir dir;
        std::string path = dir.Write("a.pcl", kOld);
        std::filesystem::permissions(path, std::filesystem::perms(permissions));
        ASSERT_TRUE(Save(path));
        EXPECT_EQ(ReadFileBytes(path), NewProtocolText());
        EXPECT_EQ(Permissions(path), permissions);
        EXPECT_EQ(dir.FileCount(), 1u);

        ASSERT_EQ(platform.fileSteps.size(), 2u);
        EXPECT_EQ(platform.fileSteps[0].what, "write");
        EXPECT_EQ(platform.fileSteps[0].permissions, 0600u);
        EXPECT_EQ(platform.fileSteps[1].what, "rename");
        EXPECT_EQ(platform.fileSteps[1].path, platform.fileSteps[0].path);
        EXPECT_EQ(platform.fileSteps[1].permissions, permissions);
    }
}

TEST(ProtocolWriter, ANewFileGetsThePermissionsOfANewFile) {
    ScriptedPlatform platform;
    TempDir dir;
    mode_t previous = ::umask(022);
    ASSERT_TRUE(Save(dir.Path("new.pcl")));
    ::umask(previous);
    EXPECT_EQ(Permissions(dir.Path("new.pcl")), 0644u);
    EXPECT_EQ(platform.fileSteps.at(0).permissions, 0600u);
}

TEST(ProtocolWriter, SavingThroughALinkReplacesTheFileItNames) {
    namespace fs = std::filesystem;
    ScriptedPlatform platform;
    TempDir dir;
    fs::create_directories(dir.Folder() / "shared");
    std::string real = dir.Write("shared/a.pcl", kOld);
    fs::permissions(real, fs::perms(0640));
    std::string link = dir.Path("a.pcl");
    fs::create_symlink("shared/a.pcl", link);

    ASSERT_TRUE(Save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "shared/a.pcl");
    EXPECT_EQ(ReadFileBytes(real), NewProtocolText());
    EXPECT_EQ(Permissions(real), 0640u);
    // The new text was written beside the file, not beside the link.
    EXPECT_EQ(fs::path(platform.fileSteps.at(0).path).parent_path(), dir.Folder() / "shared");
    EXPECT_EQ(dir.FileCount(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ProtocolWriter, SavingThroughALinkToAMissingFileCreatesThatFile) {
    namespace fs = std::filesystem;
    ScriptedPlatform platform;
    TempDir dir;
    fs::create_directories(dir.Folder() / "shared");
    std::string link = dir.Path("a.pcl");
    fs::create_symlink(dir.Folder() / "shared" / "a.pcl", link);

    ASSERT_TRUE(Save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(dir.Path("shared/a.pcl")), NewProtocolText());
    EXPECT_EQ(ReadFileBytes(link), NewProtocolText());
}

TEST(ProtocolWriter, AReadOnlyFileIsNotReplacedThroughALinkEither) {
    namespace fs = std::filesystem;
    ScriptedPlatform platform;
    TempDir dir;
    std::string real = dir.Write("real.pcl", kOld);
    std::string link = dir.Path("a.pcl");
    fs::create_symlink("real.pcl", link);
    platform.fail.notWritable = true;

    EXPECT_FALSE(Save(link));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{OpenMessage(link)});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), kOld);
    EXPECT_EQ(dir.FileCount(), 2u);
    EXPECT_TRUE(platform.fileSteps.empty());
}

TEST(ProtocolWriter, LinksInACircleAreNotWrittenThrough) {
    namespace fs = std::filesystem;
    ScriptedPlatform platform;
    TempDir dir;
    fs::create_symlink("b.pcl", dir.Path("a.pcl"));
    fs::create_symlink("a.pcl", dir.Path("b.pcl"));
    EXPECT_FALSE(Save(dir.Path("a.pcl")));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{OpenMessage(dir.Path("a.pcl"))});
    EXPECT_TRUE(fs::is_symlink(dir.Path("a.pcl")));
}

TEST(ProtocolWriter, MissingFolderFailsToOpen) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Path("no/such/folder.pcl");
    ProtocolNode node;
    TextBuffer buffer;
    EXPECT_FALSE(WriteProtocolFile(node, buffer, path));
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{OpenMessage(path)});
}

// What the format cannot carry comes back changed, as documented, and nothing
// else is disturbed by it.
TEST(ProtocolWriter, LimitsOfTheFormat) {
    ScriptedPlatform platform;
    TempDir dir;
    ProtocolNode node;
    node.m_strLocation = "  Remote";
    node.m_strMaker = ";Acme";
    auto bracket = Command::Create("Lamp]On");
    bracket->m_strMessage = "L1";
    node.m_poCmndList->Append(std::move(bracket));
    auto emptied = Command::Create("Emptied");
    emptied->m_oParam[0].m_strText = "byte";
    emptied->m_oParam[2].m_strText = "word";
    emptied->m_nParams = 3; // the second was emptied while still counted
    node.m_poCmndList->Append(std::move(emptied));

    std::string path = dir.Path("limits.pcl");
    TextBuffer buffer;
    ASSERT_TRUE(WriteProtocolFile(node, buffer, path));
    ProtocolNode read;
    ASSERT_TRUE(read.ReadDevice(path));
    ASSERT_TRUE(read.ReadCommands());
    EXPECT_EQ(read.m_strLocation, "Remote") << "leading blanks are lost";
    EXPECT_EQ(read.m_strMaker, "") << "a leading ';' makes the value absent";
    ASSERT_EQ(read.m_poCmndList->GetCount(), 2);
    EXPECT_EQ(read.m_poCmndList->GetAt(0)->m_strName, "Lamp") << "the name ends at ']'";
    EXPECT_EQ(read.m_poCmndList->GetAt(0)->m_strMessage, "L1");
    EXPECT_EQ(read.m_poCmndList->GetAt(1)->m_nParams, 1) << "the empty one ends the list";
}
