#pragma once

#include <string>

#include "platform/HeadlessPlatform.h"

// Counts messages instead of showing them, so a benchmark measures the work and
// not the message path; files are the real ones. Installs itself for its lifetime.
class QuietPlatform : public HeadlessPlatform {
public:
    QuietPlatform() : m_pPrevious(Platform::Install(this)) {}
    ~QuietPlatform() override { Platform::Install(m_pPrevious); }
    QuietPlatform(const QuietPlatform&) = delete;
    QuietPlatform& operator=(const QuietPlatform&) = delete;

    Answer ShowMessage(const std::string&, MessageKind) override {
        ++warnings;
        return Answer::Ok;
    }

    long warnings = 0;

private:
    Platform* m_pPrevious;
};
