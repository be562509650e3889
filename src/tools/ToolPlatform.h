#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"

// A message as pcltool reports it: the text the editor would have shown, the line of
// the file it is about (0 for none), and the system's reason (an errno value, 0 for
// none) when it reports a file operation that failed.
struct ToolMessage {
    std::string text;
    int line = 0;
    int systemError = 0;
};

// The platform under pcltool: it collects every message the editor would have
// shown in a message box, answers every question with No (or Cancel), has no busy
// cursor and no dialogs, and uses the real files, "-" being standard input. It
// installs itself as the current platform for its lifetime.
class ToolPlatform : public HeadlessPlatform {
public:
    ToolPlatform();
    ~ToolPlatform() override;
    ToolPlatform(const ToolPlatform&) = delete;
    ToolPlatform& operator=(const ToolPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;

    // Each file operation that fails keeps its reason for the message that reports it.
    std::unique_ptr<PlatformFile> OpenForReading(const std::string& path) override;
    std::string ResolveLinks(const std::string& path) override;
    std::unique_ptr<PlatformFile> CreateTemporaryBeside(const std::string& target,
                                                        std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool IsFileWritable(const std::string& path) override;

    // The messages so far, in the order shown.
    std::vector<ToolMessage> messages;

private:
    class Watched;
    // Notes errno as the reason of the next message, unless one is noted already:
    // the first failure is the one that made the operation give up.
    void NoteFailure();
    std::unique_ptr<PlatformFile> Watch(std::unique_ptr<PlatformFile> file);

    Platform* m_pPrevious = nullptr;
    int m_nFailure = 0;
};

// Prints the messages met in `file` on `err`. A file operation that failed is
// reported as programs report a failed system call, "pcltool: FILE: reason"; every
// other message as compilers report theirs, "FILE:LINE: message" (or "FILE: message"
// when it belongs to no line), so that editors can jump to the line. Each message
// is one line: its line breaks become spaces.
void PrintMessages(std::ostream& err, const std::string& file,
                   const std::vector<ToolMessage>& messages);

// How messages name standard output.
inline constexpr const char* kStandardOutputName = "<stdout>";

// Finishes what went to `out`, standard output in the program, as a written file is
// finished: false after the system's reason on `err` when it could not be written.
bool FinishOutput(std::ostream& out, std::ostream& err);
