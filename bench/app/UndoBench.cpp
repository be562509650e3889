// What a user waits for on Undo and Redo in a large protocol: a file of 100,000
// commands open in the editor's window, its tree filled and the changed command shown
// in the property view. Each action is made once; then Undo and Redo (through the
// menus' router, as Ctrl+Z and Ctrl+Y reach it) are timed, each with the tree's and
// the grid's work and the painting it causes: Remove Command in the middle of the list,
// an edit of a command's field and New Param. The other direction runs untimed. Qt
// paces window updates with a timer (5 ms by default); the benchmark sets it to 0 and
// lets the events run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "GuiBenchMain.h"
#include "PaintCounter.h"
#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTesselApp.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "grid/GridArea.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

namespace {

constexpr int kCommands = 100'000;
constexpr int kMiddle = kCommands / 2;

// The editor, started on settings of its own, with the protocol open in a window.
class Editor {
public:
    Editor() {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_oFolder.path());
        }
        const QString path = m_oFolder.filePath(QStringLiteral("big.pcl"));
        std::ofstream(path.toStdString(), std::ios::binary)
            << SampleProtocol::Text(kCommands, SampleProtocol::Params::Repeating);
        CTesselApp::Options options;
        options.programPath = m_oFolder.filePath(QStringLiteral("bin/tessel"));
        m_poApp = std::make_unique<CTesselApp>(options);
        if (!m_poApp->InitInstance({}) || m_poApp->OpenDocumentFile(path) == nullptr) {
            return;
        }
        m_pFrame = m_poApp->GetMainFrame()->ActiveChildFrame();
        m_pDocument = m_pFrame->GetDocument();
        Settle();
    }
    ~Editor() {
        if (m_poApp) {
            m_poApp->ExitInstance();
        }
    }

    CTesselView& View() const { return *m_pFrame->GetRightPane(); }

    // Lets the events of a change run until the panes have painted and a few turns
    // have passed without a paint.
    void Settle() {
        for (int idle = 0; idle < 4; ++idle) {
            QApplication::processEvents();
        }
    }

    QuietPlatform m_oPlatform{Platform::Answer::Yes};
    QTemporaryDir m_oFolder;
    std::unique_ptr<CTesselApp> m_poApp;
    CChildFrame* m_pFrame = nullptr;
    CTesselDoc* m_pDocument = nullptr;
};

// Makes `action` on the command in the middle, shown in the property view, then times
// Undo (range 0) or Redo (range 1) of it again and again. The history is emptied
// afterwards, so that every benchmark starts from the file as it was read.
void TimeUndoRedo(benchmark::State& state, const std::function<void(Editor&)>& action) {
    Editor& editor = Kept<Editor>();
    if (editor.m_pDocument == nullptr || editor.m_pDocument->GetCommandCount() != kCommands) {
        state.SkipWithError("the protocol was not opened as written");
        return;
    }
    CMainFrame& frame = *editor.m_poApp->GetMainFrame();
    editor.View().ShowItem(kMiddle + 1);
    editor.Settle();
    action(editor);
    editor.Settle();
    const bool redoTimed = state.range(0) == 1;
    PaintCounter treePaints(editor.m_pFrame->GetLeftPane()->GetTreeCtrl()->viewport());
    PaintCounter gridPaints(editor.View().GetGrid().GetArea());
    int failures = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (redoTimed) {
            failures += frame.ExecuteCommand(CommandId::EditUndo) ? 0 : 1;
            editor.Settle();
        }
        state.ResumeTiming();
        failures +=
            frame.ExecuteCommand(redoTimed ? CommandId::EditRedo : CommandId::EditUndo) ? 0 : 1;
        editor.Settle();
        state.PauseTiming();
        if (!redoTimed) {
            failures += frame.ExecuteCommand(CommandId::EditRedo) ? 0 : 1;
            editor.Settle();
        }
        state.ResumeTiming();
    }
    state.counters["tree paints"] =
        benchmark::Counter(treePaints.m_nPaints, benchmark::Counter::kAvgIterations);
    state.counters["grid paints"] =
        benchmark::Counter(gridPaints.m_nPaints, benchmark::Counter::kAvgIterations);
    if (failures > 0) {
        state.SkipWithError("Undo or Redo did not run");
    }
    if (editor.m_oPlatform.messages > 0) {
        state.SkipWithError("a message was shown");
    }
    editor.m_pDocument->Undo();
    editor.m_pDocument->ClearUndoHistory();
    editor.Settle();
}

void BM_RemoveCommandInTheMiddle(benchmark::State& state) {
    // The one before the command shown, which the view follows to its new place.
    TimeUndoRedo(state, [](Editor& editor) { editor.m_pDocument->RemoveCommand(kMiddle - 1); });
}

void BM_FieldEdit(benchmark::State& state) {
    TimeUndoRedo(state, [](Editor& editor) { editor.View().StoreValue(5, QStringLiteral("99")); });
}

void BM_NewParam(benchmark::State& state) {
    TimeUndoRedo(state, [](Editor& editor) { editor.View().OnNewParam(); });
}

} // namespace

BENCHMARK(BM_RemoveCommandInTheMiddle)
    ->ArgName("redo")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldEdit)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewParam)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv, [] { KeptHolder<Editor>().reset(); });
}
