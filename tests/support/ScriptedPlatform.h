#pragma once

#include <ctime>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

// A platform for tests: it records every message in order with the state of the
// busy cursor at the time, answers questions and file dialogs from scripts, runs
// on a fixed clock, and can make each file operation fail. It installs itself
// as the current platform for its lifetime.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        std::string text;
        MessageKind kind;
        bool busyCursorShown; // whether the busy cursor was still up at the message
    };

    // Which file operations fail. A short read hands back only this many bytes.
    struct Failures {
        bool openForReading = false;
        bool size = false;
        bool read = false;
        long long shortReadAt = -1;
        bool createTemporary = false;
        bool write = false;
        bool flush = false;
        bool identity = false;
        bool rename = false;
        bool remove = false;
        // Size reports more bytes than memory can hold.
        bool hugeSize = false;
        // Existing files count as not writable for this user.
        bool notWritable = false;
        // Opens for reading fail once this many have succeeded (-1: never), so a
        // file can be readable the first time and gone the second.
        int openForReadingAfter = -1;
    };

    ScriptedPlatform();
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::string FormatLocalTime(const std::string& format) override;
    std::unique_ptr<PlatformFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<PlatformFile> CreateTemporaryBeside(const std::string& target,
                                                        std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool IsFileWritable(const std::string& path) override;
    std::optional<std::string> ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    bool AskOpenFileName(const std::string& title, const std::string& filter,
                         const std::string& startFolder, std::string& path) override;
    bool AskSaveFileName(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& proposed,
                         const std::string& startFolder, std::string& path) override;

    // The texts of all messages so far, in order.
    std::vector<std::string> Texts() const;

    std::vector<Message> messages;
    // Answers to Yes/No and Yes/No/Cancel questions, taken from the front. A
    // question with no answer left is recorded as unexpected and gets Cancel (No).
    std::deque<Answer> answers;
    int unexpectedQuestions = 0;

    // File dialog answers, taken from the front; an empty text cancels. The last
    // dialog's arguments are kept for checks.
    std::deque<std::string> fileDialogAnswers;
    struct DialogCall {
        std::string title, filter, folderOrSuffix, proposed;
        std::string saveFolder; // where a save dialog starts when `proposed` names no folder
    };
    std::vector<DialogCall> dialogCalls;

    // Print set-up: every printer it was shown for, and what the user does there (a
    // test that changes the printer's settings answers true); without an answer the
    // user cancels.
    bool ShowPrintSetup(QPrinter& printer) override;
    std::vector<QPrinter*> printSetupPrinters;
    std::function<bool(QPrinter&)> printSetupAnswer;

    // Print: what the user does in the print dialog (a test may choose pages there
    // by setting them on the printer); without an answer the user cancels.
    bool ShowPrintDialog(QPrinter& printer) override;
    int printDialogCount = 0;
    std::function<bool(QPrinter&)> printDialogAnswer;

    // Print preview: the number of pages each preview was asked to show side by side
    // and the number of pages it had. previewAction, when set, is what the user
    // looks at (a test draws the pages there); the preview closes showing
    // previewPagesAtClose pages, or as many as it was asked to when that is 0, and
    // with previewPrints the user asks to print.
    PreviewResult ShowPrintPreview(QPrinter& printer, int pages,
                                   const PreviewPages& source) override;
    std::vector<int> previewPagesAsked;
    std::vector<int> previewPageCounts;
    std::function<void(QPrinter&, const PreviewPages&)> previewAction;
    int previewPagesAtClose = 0;
    bool previewPrints = false;

    // Each write and rename of a file, with the file's permissions at that moment.
    struct FileStep {
        std::string what; // "write" or "rename"
        std::string path; // the file written, or the one renamed
        unsigned permissions;
    };
    std::vector<FileStep> fileSteps;

    bool busyCursorShown = false;
    int busyCursorShownCount = 0;
    std::tm now{};
    // The system clipboard's text; nothing while it holds no text.
    std::optional<std::string> clipboard;
    Failures fail;
    int openForReadingCount = 0; // successful opens for reading so far

private:
    Platform* m_pPrevious = nullptr;
};
