#include "tools/ToolPlatform.h"

ToolPlatform::ToolPlatform() {
    m_pPrevious = Platform::Install(this);
}

ToolPlatform::~ToolPlatform() {
    Platform::Install(m_pPrevious);
}

Platform::Answer ToolPlatform::ShowMessage(const std::string& text, MessageKind kind) {
    messages.push_back(text);
    // Nobody is there to answer, so nothing is ever confirmed.
    switch (kind) {
    case MessageKind::Ok:
        return Answer::Ok;
    case MessageKind::YesNo:
        return Answer::No;
    case MessageKind::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}
