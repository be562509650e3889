// What a user waits for in the property view of a large protocol: a file of 100,000
// commands, read once, in a property view on the offscreen platform. Showing the
// largest command (10 parameters, 20 bytes: 38 rows), storing an edit (the editor
// closing, the model written through the document, the other views told, the cell
// painted) and New Param on a command, each with the painting it causes. Qt paces
// window updates with a timer (5 ms by default); the benchmark sets it to 0 and lets
// the events run, so that it measures the work and not the pacing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QSplitter>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "BenchApplication.h"
#include "GuiBenchMain.h"
#include "QuietPlatform.h"
#include "SampleProtocol.h"
#include "document/CTesselDoc.h"
#include "grid/GridArea.h"
#include "model/Command.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

namespace {

constexpr int kCommands = 100'000;

// The generated protocol with the largest command a protocol can hold in the middle
// of the list, where a search for it would take longest.
std::string ProtocolText() {
    std::string text = SampleProtocol::Text(kCommands, SampleProtocol::Params::Repeating);
    std::string largest = "\r\n[Switcher:Largest]\r\ndescription=Ten parameters, twenty bytes\r\n";
    for (int p = 1; p <= Command::kMaxParams; ++p) {
        largest += "param" + std::to_string(p) + "=byte, \"Input number 1-16\"\r\n";
    }
    for (int b = 1; b <= Command::kMaxBytes; ++b) {
        largest += "byte" + std::to_string(b) + "=0x" + std::to_string(10 + b) + "\r\n";
    }
    largest += "message=@byte(param1)\\r\r\n";
    // Before the section of the command in the middle of the list.
    std::size_t at = 0;
    for (int i = 0; i < kCommands / 2; ++i) {
        at = text.find("\r\n[", at + 1);
    }
    text.insert(at, largest);
    return text;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return false;
    }
    int m_nPaints = 0;
};

// Lets the events of a change run, up to the paint it asks for.
void Settle(PaintCounter& counter) {
    const int before = counter.m_nPaints;
    for (int idle = 0; idle < 8 && counter.m_nPaints == before; ++idle) {
        QApplication::processEvents();
    }
}

// The big protocol, read from its file, in a property view of a window's size.
class BigView {
public:
    BigView() {
        const QString path = m_oFolder.filePath(QStringLiteral("big.pcl"));
        std::ofstream(path.toStdString(), std::ios::binary) << ProtocolText();
        if (!m_oDocument.OpenProtocolFile(path.toStdString())) {
            return;
        }
        for (int i = 0; i < m_oDocument.GetCommandCount(); ++i) {
            if (m_oDocument.GetCommand(i)->m_nParams == Command::kMaxParams) {
                m_nLargest = i + 1;
            }
        }
        m_pView = new CTesselView(m_oDocument, m_oApp);
        m_oSplitter.addWidget(m_pView);
        m_oSplitter.resize(800, 600);
        m_oSplitter.show();
        m_pView->OnInitialUpdate();
        m_pView->ShowItem(0);
        QApplication::processEvents();
    }

    QuietPlatform m_oPlatform{Platform::Answer::Yes};
    BenchApplication m_oApp;
    QTemporaryDir m_oFolder;
    CTesselDoc m_oDocument;
    QSplitter m_oSplitter;
    CTesselView* m_pView = nullptr;
    int m_nLargest = 0;
};

bool Ready(benchmark::State& state, BigView& view) {
    if (view.m_pView == nullptr || view.m_nLargest == 0 ||
        view.m_oDocument.GetCommandCount() != kCommands + 1) {
        state.SkipWithError("the protocol was not read as written");
        return false;
    }
    return true;
}

void Report(benchmark::State& state, BigView& view, int paints) {
    state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["rows"] = view.m_pView->GetGrid().GetRowCount();
    if (view.m_oPlatform.messages > 0) {
        state.SkipWithError("a message was shown");
    }
}

// The largest command shown after another record, as a click in the tree shows it.
void BM_ShowItemOfTheLargestCommand(benchmark::State& state) {
    BigView& view = Kept<BigView>();
    if (!Ready(state, view)) {
        return;
    }
    PaintCounter paints(view.m_pView->GetGrid().GetArea());
    int timedPaints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        view.m_pView->ShowItem(1);
        Settle(paints);
        const int before = paints.m_nPaints;
        state.ResumeTiming();
        view.m_pView->ShowItem(view.m_nLargest);
        Settle(paints);
        timedPaints += paints.m_nPaints - before;
    }
    Report(state, view, timedPaints);
}

// An edit of the Timeout row of the largest command finished as Enter finishes it:
// the editor closes, the document writes the field and tells its views, and the
// cell is painted. Opening the editor is not timed.
void BM_EditWriteBack(benchmark::State& state) {
    BigView& view = Kept<BigView>();
    if (!Ready(state, view)) {
        return;
    }
    view.m_pView->ShowItem(view.m_nLargest);
    PropertyGrid& grid = view.m_pView->GetGrid();
    PaintCounter paints(grid.GetArea());
    constexpr int kTimeoutRow = 5;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.StartEdit(PropertyGrid::kValueColumn, kTimeoutRow, 0);
        Settle(paints);
        const QString text = QString::number(++n);
        state.ResumeTiming();
        grid.FinishEdit(text, 0, 0, PropertyGrid::kValueColumn, kTimeoutRow);
        Settle(paints);
    }
    if (view.m_oDocument.GetCommand(view.m_nLargest - 1)->m_strTimeout != std::to_string(n)) {
        state.SkipWithError("the edit did not reach the model");
    }
    Report(state, view, paints.m_nPaints);
}

// New Param on a command of two parameters, which then shows one row more; the
// parameter is taken out again untimed.
void BM_NewParam(benchmark::State& state) {
    BigView& view = Kept<BigView>();
    if (!Ready(state, view)) {
        return;
    }
    int item = 0;
    for (int i = 0; i < view.m_oDocument.GetCommandCount() && item == 0; ++i) {
        if (view.m_oDocument.GetCommand(i)->m_nParams == 2) {
            item = i + 1;
        }
    }
    view.m_pView->ShowItem(item);
    PaintCounter paints(view.m_pView->GetGrid().GetArea());
    for (auto _ : state) {
        view.m_pView->OnNewParam();
        Settle(paints);
        state.PauseTiming();
        if (view.m_oDocument.GetCommand(item - 1)->m_nParams != 3) {
            state.SkipWithError("no parameter was added");
        }
        view.m_oDocument.RemoveNumberedText(item - 1, CommandFieldId::Params, 2);
        Settle(paints);
        state.ResumeTiming();
    }
    Report(state, view, paints.m_nPaints);
}

} // namespace

BENCHMARK(BM_ShowItemOfTheLargestCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWriteBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewParam)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv, [] { KeptHolder<BigView>().reset(); });
}
