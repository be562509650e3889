#pragma once

#include "platform/Platform.h"
#include "platform/ProgramInfo.h"

// The platform on Qt: message boxes with the caption "Tessel" over the active
// window, the override cursor, the system clipboard, and Qt's file and print
// dialogs and print preview.
class QtPlatform : public Platform {
public:
    static constexpr const char* kCaption = ProgramInfo::kName;
    static constexpr const char* kPrintSetupTitle = "Print Setup";
    static constexpr const char* kPrintTitle = "Print";
    static constexpr const char* kPrintPreviewTitle = "Print Preview";

    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<std::string> ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    bool AskOpenFileName(const std::string& title, const std::string& filter,
                         const std::string& startFolder, std::string& path) override;
    bool AskSaveFileName(const std::string& title, const std::string& filter,
                         const std::string& defaultSuffix, const std::string& proposed,
                         const std::string& startFolder, std::string& path) override;
    bool ShowPrintSetup(QPrinter& printer) override;
    bool ShowPrintDialog(QPrinter& printer) override;
    PreviewResult ShowPrintPreview(QPrinter& printer, int pages,
                                   const PreviewPages& source) override;

private:
    bool m_bWaitCursorShown = false;
};
