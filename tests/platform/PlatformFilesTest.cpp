#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ScriptedPlatform.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace {

class PlatformFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("tessel-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

std::string ReadAll(Platform& platform, const std::string& path) {
    auto file = platform.OpenForReading(path);
    if (!file) {
        return "<no file>";
    }
    std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
    std::int64_t n = file->Read(bytes.data(), bytes.size());
    bytes.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return bytes;
}

} // namespace

TEST_F(PlatformFiles, WriteReadRenameRemove) {
    ScriptedPlatform platform;
    std::string path = Path("a.pcl");
    {
        auto file = platform.CreateForWriting(path);
        ASSERT_TRUE(file);
        std::string text("line\r\n\0\xFF", 8);
        EXPECT_TRUE(file->Write(text.data(), text.size()));
        EXPECT_TRUE(file->Flush());
    }
    EXPECT_TRUE(platform.FileExists(path));
    EXPECT_EQ(ReadAll(platform, path), std::string("line\r\n\0\xFF", 8));

    // Creating again truncates.
    platform.CreateForWriting(path)->Write("x", 1);
    EXPECT_EQ(ReadAll(platform, path), "x");

    EXPECT_TRUE(platform.RenameFile(path, Path("b.pcl")));
    EXPECT_FALSE(platform.FileExists(path));
    EXPECT_TRUE(platform.RemoveFile(Path("b.pcl")));
    EXPECT_FALSE(platform.FileExists(Path("b.pcl")));
    EXPECT_FALSE(platform.RemoveFile(Path("b.pcl")));
}

TEST_F(PlatformFiles, OpeningWhatIsNotAReadableFileFails) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.OpenForReading(Path("missing.pcl")), nullptr);
    EXPECT_EQ(platform.OpenForReading(m_dir.string()), nullptr);
    EXPECT_EQ(platform.CreateForWriting(Path("no/such/folder.pcl")), nullptr);
}

TEST_F(PlatformFiles, ScriptedFailuresReachEveryStep) {
    std::string path = Path("c.pcl");
    std::ofstream(path) << "0123456789";
    ScriptedPlatform platform;

    platform.fail.shortReadAt = 4;
    EXPECT_EQ(ReadAll(platform, path), "0123");
    platform.fail = {};
    platform.fail.read = true;
    auto file = platform.OpenForReading(path);
    char buffer[4];
    EXPECT_EQ(file->Read(buffer, sizeof buffer), -1);
    platform.fail = {};
    platform.fail.openForReading = true;
    EXPECT_EQ(platform.OpenForReading(path), nullptr);

    platform.fail = {};
    platform.fail.write = true;
    EXPECT_FALSE(platform.CreateForWriting(Path("d.pcl"))->Write("x", 1));
    platform.fail = {};
    platform.fail.rename = true;
    EXPECT_FALSE(platform.RenameFile(path, Path("e.pcl")));
    EXPECT_EQ(ReadAll(platform, path), "0123456789");
}

TEST(PlatformTime, FormatsWithClassicNamesWhateverTheLocale) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.FormatLocalTime("%A, %B %d, %Y"), "Monday, December 07, 2026");
    EXPECT_EQ(platform.FormatLocalTime("%H:%M"), "10:30");
    // The real clock gives a date of the same shape.
    std::string today = Platform::Current().Platform::FormatLocalTime("%Y");
    EXPECT_EQ(today.size(), 4u);
}

TEST(PlatformCurrent, InstallingAndRestoring) {
    Platform& before = Platform::Current();
    {
        ScriptedPlatform outer;
        EXPECT_EQ(&Platform::Current(), &outer);
        {
            ScriptedPlatform inner;
            EXPECT_EQ(&Platform::Current(), &inner);
        }
        EXPECT_EQ(&Platform::Current(), &outer);
    }
    EXPECT_EQ(&Platform::Current(), &before);
    // The stand-in platform never says yes.
    EXPECT_EQ(before.ShowMessage("", Platform::MessageKind::YesNo), Platform::Answer::No);
}
