#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
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

// The value of the "Date=" line; empty without one.
std::string DateOf(const std::string& text) {
    std::size_t start = text.find("\r\nDate=");
    if (start == std::string::npos) {
        return {};
    }
    start += 7;
    return text.substr(start, text.find('\r', start) - start);
}

// The text with the value of its "Date=" line replaced by `date`.
std::string WithDate(std::string text, const std::string& date) {
    std::string old = DateOf(text);
    text.replace(text.find("\r\nDate=") + 7, old.size(), date);
    return text;
}

// Whether `date` reads as "%A, %B %d, %Y" and says exactly that back.
bool IsLongDate(const std::string& date) {
    std::tm parsed{};
    std::istringstream in(date);
    in.imbue(std::locale::classic());
    in >> std::get_time(&parsed, "%A, %B %d, %Y");
    if (in.fail()) {
        return false;
    }
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&parsed, "%A, %B %d, %Y");
    return out.str() == date;
}

} // namespace

TEST(PclToolNew, WritesTheTemplateOfANewProtocolDatedToday) {
    TempDir dir;
    std::string path = dir.Path("Fresh.pcl");
    std::string err;
    ASSERT_EQ(RunPclTool({"new", path}, &err), 0);
    EXPECT_EQ(err, "");

    std::string written = ReadFileBytes(path);
    std::string date = DateOf(written);
    EXPECT_TRUE(IsLongDate(date)) << date;
    // Apart from the date, byte for byte the file the editor saves for File New.
    std::string expected = ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/new-protocol.pcl");
    EXPECT_EQ(written, WithDate(expected, date));
}

TEST(PclToolNew, LeavesAnExistingFileAlone) {
    TempDir dir;
    std::string path = dir.Write("Mine.pcl", "[Device]\r\nDescription=Mine\r\n");
    std::string err;
    EXPECT_EQ(RunPclTool({"new", path}, &err), 1);
    EXPECT_EQ(err, "pcltool: " + path + ": already exists; not replaced\n");
    EXPECT_EQ(ReadFileBytes(path), "[Device]\r\nDescription=Mine\r\n");
}

TEST(PclToolNew, ReportsAFileThatCannotBeWritten) {
    TempDir dir;
    std::string path = dir.Path("missing-folder/New.pcl");
    std::string err;
    EXPECT_EQ(RunPclTool({"new", path}, &err), 1);
    EXPECT_EQ(err, "pcltool: " + path + ": No such file or directory\n");
    EXPECT_EQ(dir.FileCount(), 0u);
}

TEST(PclToolNew, TakesExactlyOneFile) {
    std::string err;
    EXPECT_EQ(RunPclTool({"new"}, &err), kUsageExitCode);
    EXPECT_NE(err.find("pcltool new OUT"), std::string::npos) << err;
    EXPECT_EQ(RunPclTool({"new", "a.pcl", "b.pcl"}), kUsageExitCode);
}
