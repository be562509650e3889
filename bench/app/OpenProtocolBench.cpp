// What a user waits for when opening a large protocol in the editor: a file of
// 100,000 commands opened through the application, as File Open does, to a usable
// document window: the file read, the window made, the tree filled and the device
// header shown in the property view, as the click on the tree's top item shows it,
// with the painting all of that causes. Closing the document again, which frees it,
// its window and its tree, is timed on its own. Qt paces window updates with a timer
// (5 ms by default); the benchmark sets it to 0 and lets the events run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <memory>
#include <string>

#include "GuiBenchMain.h"
#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTesselApp.h"
#include "document/CTesselDoc.h"
#include "grid/GridArea.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

namespace {

constexpr int kCommands = 100'000;

// The editor, started on settings of its own, with the protocol file beside them.
class Editor {
public:
    Editor() {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_oFolder.path());
        }
        m_strPath = m_oFolder.filePath(QStringLiteral("big.pcl"));
        std::ofstream(m_strPath.toStdString(), std::ios::binary)
            << SampleProtocol::Text(kCommands, SampleProtocol::Params::Repeating);
        CTesselApp::Options options;
        options.programPath = m_oFolder.filePath(QStringLiteral("bin/tessel"));
        m_poApp = std::make_unique<CTesselApp>(options);
        m_bStarted = m_poApp->InitInstance({});
        QApplication::processEvents();
    }
    ~Editor() {
        if (m_poApp) {
            m_poApp->ExitInstance();
        }
    }

    // Lets the events of a change run until the grid has painted and a few turns
    // have passed without one.
    void Settle() {
        for (int idle = 0; idle < 4; ++idle) {
            QApplication::processEvents();
        }
    }

    QuietPlatform m_oPlatform{Platform::Answer::No};
    QTemporaryDir m_oFolder;
    QString m_strPath;
    std::unique_ptr<CTesselApp> m_poApp;
    bool m_bStarted = false;
};

// Opens the file to a usable window; nullptr when that did not happen.
CChildFrame* OpenToUsableWindow(Editor& editor) {
    if (editor.m_poApp->OpenDocumentFile(editor.m_strPath) == nullptr) {
        return nullptr;
    }
    CChildFrame* frame = editor.m_poApp->GetMainFrame()->ActiveChildFrame();
    QTreeWidget* tree = frame->GetLeftPane()->GetTreeCtrl();
    tree->setCurrentItem(tree->topLevelItem(0));
    editor.Settle();
    if (frame->GetRightPane()->GetGrid().GetRowCount() != 18) {
        return nullptr;
    }
    return frame;
}

void Close(Editor& editor, CChildFrame* frame) {
    frame->GetDocument()->OnCloseDocument();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    editor.Settle();
}

void BM_OpenToAUsableWindow(benchmark::State& state) {
    Editor& editor = Kept<Editor>();
    if (!editor.m_bStarted) {
        state.SkipWithError("the editor did not start");
        return;
    }
    for (auto _ : state) {
        CChildFrame* frame = OpenToUsableWindow(editor);
        state.PauseTiming();
        if (frame == nullptr) {
            state.SkipWithError("no usable window");
            break;
        }
        state.counters["commands"] = frame->GetDocument()->GetCommandCount();
        Close(editor, frame);
        state.ResumeTiming();
    }
    if (editor.m_oPlatform.messages > 0) {
        state.SkipWithError("a message was shown");
    }
}

void BM_CloseTheOpenedProtocol(benchmark::State& state) {
    Editor& editor = Kept<Editor>();
    if (!editor.m_bStarted) {
        state.SkipWithError("the editor did not start");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        CChildFrame* frame = OpenToUsableWindow(editor);
        if (frame == nullptr) {
            state.SkipWithError("no usable window");
            break;
        }
        state.ResumeTiming();
        Close(editor, frame);
    }
    if (!editor.m_poApp->GetDocuments().empty()) {
        state.SkipWithError("the document stayed open");
    }
}

} // namespace

BENCHMARK(BM_OpenToAUsableWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseTheOpenedProtocol)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv, [] { KeptHolder<Editor>().reset(); });
}
