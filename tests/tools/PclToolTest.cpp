#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "tools/ToolCommands.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result RunPclTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    int code = RunTool(args, out, err);
    return {code, out.str(), err.str()};
}

// Runs in the fixture folder, so that paths in the output are the short names the
// expected files hold.
class InDataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = fs::current_path();
        fs::current_path(TESSEL_TEST_DATA);
    }
    void TearDown() override { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

std::vector<std::string> Fixtures() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TESSEL_TEST_DATA)) {
        if (entry.path().extension() == ".pcl") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One test per fixture file, named after it.
class FixtureDump : public InDataFolder, public ::testing::WithParamInterface<std::string> {};

std::string FixtureTestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = fs::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

} // namespace

// The fixture dumps exactly as the JSON file beside it says.
TEST_P(FixtureDump, DumpsAsExpected) {
    const std::string& name = GetParam();
    std::string expectedName = fs::path(name).replace_extension(".json").string();
    ASSERT_TRUE(fs::exists(expectedName)) << name << " has no expected dump";
    Result result = RunPclTool({"dump", name});
    EXPECT_EQ(result.out, ReadFileBytes(expectedName));
    bool ok = result.out.find("\"ok\": true") != std::string::npos;
    EXPECT_EQ(result.code, ok ? 0 : 1);
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureDump, ::testing::ValuesIn(Fixtures()), FixtureTestName);

// The fixtures are found at all: an empty folder would run no dump test.
TEST(Fixtures, AreAllFound) {
    EXPECT_GE(Fixtures().size(), 16u);
}

TEST_F(InDataFolder, CheckReportsEachMessageOnOneLine) {
    Result clean = RunPclTool({"check", "new-protocol.pcl", "lf-line-ends.pcl"});
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.err, "");
    EXPECT_EQ(clean.out, "");

    Result warnings = RunPclTool({"check", "new-protocol.pcl", "param-warnings.pcl"});
    EXPECT_EQ(warnings.code, 1);
    EXPECT_EQ(warnings.err,
              "param-warnings.pcl: Warning: I couldn't make much sense of the Param \" bogus \" "
              "in the Command \" Odd:Params \"\n"
              "param-warnings.pcl: Read Protocol:  Maximum number of Or'd types for parameter "
              "has been exceeded\n"
              "param-warnings.pcl: Read Protocol:  Maximum number of And'd types for Or has been "
              "exceeded\n"
              "param-warnings.pcl: Warning: I couldn't make much sense of the Param \"  \" in the "
              "Command \" Odd:Params \"\n"
              "param-warnings.pcl: Warning: I couldn't make much sense of the Param \" abc \" in "
              "the Command \" Odd:Params \"\n");

    Result failed =
        RunPclTool({"check", "no-device-section.pcl", "param-warnings.pcl", "missing.pcl"});
    EXPECT_EQ(failed.code, 2);
    EXPECT_EQ(failed.err.find("no-device-section.pcl: Read Protocol:  Could not find [Device] "
                              "Section.\n"),
              0u);
    EXPECT_NE(failed.err.find("missing.pcl: Could not open missing.pcl for reading\n"),
              std::string::npos);
}

TEST_F(InDataFolder, DumpOfAMissingFileFails) {
    Result result = RunPclTool({"dump", "missing.pcl"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find("\"ok\": false,\n  \"messages\": [\n"
                              "    \"Could not open missing.pcl for reading\"\n  ],"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"commands\": []"), std::string::npos);
}

TEST(PclTool, FormatWritesTheWritersForm) {
    ScriptedPlatform quiet;
    TempDir dir;
    // A hand-written file with LF line ends, odd case and spacing.
    std::string source = dir.Write("in.pcl", "[device]\nVANTORTYPE=Player\nversion=2\n"
                                             "[Lamp:On]\nMESSAGE=L1\nParam1=byte\n  Timeout=5");
    Result toOther = RunPclTool({"format", source, "-o", dir.Path("out.pcl")});
    EXPECT_EQ(toOther.code, 0) << toOther.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("out.pcl")),
              "[Device]\r\n\r\nVersion=2\r\nDate=\r\nDescription=\r\nLocation=Local\r\n"
              "Author=\r\nMaker=\r\nModel=\r\nSupported=\r\nType=\r\nInterface=\r\n"
              "DataBits=\r\nStopBits=\r\nParity=\r\nBaudRate=\r\nProtocol=\r\n"
              "VantorType=Player\r\n"
              "\r\n[Lamp:On]\r\ndescription=\r\ntimeout=5\r\nparam1=byte\r\nmessage=L1\r\n");
    EXPECT_EQ(ReadFileBytes(source).substr(0, 9), "[device]\n") << "the source stays";

    // In place by default, and the writer's form is its own fixed point. A private
    // file stays private.
    fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write);
    Result inPlace = RunPclTool({"format", source});
    EXPECT_EQ(inPlace.code, 0);
    EXPECT_EQ(ReadFileBytes(source), ReadFileBytes(dir.Path("out.pcl")));
    EXPECT_EQ(dir.FileCount(), 2u);
    EXPECT_EQ(fs::status(source).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(PclTool, FormatLeavesAFileItCannotReadAlone) {
    TempDir dir;
    std::string source = dir.Write("in.pcl", "[Devic]\r\nno device section\r\n");
    Result result = RunPclTool({"format", source});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, source + ": Read Protocol:  Could not find [Device] Section.\n");
    EXPECT_EQ(ReadFileBytes(source), "[Devic]\r\nno device section\r\n");

    Result unwritable = RunPclTool(
        {"format", TESSEL_TEST_DATA "/new-protocol.pcl", "-o", dir.Path("no/such/folder.pcl")});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err, dir.Path("no/such/folder.pcl") + ": File " +
                                  dir.Path("no/such/folder.pcl") +
                                  " could not be opened for writing!\n");
}

TEST(PclTool, WrongCallsShowTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate", "x.pcl"},
             {"dump"},
             {"dump", "a.pcl", "b.pcl"},
             {"check"},
             {"format"},
             {"format", "a.pcl", "-o"},
             {"format", "a.pcl", "b.pcl"},
             {"format", "a.pcl", "-o", "b.pcl", "-o", "c.pcl"},
         }) {
        Result result = RunPclTool(args);
        EXPECT_EQ(result.code, kUsageExitCode) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage: pcltool COMMAND ARGUMENTS"), std::string::npos);
        EXPECT_NE(result.err.find("pcltool format FILE [-o OUT]"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}
