#pragma once

#include <string>

#include "platform/Platform.h"

// Counts messages instead of showing them, so a benchmark measures the work and
// not the message path; files are the real ones. Installs itself for its lifetime.
class QuietPlatform : public Platform {
public:
    QuietPlatform() : m_pPrevious(Platform::Install(this)) {}
    ~QuietPlatform() override { Platform::Install(m_pPrevious); }
    QuietPlatform(const QuietPlatform&) = delete;
    QuietPlatform& operator=(const QuietPlatform&) = delete;

    Answer ShowMessage(const std::string&, MessageKind) override {
        ++warnings;
        return Answer::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
    bool AskOpenFileName(const std::string&, const std::string&, const std::string&,
                         std::string&) override {
        return false;
    }
    bool AskSaveFileName(const std::string&, const std::string&, const std::string&,
                         const std::string&, std::string&) override {
        return false;
    }

    long warnings = 0;

private:
    Platform* m_pPrevious;
};
