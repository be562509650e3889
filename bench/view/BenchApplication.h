#pragma once

#include <QPrinter>
#include <memory>

#include "document/ApplicationState.h"
#include "model/Command.h"

// What a document window asks of the application, for benchmarks that build the
// panes without the whole editor: its own command clipboard, grid identifiers, no
// tool tips, and a printer made when first asked for.
class BenchApplication : public ApplicationState {
public:
    Command& ClipCommand() override { return m_oClip; }
    int TakeNextGridId() override { return m_nNextGridId++; }
    bool GridToolTips() const override { return false; }
    QPrinter& Printer() override {
        if (!m_poPrinter) {
            m_poPrinter = std::make_unique<QPrinter>();
        }
        return *m_poPrinter;
    }
    void SetPreviewPages(int) override {}

private:
    Command m_oClip{Command::kNewCommandName};
    int m_nNextGridId = 1000;
    std::unique_ptr<QPrinter> m_poPrinter;
};
