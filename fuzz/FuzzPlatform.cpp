#include "FuzzPlatform.h"

#include <algorithm>
#include <cstring>

namespace {

class MemoryFile : public PlatformFile {
public:
    explicit MemoryFile(const std::string& bytes) : m_bytes(bytes) {}
    std::int64_t Size() override { return static_cast<std::int64_t>(m_bytes.size()); }
    std::int64_t Read(char* buffer, std::size_t count) override {
        std::size_t n = std::min(count, m_bytes.size() - m_position);
        if (n > 0) {
            std::memcpy(buffer, m_bytes.data() + m_position, n);
        }
        m_position += n;
        return static_cast<std::int64_t>(n);
    }
    bool Write(const char*, std::size_t) override { return false; }
    bool Flush() override { return false; }
    bool TakeIdentityOf(const std::string&) override { return false; }

private:
    const std::string& m_bytes;
    std::size_t m_position = 0;
};

} // namespace

FuzzPlatform::FuzzPlatform() {
    m_pPrevious = Platform::Install(this);
}

FuzzPlatform::~FuzzPlatform() {
    Platform::Install(m_pPrevious);
}

void FuzzPlatform::SetFile(const std::string& path, std::string_view bytes) {
    m_oFiles[path] = std::string(bytes);
}

Platform::Answer FuzzPlatform::ShowMessage(const std::string&, MessageKind kind) {
    ++messages;
    return kind == MessageKind::Ok      ? Answer::Ok
           : kind == MessageKind::YesNo ? Answer::No
                                        : Answer::Cancel;
}

std::unique_ptr<PlatformFile> FuzzPlatform::OpenForReading(const std::string& path) {
    auto it = m_oFiles.find(path);
    if (it == m_oFiles.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryFile>(it->second);
}

std::unique_ptr<PlatformFile> FuzzPlatform::CreateTemporaryBeside(const std::string&,
                                                                  std::string&) {
    return nullptr;
}
