#include "platform/Platform.h"

#include "platform/HeadlessPlatform.h"

#include <cerrno>
#include <cstdio>
#include <iomanip>
#include <locale>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    // Others may read along but not write while we read (an advisory lock on
    // this system, the nearest there is to a share mode).
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<PlatformFile> Platform::CreateForWriting(const std::string& path) {
    // Truncate only once the lock is held, so a file someone else is using is
    // never emptied.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    if ((::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
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
