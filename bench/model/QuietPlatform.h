#pragma once

#include <string>

#include "platform/HeadlessPlatform.h"

// Counts messages instead of showing them, so a benchmark measures the work and
// not the message path; files are the real ones. A question gets `answer`. Installs
// itself for its lifetime.
class QuietPlatform : public HeadlessPlatform {
public:
    explicit QuietPlatform(Answer answer = Answer::Ok)
        : m_eAnswer(answer), m_pPrevious(Platform::Install(this)) {}
    ~QuietPlatform() override { Platform::Install(m_pPrevious); }
    QuietPlatform(const QuietPlatform&) = delete;
    QuietPlatform& operator=(const QuietPlatform&) = delete;

    Answer ShowMessage(const std::string&, MessageKind) override {
        ++messages;
        return m_eAnswer;
    }

    long messages = 0;

private:
    Answer m_eAnswer;
    Platform* m_pPrevious;
};
