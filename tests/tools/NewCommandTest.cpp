#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "TempDir.h"
#include "tools/ToolCommands.h"

namespace {

int RunPclTool(const std::vector<std::string>& args, std::string* err = nullptr) {
    std::ostringstream out;
    std::ostringstream errors;
    int code = RunTool(args, out, errors);
    if (err != nullptr) {
        *err = errors.str();
    }
    return code;
}

// The text with its "Date=" line replaced by `date`.
std::string WithDate(const std::string& text, const std::string& date) {
    return std::regex_replace(text, std::regex("Date=[^\r]*"), "Date=" + date);
}

} // namespace

TEST(PclToolNew, WritesTheTemplateOfANewProtocolDatedToday) {
    TempDir dir;
    std::string path = dir.Path("Fresh.pcl");
    std::string err;
    ASSERT_EQ(RunPclTool({"new", path}, &err), 0);
    EXPECT_EQ(err, "");

    std::string written = ReadFileBytes(path);
    std::smatch date;
    ASSERT_TRUE(std::regex_search(written, date, std::regex("Date=([^\r]*)\r\n")));
    EXPECT_TRUE(std::regex_match(date[1].str(), std::regex("[A-Z][a-z]+day, [A-Z][a-z]+ \\d\\d, \\d{4}")))
        << date[1];
    // Apart from the date, byte for byte the file the editor saves for File New.
    std::string expected = ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/new-protocol.pcl");
    EXPECT_EQ(written, WithDate(expected, date[1].str()));
}

TEST(PclToolNew, LeavesAnExistingFileAlone) {
    TempDir dir;
    std::string path = dir.Write("Mine.pcl", "[Device]\r\nDescription=Mine\r\n");
    std::string err;
    EXPECT_EQ(RunPclTool({"new", path}, &err), 1);
    EXPECT_EQ(err, path + ": already exists; not replaced\n");
    EXPECT_EQ(ReadFileBytes(path), "[Device]\r\nDescription=Mine\r\n");
}

TEST(PclToolNew, ReportsAFileThatCannotBeWritten) {
    TempDir dir;
    std::string path = dir.Path("missing-folder/New.pcl");
    std::string err;
    EXPECT_EQ(RunPclTool({"new", path}, &err), 1);
    EXPECT_NE(err.find(path + ": File " + path + " could not be opened for writing!"),
              std::string::npos)
        << err;
    EXPECT_EQ(dir.FileCount(), 0u);
}

TEST(PclToolNew, TakesExactlyOneFile) {
    std::string err;
    EXPECT_EQ(RunPclTool({"new"}, &err), kUsageExitCode);
    EXPECT_NE(err.find("pcltool new OUT"), std::string::npos) << err;
    EXPECT_EQ(RunPclTool({"new", "a.pcl", "b.pcl"}), kUsageExitCode);
}
