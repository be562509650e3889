#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

// The platform under pcltool: it collects every message the editor would have
// shown in a message box, answers every question with No (or Cancel), has no busy
// cursor and no dialogs, and uses the real files. It installs itself as the
// current platform for its lifetime.
class ToolPlatform : public Platform {
public:
    ToolPlatform();
    ~ToolPlatform() override;
    ToolPlatform(const ToolPlatform&) = delete;
    ToolPlatform& operator=(const ToolPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::string ClipboardText() override { return m_strClipboard; }
    void SetClipboardText(const std::string& text) override { m_strClipboard = text; }
    bool AskOpenFileName(const std::string& title, const std::string& filter,
                         const std::string& startFolder, std::string& path) override;
    bool AskSaveFileName(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& proposed,
                         std::string& path) override;

    // The messages so far, in the order shown.
    std::vector<std::string> messages;

private:
    Platform* m_pPrevious = nullptr;
    std::string m_strClipboard;
};
