#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

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
    std::string path;
    {
        auto file = platform.CreateTemporaryBeside(Path("a.pcl"), path);
        ASSERT_TRUE(file);
        std::string text("line\r\n\0\xFF", 8);
        EXPECT_TRUE(file->Write(text.data(), text.size()));
        EXPECT_TRUE(file->Flush());
    }
    EXPECT_TRUE(platform.FileExists(path));
    EXPECT_EQ(ReadAll(platform, path), std::string("line\r\n\0\xFF", 8));

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
    std::string temporary;
    EXPECT_EQ(platform.CreateTemporaryBeside(Path("no/such/folder.pcl"), temporary), nullptr);
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
    std::string temporary;
    EXPECT_FALSE(platform.CreateTemporaryBeside(Path("d.pcl"), temporary)->Write("x", 1));
    platform.fail = {};
    platform.fail.rename = true;
    EXPECT_FALSE(platform.RenameFile(path, Path("e.pcl")));
    EXPECT_EQ(ReadAll(platform, path), "0123456789");
}

static unsigned Permissions(const std::string& path) {
    return static_cast<unsigned>(fs::status(path).permissions() & fs::perms::mask);
}

// The file a save writes first is its own: a new name each time, beside the target,
// for this user only, whatever the target's permissions.
TEST_F(PlatformFiles, TemporaryFilesArePrivateAndNew) {
    ScriptedPlatform platform;
    std::string target = Path("a.pcl");
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::all);
    std::string first;
    std::string second;
    auto one = platform.CreateTemporaryBeside(target, first);
    auto two = platform.CreateTemporaryBeside(target, second);
    ASSERT_TRUE(one && two);
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(fs::path(path).parent_path(), m_dir);
        EXPECT_EQ(Permissions(path), 0600u) << path;
    }
    EXPECT_EQ(ReadAll(platform, target), "old");
}

TEST_F(PlatformFiles, ATemporaryFileTakesTheTargetsPermissionsOrThoseOfANewFile) {
    ScriptedPlatform platform;
    std::string target = Path("a.pcl");
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms(0751));
    std::string path;
    auto file = platform.CreateTemporaryBeside(target, path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->TakeIdentityOf(target));
    EXPECT_EQ(Permissions(path), 0751u);

    // No file yet: what creating one gives under the process's mask.
    mode_t previous = ::umask(027);
    EXPECT_TRUE(file->TakeIdentityOf(Path("new.pcl")));
    ::umask(previous);
    EXPECT_EQ(Permissions(path), 0640u);
}

// Only the super-user may give a file to someone else; everybody else keeps it.
TEST_F(PlatformFiles, ATemporaryFileTakesTheTargetsOwnerWhereAllowed) {
    ScriptedPlatform platform;
    std::string target = Path("a.pcl");
    std::ofstream(target) << "old";
    bool root = ::geteuid() == 0;
    uid_t owner = root ? 4321 : ::geteuid();
    gid_t group = root ? 4322 : ::getegid();
    ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
    std::string path;
    auto file = platform.CreateTemporaryBeside(target, path);
    ASSERT_TRUE(file && file->TakeIdentityOf(target));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, owner);
    EXPECT_EQ(st.st_gid, group);
}

TEST_F(PlatformFiles, LinksAreFollowedToTheFileTheyName) {
    ScriptedPlatform platform;
    fs::create_directories(m_dir / "real");
    std::string file = Path("real/a.pcl");
    std::ofstream(file) << "x";
    // Absolute, relative to the link's own folder, and a chain of both.
    fs::create_symlink(file, Path("absolute.pcl"));
    fs::create_symlink("real/a.pcl", Path("relative.pcl"));
    fs::create_symlink("relative.pcl", Path("chain.pcl"));
    fs::create_symlink("real/missing.pcl", Path("dangling.pcl"));
    fs::create_symlink("loop2.pcl", Path("loop1.pcl"));
    fs::create_symlink("loop1.pcl", Path("loop2.pcl"));

    EXPECT_EQ(platform.ResolveLinks(file), file);
    EXPECT_EQ(platform.ResolveLinks(Path("absolute.pcl")), file);
    EXPECT_EQ(fs::path(platform.ResolveLinks(Path("relative.pcl"))), fs::path(file));
    EXPECT_EQ(fs::path(platform.ResolveLinks(Path("chain.pcl"))), fs::path(file));
    EXPECT_EQ(fs::path(platform.ResolveLinks(Path("dangling.pcl"))),
              fs::path(Path("real/missing.pcl")));
    EXPECT_EQ(platform.ResolveLinks(Path("nothing.pcl")), Path("nothing.pcl"));
    EXPECT_EQ(platform.ResolveLinks(Path("loop1.pcl")), "");
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
