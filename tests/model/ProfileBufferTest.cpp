#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "model/ProfileBuffer.h"

namespace {

ProfileBuffer Loaded(const std::string& bytes) {
    ProfileBuffer buffer;
    EXPECT_TRUE(buffer.Load(bytes));
    return buffer;
}

// Every section name NextSection reports from the start, in order.
std::vector<std::string> Sections(const std::string& bytes) {
    ProfileBuffer buffer;
    EXPECT_TRUE(buffer.Load(bytes));
    std::vector<std::string> names;
    for (std::string name(buffer.NextSection(false)); !name.empty();
         name = buffer.NextSection(true)) {
        names.push_back(name);
    }
    return names;
}

// The value of `key` in the first section named `section`, by both ways of
// looking it up; they must agree.
std::string Value(const std::string& bytes, const std::string& section, const std::string& key) {
    ProfileBuffer buffer;
    EXPECT_TRUE(buffer.Load(bytes));
    if (!buffer.FindSection(section, false)) {
        return "<no section>";
    }
    std::string scanned(buffer.ScanValue(key, "<default>"));
    std::string indexed(buffer.GetValue(key, "<default>"));
    EXPECT_EQ(indexed, scanned) << key;
    return indexed;
}

} // namespace

TEST(ProfileBufferKeys, MatchWholeKeysWithoutRegardToCase) {
    std::string text = "[S]\r\nTimeout =5\r\nMESSAGE=m\r\n  retries=3\r\nTime=t\r\n";
    EXPECT_EQ(Value(text, "S", "Timeout"), "<default>") << "the space belongs to the key";
    EXPECT_EQ(Value(text, "S", "Timeout "), "5");
    EXPECT_EQ(Value(text, "S", "message"), "m");
    EXPECT_EQ(Value(text, "S", "Retries"), "3") << "leading blanks are not part of the key";
    EXPECT_EQ(Value(text, "S", "Tim"), "<default>");
}

TEST(ProfileBufferKeys, FirstNonEmptyValueWins) {
    EXPECT_EQ(Value("[S]\r\nKey=\r\nKey=abc\r\nKey=def\r\n", "S", "Key"), "abc");
    EXPECT_EQ(Value("[S]\r\nKey=   \r\nKey=\tabc\r\n", "S", "Key"), "abc");
    EXPECT_EQ(Value("[S]\r\nKey=;x\r\nKey=y\r\n", "S", "Key"), "y")
        << "a value that begins with ';' does not count";
}

TEST(ProfileBufferKeys, ValuesAreKeptAsWritten) {
    std::string text = "[S]\r\nA=2 ;old\r\nB=  lead and trail  \r\nC=x=y\r\nD=\"q\"\r\n";
    EXPECT_EQ(Value(text, "S", "A"), "2 ;old");
    EXPECT_EQ(Value(text, "S", "B"), "lead and trail  ");
    EXPECT_EQ(Value(text, "S", "C"), "x=y");
    EXPECT_EQ(Value(text, "S", "D"), "\"q\"");
}

TEST(ProfileBufferKeys, CommentsAndOddLinesAreSkipped) {
    std::string text = "[S]\r\n;Version=2\r\nVer;sion=3\r\nno equals sign\r\n=4\r\nVersion=5\r\n";
    EXPECT_EQ(Value(text, "S", "Version"), "5");
    EXPECT_EQ(Value(text, "S", "Ver"), "<default>");
    EXPECT_EQ(Value(text, "S", "=4"), "<default>");
}

TEST(ProfileBufferKeys, LookupStopsAtTheNextHeaderLine) {
    std::string text = "[A]\r\nX=1\r\n  [B]\r\nY=2\r\n";
    EXPECT_EQ(Value(text, "A", "Y"), "<default>");
    EXPECT_EQ(Value(text, "B", "X"), "<default>");
    EXPECT_EQ(Value(text, "B", "Y"), "2");
    // A '[' later in a line is a value, not a header.
    EXPECT_EQ(Value("[A]\r\nX=[1]\r\nY=2\r\n", "A", "Y"), "2");
}

TEST(ProfileBufferKeys, EveryKindOfLineEnd) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string e = end;
        std::string text = "[S]" + e + "A=1" + e + e + "B=" + e + "B=2" + e + "C=last";
        EXPECT_EQ(Value(text, "S", "A"), "1");
        EXPECT_EQ(Value(text, "S", "B"), "2");
        EXPECT_EQ(Value(text, "S", "C"), "last") << "the last line needs no line end";
    }
    EXPECT_EQ(Value("[S]\nA=\r\nB=2", "S", "A"), "<default>");
}

// A carriage return and line feed end one line; either alone ends one too.
TEST(ProfileBufferKeys, LineOfAValueCountsLinesAsTheyEnd) {
    ProfileBuffer buffer = Loaded("[S]\r\nA=1\n\rB=2\r\r\nC=3");
    ASSERT_TRUE(buffer.FindSection("S", false));
    EXPECT_EQ(buffer.LineOf(buffer.GetValue("B", {}).data()), 4);
    // Counting on from a mark gives the same lines, forwards and back.
    ProfileBuffer::LineMark mark;
    EXPECT_EQ(buffer.LineOf(buffer.GetValue("A", {}).data(), mark), 2);
    EXPECT_EQ(buffer.LineOf(buffer.GetValue("C", {}).data(), mark), 6);
    EXPECT_EQ(buffer.LineOf(buffer.GetValue("B", {}).data(), mark), 4);
    EXPECT_EQ(buffer.LineOf(buffer.GetSectionName().data(), mark), 1);
}

TEST(ProfileBufferSections, HeadersStartOnlyAtTheStartOfALine) {
    EXPECT_EQ(Sections("[Device]\r\nDescription=Press [Enter]\r\n[A]\r\nX=[y]\r\n"),
              (std::vector<std::string>{"Device", "A"}));
    EXPECT_EQ(Sections(" \t[A] trailing text\r\n\r\n  [B]"), (std::vector<std::string>{"A", "B"}));
}

TEST(ProfileBufferSections, SemicolonsDoNotRepeatASection) {
    EXPECT_EQ(Sections("[A]\r\nX=1;2\r\n;comment\r\n[B]\r\nY=;\r\n"),
              (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Sections(";[Commented]\r\n[A]\r\n"), (std::vector<std::string>{"A"}));
}

TEST(ProfileBufferSections, EveryKindOfLineEnd) {
    EXPECT_EQ(Sections("[A]\nx=1\n[B]\ny=2"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Sections("[A]\rx=1\r[B]"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Sections("[A]\r\n[B]\n[C]\r[D]"), (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST(ProfileBufferSections, EmptyHeaderReadsLikeTheEnd) {
    ProfileBuffer buffer = Loaded("[A]\r\n[]\r\n[B]\r\n");
    EXPECT_EQ(buffer.NextSection(false), "A");
    EXPECT_EQ(buffer.NextSection(true), "");
    EXPECT_EQ(buffer.NextSection(true), "B") << "the caller decides to stop at []";
    EXPECT_EQ(buffer.NextSection(true), "");
    EXPECT_EQ(buffer.GetCursor(), buffer.GetLength());
}

TEST(ProfileBufferSections, MissingBracketSwallowsLinesIntoTheName) {
    EXPECT_EQ(Sections("[A\r\nx=1]\r\n[B]\r\n"), (std::vector<std::string>{"A\r\nx=1", "B"}));
    EXPECT_EQ(Sections("[A]\r\n[never closed\r\nx=1\r\n"), (std::vector<std::string>{"A"}));
}

TEST(ProfileBufferSections, FindMatchesTheBeginningOfTheName) {
    ProfileBuffer buffer = Loaded("[Dev]\r\n[devices]\r\nA=1\r\n[Device]\r\nA=2\r\n");
    EXPECT_TRUE(buffer.FindSection("Device", false));
    EXPECT_EQ(buffer.GetSectionName(), "devices");
    EXPECT_EQ(buffer.GetValue("A", ""), "1");
    EXPECT_TRUE(buffer.FindSection("DEVICE", true));
    EXPECT_EQ(buffer.GetValue("A", ""), "2");
    EXPECT_FALSE(buffer.FindSection("Device", true));
    EXPECT_EQ(buffer.GetCursor(), buffer.GetLength());
    EXPECT_TRUE(buffer.FindSection("Device", false)) << "without continuing it starts over";

    EXPECT_FALSE(Loaded("").FindSection("Device", false));
    EXPECT_FALSE(Loaded("Device=1\r\n[Devic]\r\n").FindSection("Device", false));
}

TEST(ProfileBufferSections, LookupsDoNotMoveTheCursor) {
    ProfileBuffer buffer = Loaded("[A]\r\nX=1\r\nY=2\r\n[B]\r\nX=3\r\n");
    EXPECT_EQ(buffer.NextSection(false), "A");
    std::size_t cursor = buffer.GetCursor();
    EXPECT_EQ(buffer.GetValue("Y", ""), "2");
    EXPECT_EQ(buffer.GetValue("X", ""), "1");
    EXPECT_EQ(buffer.GetCursor(), cursor);
    EXPECT_EQ(buffer.NextSection(true), "B");
    EXPECT_EQ(buffer.GetValue("X", ""), "3");
    EXPECT_EQ(buffer.GetValue("Y", "none"), "none");
}

// The index must give the scan's answers, and enumerating with lookups between
// must find the same sections as without. Random texts from a small alphabet hit
// the corners: odd line ends, '[' and ';' and '=' anywhere, keys that differ in
// case or by a blank.
TEST(ProfileBufferSections, IndexAgreesWithTheScanOnRandomTexts) {
    const std::vector<std::string> pieces = {
        "[",
        "]",
        "=",
        ";",
        " ",
        "\t",
        "\r",
        "\n",
        "\r\n",
        "a",
        "A",
        "b",
        "key",
        "KEY",
        "Key ",
        "x",
        "[S]",
        "[s]\r\n",
        std::string(1, '\0'),
    };
    const std::vector<std::string> keys = {"a", "A", "b", "key", "Key ", "x", "=", ""};
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; ++i) {
            text += pieces[random() % pieces.size()];
        }
        std::vector<std::string> plain = Sections(text);

        ProfileBuffer buffer = Loaded(text);
        std::vector<std::string> looked;
        for (std::string name(buffer.NextSection(false));; name = buffer.NextSection(true)) {
            for (const std::string& key : keys) {
                ASSERT_EQ(buffer.GetValue(key, "-"), buffer.ScanValue(key, "-"))
                    << "key \"" << key << "\" in " << ::testing::PrintToString(text);
            }
            if (name.empty()) {
                break;
            }
            looked.push_back(name);
        }
        ASSERT_EQ(looked, plain) << ::testing::PrintToString(text);
    }
}

TEST(ProfileBufferOpen, LoadsTheWholeFile) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\nVersion=1\r\n");
    ProfileBuffer buffer;
    ASSERT_TRUE(buffer.Open(path));
    EXPECT_EQ(buffer.GetLength(), 21u);
    EXPECT_TRUE(buffer.FindSection("Device", false));
    EXPECT_EQ(buffer.GetValue("Version", ""), "1");

    ASSERT_TRUE(buffer.Open(dir.Write("empty.pcl", "")));
    EXPECT_EQ(buffer.GetLength(), 0u);
    EXPECT_FALSE(buffer.FindSection("Device", false));
    EXPECT_EQ(buffer.NextSection(false), "");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ProfileBufferOpen, FailuresShowTheirMessage) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\nVersion=1\r\n");
    std::string missing = dir.Path("missing.pcl");
    ProfileBuffer buffer;

    platform.BeginWaitCursor();
    EXPECT_FALSE(buffer.Open(missing));
    platform.fail.read = true;
    EXPECT_FALSE(buffer.Open(path)) << "a read error is no partial file";
    platform.fail = {};
    platform.fail.size = true;
    EXPECT_FALSE(buffer.Open(path));
    platform.fail = {};
    platform.fail.hugeSize = true;
    EXPECT_FALSE(buffer.Open(path));

    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{
                                    "Could not open " + missing + " for reading",
                                    "Could not open " + path + " for reading",
                                    "Could not open " + path + " for reading",
                                    "Not enough memory to allocate file buffer ( m_hpbBuffer )",
                                }));
    for (const auto& message : platform.messages) {
        EXPECT_FALSE(message.busyCursorShown);
        EXPECT_EQ(message.kind, Platform::MessageKind::Ok);
    }
}

TEST(ProfileBufferOpen, ShortReadSeesOnlyWhatWasRead) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("a.pcl", "[Device]\r\nVersion=12345\r\n[Next]\r\n");
    platform.fail.shortReadAt = 20;
    ProfileBuffer buffer;
    ASSERT_TRUE(buffer.Open(path));
    EXPECT_EQ(buffer.GetLength(), 20u);
    EXPECT_TRUE(buffer.FindSection("Device", false));
    EXPECT_EQ(buffer.GetValue("Version", ""), "12");
    EXPECT_EQ(buffer.NextSection(true), "");
}
