#include "ScriptedPlatform.h"

#include <algorithm>

#include <sys/stat.h>

namespace {

unsigned PermissionsOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 07777) : 0u;
}

// Wraps a real file and fails the operations the script names.
class ScriptedFile : public PlatformFile {
public:
    ScriptedFile(std::unique_ptr<PlatformFile> file, const ScriptedPlatform::Failures& fail,
                 std::string path = {}, std::vector<ScriptedPlatform::FileStep>* steps = nullptr)
        : m_file(std::move(file)), m_fail(fail), m_path(std::move(path)), m_pSteps(steps) {}

    std::int64_t Size() override {
        if (m_fail.hugeSize) {
            return std::int64_t{1} << 62;
        }
        return m_fail.size ? -1 : m_file->Size();
    }

    std::int64_t Read(char* buffer, std::size_t count) override {
        if (m_fail.read) {
            return -1;
        }
        if (m_fail.shortReadAt >= 0) {
            auto left = static_cast<std::size_t>(m_fail.shortReadAt) -
                        std::min(static_cast<std::size_t>(m_fail.shortReadAt), m_delivered);
            count = std::min(count, left);
            if (count == 0) {
                return 0;
            }
        }
        std::int64_t n = m_file->Read(buffer, count);
        if (n > 0) {
            m_delivered += static_cast<std::size_t>(n);
        }
        return n;
    }

    bool Write(const char* data, std::size_t count) override {
        if (m_pSteps != nullptr) {
            m_pSteps->push_back({"write", m_path, PermissionsOf(m_path)});
        }
        return !m_fail.write && m_file->Write(data, count);
    }
    bool Flush() override { return !m_fail.flush && m_file->Flush(); }
    bool TakeIdentityOf(const std::string& original) override {
        return !m_fail.identity && m_file->TakeIdentityOf(original);
    }

private:
    std::unique_ptr<PlatformFile> m_file;
    ScriptedPlatform::Failures m_fail;
    std::string m_path;
    std::vector<ScriptedPlatform::FileStep>* m_pSteps;
    std::size_t m_delivered = 0;
};

} // namespace

ScriptedPlatform::ScriptedPlatform() {
    // Monday, December 07, 2026, 10:30:00
    now.tm_year = 126;
    now.tm_mon = 11;
    now.tm_mday = 7;
    now.tm_wday = 1;
    now.tm_yday = 340;
    now.tm_hour = 10;
    now.tm_min = 30;
    m_pPrevious = Platform::Install(this);
}

ScriptedPlatform::~ScriptedPlatform() {
    Platform::Install(m_pPrevious);
}

Platform::Answer ScriptedPlatform::ShowMessage(const std::string& text, MessageKind kind) {
    messages.push_back({text, kind, busyCursorShown});
    if (kind == MessageKind::Ok) {
        return Answer::Ok;
    }
    if (answers.empty()) {
        ++unexpectedQuestions;
        return kind == MessageKind::YesNo ? Answer::No : Answer::Cancel;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPlatform::BeginWaitCursor() {
    busyCursorShown = true;
    ++busyCursorShownCount;
}

void ScriptedPlatform::EndWaitCursor() {
    busyCursorShown = false;
}

std::string ScriptedPlatform::FormatLocalTime(const std::string& format) {
    return FormatTime(now, format);
}

std::unique_ptr<PlatformFile> ScriptedPlatform::OpenForReading(const std::string& path) {
    if (fail.openForReading ||
        (fail.openForReadingAfter >= 0 && openForReadingCount >= fail.openForReadingAfter)) {
        return nullptr;
    }
    std::unique_ptr<PlatformFile> file = Platform::OpenForReading(path);
    if (!file) {
        return nullptr;
    }
    ++openForReadingCount;
    return std::make_unique<ScriptedFile>(std::move(file), fail);
}

std::unique_ptr<PlatformFile> ScriptedPlatform::CreateTemporaryBeside(const std::string& target,
                                                                      std::string& path) {
    if (fail.createTemporary) {
        return nullptr;
    }
    std::unique_ptr<PlatformFile> file = Platform::CreateTemporaryBeside(target, path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<ScriptedFile>(std::move(file), fail, path, &fileSteps);
}

bool ScriptedPlatform::RenameFile(const std::string& from, const std::string& to) {
    fileSteps.push_back({"rename", from, PermissionsOf(from)});
    return !fail.rename && Platform::RenameFile(from, to);
}

bool ScriptedPlatform::RemoveFile(const std::string& path) {
    return !fail.remove && Platform::RemoveFile(path);
}

bool ScriptedPlatform::IsFileWritable(const std::string& path) {
    return !fail.notWritable && Platform::IsFileWritable(path);
}

bool ScriptedPlatform::ShowPrintSetup(QPrinter& printer) {
    printSetupPrinters.push_back(&printer);
    return printSetupAnswer ? printSetupAnswer(printer) : false;
}

bool ScriptedPlatform::ShowPrintDialog(QPrinter& printer) {
    ++printDialogCount;
    return printDialogAnswer ? printDialogAnswer(printer) : false;
}

Platform::PreviewResult ScriptedPlatform::ShowPrintPreview(QPrinter& printer, int pages,
                                                           const PreviewPages& source) {
    previewPagesAsked.push_back(pages);
    previewPageCounts.push_back(source.count);
    if (previewAction) {
        previewAction(printer, source);
    }
    return {previewPagesAtClose != 0 ? previewPagesAtClose : pages, previewPrints};
}

bool ScriptedPlatform::AskOpenFileName(const std::string& title, const std::string& filter,
                                       const std::string& startFolder, std::string& path) {
    dialogCalls.push_back({title, filter, startFolder, {}, {}});
    if (fileDialogAnswers.empty()) {
        return false;
    }
    path = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    return !path.empty();
}

bool ScriptedPlatform::AskSaveFileName(const std::string& title, const std::string& filter,
                                       const std::string& defaultSuffix,
                                       const std::string& proposed, const std::string& startFolder,
                                       std::string& path) {
    dialogCalls.push_back({title, filter, defaultSuffix, proposed, startFolder});
    if (fileDialogAnswers.empty()) {
        return false;
    }
    path = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    return !path.empty();
}

std::vector<std::string> ScriptedPlatform::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(messages.size());
    for (const Message& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}
