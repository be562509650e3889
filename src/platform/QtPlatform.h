#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/Platform.h"
#include "platform/ProgramInfo.h"

class QPrinter;

// The platform on Qt: message boxes with the caption "Tessel" over the active
// window, the override cursor, the system clipboard, Qt's file dialogs and the
// printer settings that print set-up changes and printing uses.
class QtPlatform : public Platform {
public:
    static constexpr const char* kCaption = ProgramInfo::kName;

    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    bool AskOpenFileName(const std::string& title, const std::string& filter,
                         const std::string& startFolder, std::string& path) override;
    bool AskSaveFileName(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& proposed,
                         std::string& path) override;
    bool ShowPrintSetup() override;

    // The printer and its settings, shared by every print job of the run.
    QPrinter& Printer();

private:
    bool m_bWaitCursorShown = false;
    std::unique_ptr<QPrinter> m_poPrinter;
};
