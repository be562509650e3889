#include "tools/ToolPlatform.h"

#include <cerrno>
#include <cstring>

#include "platform/StandardInput.h"

// An open file whose failing operations note their reason.
class ToolPlatform::Watched : public PlatformFile {
public:
    Watched(ToolPlatform& platform, std::unique_ptr<PlatformFile> file)
        : m_platform(platform), m_poFile(std::move(file)) {}

    std::int64_t Size() override { return Noted(m_poFile->Size()); }
    std::int64_t Read(char* buffer, std::size_t count) override {
        return Noted(m_poFile->Read(buffer, count));
    }
    bool Write(const char* data, std::size_t count) override {
        return Noted(m_poFile->Write(data, count));
    }
    bool Flush() override { return Noted(m_poFile->Flush()); }
    bool TakeIdentityOf(const std::string& original) override {
        return Noted(m_poFile->TakeIdentityOf(original));
    }

private:
    std::int64_t Noted(std::int64_t result) {
        if (result < 0) {
            m_platform.NoteFailure();
        }
        return result;
    }
    bool Noted(bool result) {
        if (!result) {
            m_platform.NoteFailure();
        }
        return result;
    }

    ToolPlatform& m_platform;
    std::unique_ptr<PlatformFile> m_poFile;
};

ToolPlatform::ToolPlatform() {
    m_pPrevious = Platform::Install(this);
}

ToolPlatform::~ToolPlatform() {
    Platform::Install(m_pPrevious);
}

Platform::Answer ToolPlatform::ShowMessage(const std::string& text, MessageKind kind) {
    messages.push_back({text, CurrentMessageLine(), m_nFailure});
    m_nFailure = 0;
    // Nobody is there to answer, so nothing is ever confirmed.
    switch (kind) {
    case MessageKind::Ok:
        return Answer::Ok;
    case MessageKind::YesNo:
        return Answer::No;
    case MessageKind::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

void ToolPlatform::NoteFailure() {
    if (m_nFailure == 0) {
        m_nFailure = errno;
    }
}

std::unique_ptr<PlatformFile> ToolPlatform::Watch(std::unique_ptr<PlatformFile> file) {
    if (!file) {
        NoteFailure();
        return nullptr;
    }
    return std::make_unique<Watched>(*this, std::move(file));
}

std::unique_ptr<PlatformFile> ToolPlatform::OpenForReading(const std::string& path) {
    return Watch(path == kStandardStream ? OpenStandardInput()
                                         : HeadlessPlatform::OpenForReading(path));
}

std::string ToolPlatform::ResolveLinks(const std::string& path) {
    std::string target = HeadlessPlatform::ResolveLinks(path);
    if (target.empty()) {
        errno = ELOOP;
        NoteFailure();
    }
    return target;
}

std::unique_ptr<PlatformFile> ToolPlatform::CreateTemporaryBeside(const std::string& target,
                                                                  std::string& path) {
    return Watch(HeadlessPlatform::CreateTemporaryBeside(target, path));
}

bool ToolPlatform::RenameFile(const std::string& from, const std::string& to) {
    bool renamed = HeadlessPlatform::RenameFile(from, to);
    if (!renamed) {
        NoteFailure();
    }
    return renamed;
}

bool ToolPlatform::IsFileWritable(const std::string& path) {
    bool writable = HeadlessPlatform::IsFileWritable(path);
    if (!writable) {
        NoteFailure();
    }
    return writable;
}

void PrintMessages(std::ostream& err, const std::string& file,
                   const std::vector<ToolMessage>& messages) {
    const std::string name = ShownFileName(file);
    for (const ToolMessage& message : messages) {
        if (message.systemError != 0) {
            err << "pcltool: " << name << ": " << std::strerror(message.systemError) << "\n";
            continue;
        }
        std::string text = message.text;
        for (char& c : text) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        err << name;
        if (message.line > 0) {
            err << ":" << message.line;
        }
        err << ": " << text << "\n";
    }
}

bool FinishOutput(std::ostream& out, std::ostream& err) {
    errno = 0;
    out.flush();
    if (!out) {
        err << "pcltool: " << kStandardOutputName << ": "
            << (errno != 0 ? std::strerror(errno) : "could not be written") << "\n";
        return false;
    }
    return true;
}
