#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "platform/ProgramInfo.h"
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

// Help and version are answers, on standard output.
TEST(PclTool, HelpAndVersionAnswerOnStandardOutput) {
    for (const char* option : {"--help", "-h"}) {
        Result help = RunPclTool({option});
        EXPECT_EQ(help.code, 0) << option;
        EXPECT_EQ(help.err, "") << option;
        EXPECT_EQ(help.out.find("usage: pcltool COMMAND ARGUMENTS\n"), 0u) << option;
        EXPECT_NE(help.out.find("pcltool --help | --version"), std::string::npos) << option;
    }
    Result version = RunPclTool({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("pcltool ") + ProgramInfo::kVersion + "\n");
    EXPECT_EQ(version.err, "");
}

// As compilers do: the line of the parameter a warning is about; the system's reason
// when a file cannot be read.
TEST_F(InDataFolder, CheckReportsEachMessageOnOneLineWithItsLine) {
    Result clean = RunPclTool({"check", "new-protocol.pcl", "lf-line-ends.pcl"});
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.err, "");
    EXPECT_EQ(clean.out, "");

    Result warnings = RunPclTool({"check", "new-protocol.pcl", "param-warnings.pcl"});
    EXPECT_EQ(warnings.code, 1);
    EXPECT_EQ(warnings.err,
              "param-warnings.pcl:4: Warning: I couldn't make much sense of the Param \" bogus \" "
              "in the Command \" Odd:Params \"\n"
              "param-warnings.pcl:5: Read Protocol:  Maximum number of Or'd types for parameter "
              "has been exceeded\n"
              "param-warnings.pcl:6: Read Protocol:  Maximum number of And'd types for Or has "
              "been exceeded\n"
              "param-warnings.pcl:7: Warning: I couldn't make much sense of the Param \"  \" in "
              "the Command \" Odd:Params \"\n"
              "param-warnings.pcl:9: Warning: I couldn't make much sense of the Param \" abc \" "
              "in the Command \" Odd:Params \"\n");

    Result failed =
        RunPclTool({"check", "no-device-section.pcl", "param-warnings.pcl", "missing.pcl", "."});
    EXPECT_EQ(failed.code, 2);
    EXPECT_EQ(failed.err.find("no-device-section.pcl: Read Protocol:  Could not find [Device] "
                              "Section.\n"),
              0u);
    EXPECT_NE(failed.err.find("\npcltool: missing.pcl: No such file or directory\n"
                              "pcltool: .: Is a directory\n"),
              std::string::npos)
        << failed.err;
}

TEST_F(InDataFolder, DumpOfAMissingFileFails) {
    Result result = RunPclTool({"dump", "missing.pcl"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find("\"ok\": false,\n  \"messages\": [\n"
                              "    \"Could not open missing.pcl for reading\"\n  ],\n"
                              "  \"messageLines\": [ null ],"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"commands\": []"), std::string::npos);
    EXPECT_EQ(result.err, "pcltool: missing.pcl: No such file or directory\n");
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
    EXPECT_EQ(unwritable.err,
              "pcltool: " + dir.Path("no/such/folder.pcl") + ": No such file or directory\n");
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
             {"listing"},
             {"listing", "a.pcl", "b.pcl"},
             {"listing", "a.pcl", "--pdf"},
             {"listing", "a.pcl", "-o", "b.pdf"},
         }) {
        Result result = RunPclTool(args);
        EXPECT_EQ(result.code, kUsageExitCode) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage: pcltool COMMAND ARGUMENTS"), std::string::npos);
        EXPECT_NE(result.err.find("pcltool format FILE [-o OUT]"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}

// The listing's lines, decoded from the code page, as the files beside the fixtures
// hold them.
TEST_F(InDataFolder, ListingPrintsTheLinesOfTheListing) {
    for (const char* name : {"numbering", "codepage"}) {
        Result result = RunPclTool({"listing", std::string(name) + ".pcl"});
        EXPECT_EQ(result.code, 0) << name;
        EXPECT_EQ(result.err, "") << name;
        EXPECT_EQ(result.out, ReadFileBytes(std::string(name) + ".listing.txt")) << name;
    }
}

TEST_F(InDataFolder, ListingOfAFileThatCannotBeReadFails) {
    Result result = RunPclTool({"listing", "missing.pcl"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "pcltool: missing.pcl: No such file or directory\n");
}

namespace {

// Runs the pcltool program itself, as a user does, in `folder` (the temporary
// folder when empty), with standard input from the file `input` and both outputs caught.
Result RunPclToolProgram(const std::string& arguments, const std::string& input = "/dev/null",
                         const std::string& folder = "") {
    TempDir dir;
    std::string command = "cd " + (folder.empty() ? dir.Folder().string() : folder) + " && " +
                          TESSEL_PCLTOOL + " " + arguments + " <" + input + " >" + dir.Path("out") +
                          " 2>" + dir.Path("err");
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(dir.Path("out")),
            ReadFileBytes(dir.Path("err"))};
}

std::string PdfText(const std::string& pdf) {
    std::string text;
    FILE* pipe = ::popen(("pdftotext -layout " + pdf + " -").c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe == nullptr) {
        return text;
    }
    std::array<char, 4096> chunk{};
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe)) {
        text.append(chunk.data(), n);
    }
    EXPECT_EQ(::pclose(pipe), 0) << "pdftotext (poppler-utils) did not read " << pdf;
    return text;
}

} // namespace

TEST(PclTool, ListingIntoAPdfHasEveryPageWithItsHeaderAndFooter) {
    TempDir dir;
    // Enough commands for several pages.
    std::string source = "[Device]\r\nDescription=Relay Box\r\nAuthor=Dana\r\n";
    for (int i = 1; i <= 30; ++i) {
        source += "[Relay:Close " + std::to_string(i) + "]\r\nmessage=C" + std::to_string(i) +
                  "\r\nparam1=byte, \"relay\"\r\n";
    }
    std::string file = dir.Write("relays.pcl", source);
    std::string pdf = dir.Path("relays.pdf");
    Result result = RunPclToolProgram("listing " + file + " --pdf " + pdf);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "") << "nothing but the PDF";

    std::string text = PdfText(pdf);
    std::vector<std::string> pages;
    for (std::size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1) {
        pages.push_back(text.substr(start, end - start));
    }
    ASSERT_GE(pages.size(), 3u);
    for (std::size_t k = 1; k <= pages.size(); ++k) {
        const std::string& page = pages[k - 1];
        std::string header = page.substr(0, page.find('\n'));
        EXPECT_EQ(header.find("Relay Box"), 0u) << header;
        EXPECT_NE(header.find("Protocol Listing"), std::string::npos) << header;
        EXPECT_NE(header.find("Page " + std::to_string(k) + " of " + std::to_string(pages.size())),
                  std::string::npos)
            << header;
        EXPECT_NE(page.find("Vantor Cuewright"), std::string::npos) << k;
        EXPECT_NE(page.find("Dana"), std::string::npos) << k;
    }
    EXPECT_NE(text.find("Relay:Close 30"), std::string::npos);
    EXPECT_NE(text.find("Message:     C30"), std::string::npos);
}

TEST(PclTool, ListingIntoAPdfThatCannotBeWrittenSaysSo) {
    TempDir dir;
    std::string pdf = dir.Path("no/such/folder/out.pdf");
    Result result = RunPclToolProgram("listing " TESSEL_TEST_DATA "/numbering.pcl --pdf " + pdf);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, std::string(TESSEL_TEST_DATA "/numbering.pcl: ") +
                              "The Protocol Listing could not be printed: the printer could not "
                              "be started.\n");
    EXPECT_FALSE(fs::exists(pdf));

    Result missing = RunPclToolProgram("listing missing.pcl --pdf " + dir.Path("out.pdf"));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "pcltool: missing.pcl: No such file or directory\n");
}

// Without the renderer beside it (this test program stands where pcltool would),
// pcltool says what is missing.
TEST(PclTool, ListingIntoAPdfWithoutTheRendererSaysWhatIsMissing) {
    TempDir dir;
    Result result =
        RunPclTool({"listing", TESSEL_TEST_DATA "/numbering.pcl", "--pdf", dir.Path("out.pdf")});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("tessel-listing-pdf is not installed beside pcltool"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists(dir.Path("out.pdf")));
}

// "-" is standard input where a file is read and standard output where one is written;
// no file named "-" ever appears.
TEST(PclTool, DashIsStandardInputAndOutput) {
    TempDir dir;
    const std::string warnings = TESSEL_TEST_DATA "/param-warnings.pcl";
    const std::string folder = dir.Folder().string();

    Result check = RunPclToolProgram("check -", warnings, folder);
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.err.find("<stdin>:4: Warning: I couldn't make much sense of the Param"), 0u)
        << check.err;

    Result dump = RunPclToolProgram("dump -", warnings, folder);
    EXPECT_EQ(dump.code, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"messageLines\": [ 4, 5, 6, 7, 9 ],"), std::string::npos);

    Result listing = RunPclToolProgram("listing -", TESSEL_TEST_DATA "/numbering.pcl", folder);
    EXPECT_EQ(listing.code, 0) << listing.err;
    std::string listed = ReadFileBytes(TESSEL_TEST_DATA "/numbering.listing.txt");
    listed.replace(listed.find("numbering.pcl"), 13, "-");
    EXPECT_EQ(listing.out, listed);

    // format reads standard input and writes the writer's form to standard output,
    // the same text it writes to a file.
    Result formatted = RunPclToolProgram("format - -o -", warnings, folder);
    EXPECT_EQ(formatted.code, 0) << formatted.err;
    Result toFile = RunPclToolProgram("format " + warnings + " -o " + dir.Path("out.pcl"));
    EXPECT_EQ(toFile.code, 0) << toFile.err;
    EXPECT_EQ(formatted.out, ReadFileBytes(dir.Path("out.pcl")));

    Result pdf = RunPclToolProgram("listing - --pdf -", TESSEL_TEST_DATA "/numbering.pcl", folder);
    EXPECT_EQ(pdf.code, 0) << pdf.err;
    EXPECT_EQ(pdf.out.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdf.err, "");

    EXPECT_FALSE(fs::exists(dir.Path("-")));
}
