#pragma once

#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"

// The platform under pcltool: it collects every message the editor would have
// shown in a message box, answers every question with No (or Cancel), has no busy
// cursor and no dialogs, and uses the real files. It installs itself as the
// current platform for its lifetime.
class ToolPlatform : public HeadlessPlatform {
public:
    ToolPlatform();
    ~ToolPlatform() override;
    ToolPlatform(const ToolPlatform&) = delete;
    ToolPlatform& operator=(const ToolPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;

    // The messages so far, in the order shown.
    std::vector<std::string> messages;

private:
    Platform* m_pPrevious = nullptr;
};
