#include "platform/StandardInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>

#include <unistd.h>

namespace {

// The text of standard input, served from memory: its size is known only once it
// has all been read.
class StandardInputFile : public PlatformFile {
public:
    explicit StandardInputFile(const std::string& text) : m_text(text) {}

    std::int64_t Size() override { return static_cast<std::int64_t>(m_text.size()); }
    std::int64_t Read(char* buffer, std::size_t count) override {
        std::size_t n = std::min(count, m_text.size() - m_nRead);
        std::memcpy(buffer, m_text.data() + m_nRead, n);
        m_nRead += n;
        return static_cast<std::int64_t>(n);
    }
    bool Write(const char*, std::size_t) override { return Refuse(); }
    bool Flush() override { return Refuse(); }
    bool TakeIdentityOf(const std::string&) override { return Refuse(); }

private:
    static bool Refuse() {
        errno = EBADF;
        return false;
    }

    const std::string& m_text;
    std::size_t m_nRead = 0;
};

} // namespace

std::unique_ptr<PlatformFile> OpenStandardInput() {
    static std::optional<std::string> text;
    if (!text) {
        std::string bytes;
        char chunk[65536];
        for (;;) {
            ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return nullptr;
            }
            if (n == 0) {
                break;
            }
            try {
                bytes.append(chunk, static_cast<std::size_t>(n));
            } catch (const std::bad_alloc&) {
                errno = ENOMEM;
                return nullptr;
            }
        }
        text = std::move(bytes);
    }
    return std::make_unique<StandardInputFile>(*text);
}

std::string ShownFileName(const std::string& path) {
    return path == kStandardStream ? "<stdin>" : path;
}
