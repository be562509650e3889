#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

// A platform without a desktop, for the command-line tool, benchmarks and fuzzing:
// there is no busy cursor to show, the clipboard is held in memory, and every file
// dialog is cancelled. What becomes of a message is left to the subclass.
class HeadlessPlatform : public Platform {
public:
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::string> ClipboardText() override { return m_strClipboard; }
    void SetClipboardText(const std::string& text) override { m_strClipboard = text; }
    bool AskOpenFileName(const std::string&, const std::string&, const std::string&,
                         std::string&) override {
        return false;
    }
    bool AskSaveFileName(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&, std::string&) override {
        return false;
    }

private:
    std::optional<std::string> m_strClipboard;
};
