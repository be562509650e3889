#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QPainter;
class QPrinter;

// An open file as the reader and writer see it. Every operation reports failure
// instead of throwing, so a test platform can make any step fail.
class PlatformFile {
public:
    virtual ~PlatformFile() = default;
    // Size in bytes from the end position; -1 when it cannot be told.
    virtual std::int64_t Size() = 0;
    // Reads up to `count` bytes; the number read, 0 at the end, -1 on error.
    virtual std::int64_t Read(char* buffer, std::size_t count) = 0;
    // Writes all `count` bytes or reports false.
    virtual bool Write(const char* data, std::size_t count) = 0;
    // Forces written data to the disk.
    virtual bool Flush() = 0;
    // Gives the file the permissions of the file at `original` and, where this user
    // may change them, its owner and group. With no file at `original`, the file gets
    // the permissions a newly created file would have. False when the permissions
    // cannot be set.
    virtual bool TakeIdentityOf(const std::string& original) = 0;
};

// Tells which line of the file being read a message is about. It is asked only when
// a message is shown, so reading pays nothing for lines it never reports.
class MessageLineSource {
public:
    // The line, counted from 1; 0 when the message belongs to no line.
    virtual int MessageLine() const = 0;

protected:
    ~MessageLineSource() = default;
};

// The services the program takes from the desktop: message boxes, the busy cursor,
// local time, files, the clipboard, file dialogs, the print dialogs and the print
// preview. The model, documents and views call only this, so tests run them with a
// scripted platform that records every message and answers every question.
//
// All texts crossing this interface are UTF-8; the model converts its code-page
// bytes at the boundary (see Codepage).
class Platform {
public:
    enum class MessageKind {
        Ok,          // OK button, warning icon
        YesNo,       // Yes and No buttons, question icon
        YesNoCancel, // Yes, No and Cancel buttons, for the save-changes question
    };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Platform() = default;

    // The platform the program runs on. Until one is installed, a plain one that
    // writes messages to standard error and answers every question with Cancel
    // (or No) stands in, so that nothing is ever silently lost.
    static Platform& Current();
    // Installs `platform` (not owned) and returns the previous one; nullptr
    // restores the plain one.
    static Platform* Install(Platform* platform);

    // Modal message box with the caption "Tessel".
    virtual Answer ShowMessage(const std::string& text, MessageKind kind) = 0;
    void MessageOk(const std::string& text) { ShowMessage(text, MessageKind::Ok); }
    // The line of the file being read that the messages shown now are about; 0 when
    // they belong to none. A message box leaves it out; a platform that prints its
    // messages names it, as compilers do. Set for a scope by MessageLineScope.
    int CurrentMessageLine() const {
        return m_pLineSource != nullptr ? m_pLineSource->MessageLine() : 0;
    }
    // Returns the source it replaces.
    const MessageLineSource* SetMessageLineSource(const MessageLineSource* source) {
        return std::exchange(m_pLineSource, source);
    }
    bool AskYesNo(const std::string& text) {
        return ShowMessage(text, MessageKind::YesNo) == Answer::Yes;
    }
    Answer AskYesNoCancel(const std::string& text) {
        return ShowMessage(text, MessageKind::YesNoCancel);
    }

    // Busy cursor: shown by Begin, taken down by End. It is one state, not a count:
    // an operation takes it down before it shows a message, even inside another
    // operation's busy time, and a second End does nothing.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The local date and time now, formatted by strftime-style `format` with the
    // classic ("C") names of days and months, whatever the user's locale.
    virtual std::string FormatLocalTime(const std::string& format);

    // Files. The defaults work on the local file system; a test platform overrides
    // them to make a step fail.
    virtual std::unique_ptr<PlatformFile> OpenForReading(const std::string& path);
    // The file that writing to `path` changes: the one a symbolic link names, link
    // after link, also when that file does not exist yet; `path` itself when it is no
    // link. Empty when the links lead round in a circle.
    virtual std::string ResolveLinks(const std::string& path);
    // Creates a new file in the folder of `target`, under a name no file has, that
    // only this user may read and write, for a text that is to replace `target`;
    // `path` receives its name. nullptr when the folder takes no new file.
    virtual std::unique_ptr<PlatformFile> CreateTemporaryBeside(const std::string& target,
                                                                std::string& path);
    // Puts the file `from` in the place of `to`, replacing it in one step.
    virtual bool RenameFile(const std::string& from, const std::string& to);
    virtual bool RemoveFile(const std::string& path);
    virtual bool FileExists(const std::string& path);
    // Whether this user may change the file at `path`.
    virtual bool IsFileWritable(const std::string& path);

    // Plain text on the system clipboard; nothing when it holds no text (an image,
    // say, or nothing at all), which is not the same as an empty text.
    virtual std::optional<std::string> ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // File dialogs. `filter` is "Description (*.ext)"; they return false when the
    // user cancels. The save dialog asks before replacing an existing file; it starts
    // in the folder of `proposed` when that names one, otherwise in `startFolder`
    // (when it exists), and offers the file name of `proposed`.
    virtual bool AskOpenFileName(const std::string& title, const std::string& filter,
                                 const std::string& startFolder, std::string& path) = 0;
    virtual bool AskSaveFileName(const std::string& title, const std::string& filter,
                                 const std::string& defaultSuffix, const std::string& proposed,
                                 const std::string& startFolder, std::string& path) = 0;

    // The printer set-up dialog: the user chooses the printer and its options. On OK
    // the choice goes into `printer`, which the caller keeps for the next print job,
    // and the answer is true; nothing is printed. A platform without printers has no
    // such dialog and answers false.
    virtual bool ShowPrintSetup(QPrinter& /*printer*/) { return false; }
    // The print dialog of Print: the user chooses the printer, its options and the
    // pages to print, which go into `printer`; true when the user prints. A platform
    // without printers answers false.
    virtual bool ShowPrintDialog(QPrinter& /*printer*/) { return false; }
    // What print preview shows: `count` pages laid out for the preview's printer, and
    // how to draw page `page` (from 1) with a painter that works in the printer's
    // pixels, its origin at the top left of the printable area.
    struct PreviewPages {
        int count = 0;
        std::function<void(QPainter& painter, int page)> draw;
    };
    // How the user left the preview: how many pages it showed side by side then, and
    // whether the user asked to print.
    struct PreviewResult {
        int pages = 0;
        bool print = false;
    };
    // Print preview of `source` on the paper of `printer`, starting with `pages`
    // pages (one or two) side by side. A platform without a desktop shows nothing.
    virtual PreviewResult ShowPrintPreview(QPrinter& /*printer*/, int pages,
                                           const PreviewPages& /*source*/) {
        return {pages, false};
    }

protected:
    // Formats the given broken-down time; shared by the real and scripted clocks.
    static std::string FormatTime(const std::tm& time, const std::string& format);

private:
    const MessageLineSource* m_pLineSource = nullptr;
};

// Makes `source` tell the line of the messages shown during a scope.
class MessageLineScope {
public:
    explicit MessageLineScope(const MessageLineSource& source,
                              Platform& platform = Platform::Current())
        : m_platform(platform), m_pPrevious(platform.SetMessageLineSource(&source)) {}
    ~MessageLineScope() { m_platform.SetMessageLineSource(m_pPrevious); }
    MessageLineScope(const MessageLineScope&) = delete;
    MessageLineScope& operator=(const MessageLineScope&) = delete;

private:
    Platform& m_platform;
    const MessageLineSource* m_pPrevious;
};

// Shows the busy cursor for a scope. End() takes it down early, as an operation does
// before it shows a message; the destructor then does nothing more.
class WaitCursor {
public:
    explicit WaitCursor(Platform& platform = Platform::Current()) : m_platform(platform) {
        m_platform.BeginWaitCursor();
    }
    ~WaitCursor() { End(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void End() {
        if (m_bShown) {
            m_bShown = false;
            m_platform.EndWaitCursor();
        }
    }

private:
    Platform& m_platform;
    bool m_bShown = true;
};
