#include "platform/Platform.h"

#include "platform/HeadlessPlatform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <locale>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permission bits a new file loses, as the process was started with. Read from
// the kernel's report rather than by setting and restoring the mask, which would
// change it for a moment for every thread of the process.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8)) & 0777;
        }
    }
    return 022;
}

// A file descriptor with the operations of PlatformFile.
class PosixFile : public PlatformFile {
public:
    explicit PosixFile(int fd) : m_fd(fd) {}
    ~PosixFile() override { ::close(m_fd); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::int64_t Size() override {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) {
            return -1;
        }
        return st.st_size;
    }

    std::int64_t Read(char* buffer, std::size_t count) override {
        for (;;) {
            ssize_t n = ::read(m_fd, buffer, count);
            if (n >= 0 || errno != EINTR) {
                return n;
            }
        }
    }

    bool Write(const char* data, std::size_t count) override {
        while (count > 0) {
            ssize_t n = ::write(m_fd, data, count);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            data += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Flush() override { return ::fsync(m_fd) == 0; }

    bool TakeIdentityOf(const std::string& original) override {
        struct stat st {};
        if (::stat(original.c_str(), &st) != 0) {
            return ::fchmod(m_fd, 0666 & ~CurrentUmask()) == 0;
        }
        // Owner and group first: giving them may clear the set-id bits, which the
        // permissions then restore. Only the super-user may give the file another
        // owner; anyone may give it a group of their own.
        if (::fchown(m_fd, st.st_uid, st.st_gid) != 0 &&
            ::fchown(m_fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
            // The file stays this user's, in this user's group.
        }
        return ::fchmod(m_fd, st.st_mode & 07777) == 0;
    }

private:
    int m_fd;
};

// Stands in until a real platform is installed: nothing is ever shown silently,
// and no question is ever answered with a yes.
class PlainPlatform : public HeadlessPlatform {
public:
    Answer ShowMessage(const std::string& text, MessageKind kind) override {
        std::fprintf(stderr, "Tessel: %s\n", text.c_str());
        return kind == MessageKind::Ok      ? Answer::Ok
               : kind == MessageKind::YesNo ? Answer::No
                                            : Answer::Cancel;
    }
};

Platform* g_pInstalled = nullptr;

} // namespace

Platform& Platform::Current() {
    static PlainPlatform plain;
    return g_pInstalled != nullptr ? *g_pInstalled : plain;
}

Platform* Platform::Install(Platform* platform) {
    Platform* previous = g_pInstalled;
    g_pInstalled = platform;
    return previous;
}

std::string Platform::FormatTime(const std::tm& time, const std::string& format) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&time, format.c_str());
    return out.str();
}

std::string Platform::FormatLocalTime(const std::string& format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatTime(local, format);
}

std::unique_ptr<PlatformFile> Platform::OpenForReading(const std::string& path) {
    // The lock taken below is advisory: it keeps out only a program that asks for an
    // exclusive lock on the file itself, and nothing else.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    // Every refusal leaves its reason in errno, for a caller that reports it.
    auto refuse = [fd](int reason) -> std::unique_ptr<PlatformFile> {
        ::close(fd);
        errno = reason;
        return nullptr;
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return refuse(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return refuse(EISDIR);
    }
    // A program that holds an exclusive lock is writing the file: reading now would
    // see half of it.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        return refuse(EWOULDBLOCK);
    }
    return std::make_unique<PosixFile>(fd);
}

std::string Platform::ResolveLinks(const std::string& path) {
    std::string current = path;
    // As many links as the system itself follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) +
                                 1);
        ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            return current; // changed meanwhile; write to what is there now
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        if (next.empty() || next.front() != '/') {
            // Relative to the folder that holds the link.
            std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) {
                next.insert(0, current, 0, slash + 1);
            }
        }
        current = std::move(next);
    }
    return {};
}

std::unique_ptr<PlatformFile> Platform::CreateTemporaryBeside(const std::string& target,
                                                              std::string& path) {
    // Nothing needs locking: the new file is created exclusively under a name of its
    // own, so no other program has it open, and the rename puts it in the target's
    // place at once. A program that has the old file open goes on reading the old
    // text. The file is private (0600) until the save gives it the target's
    // permissions.
    static constexpr char kSuffix[] = ".tmp";
    std::string pattern = target + ".XXXXXX" + kSuffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemps(name.data(), static_cast<int>(sizeof kSuffix - 1), O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    path.assign(name.data());
    return std::make_unique<PosixFile>(fd);
}

bool Platform::RenameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool Platform::RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool Platform::FileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool Platform::IsFileWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}
