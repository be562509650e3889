// What a user waits for in the command tree of a large protocol: 100,000 commands in
// 1,000 categories of 100 and 10,000 commands without a category, in a document
// window's splitter of the two panes on the offscreen platform. Filling the tree
// (building it again over the old one, as after a cut, and into a new window),
// pasting a command into a category and beside the categories, and cutting one,
// each with the layout and painting it causes. Qt paces window updates with a timer
// (5 ms by default); the benchmark sets it to 0 and lets the events run, so that it
// measures the work and not the pacing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QSplitter>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "BenchApplication.h"
#include "GuiBenchMain.h"
#include "QuietPlatform.h"
#include "document/CTesselDoc.h"
#include "model/Command.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

namespace {

constexpr int kCategories = 1000;
constexpr int kPerCategory = 100;
constexpr int kWithoutCategory = 10'000;

// The protocol, in a list order that mixes the categories: every eleventh command
// has none, the others go round the categories.
void FillProtocol(CTesselDoc& document) {
    Command source("");
    source.m_strDescription = "Routes an input to an output";
    source.m_strMessage = "@byte(param1)\\r";
    source.m_oParam[0].m_strText = "byte, \"Input number 1-16\"";
    source.m_nParams = 1;
    int withCategory = 0;
    int without = 0;
    while (withCategory < kCategories * kPerCategory || without < kWithoutCategory) {
        const bool plain =
            without < kWithoutCategory &&
            (withCategory == kCategories * kPerCategory || (withCategory + without) % 11 == 10);
        if (plain) {
            source.m_strName = "Command " + std::to_string(without++);
        } else {
            source.m_strName = "Category " + std::to_string(withCategory % kCategories) +
                               ":Label " + std::to_string(withCategory);
            ++withCategory;
        }
        document.AppendCopy(source);
    }
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

// Lets the events of a change run: the delayed layout of the tree and the paint it
// asks for. A change that shows nothing new paints nothing; the loop ends when a
// paint has happened or nothing has for a few turns.
void Settle(PaintCounter& counter) {
    const int before = counter.m_nPaints;
    for (int idle = 0; idle < 8 && counter.m_nPaints == before; ++idle) {
        QApplication::processEvents();
    }
}

// A document window's two panes on the big protocol, shown.
class BigWindow {
public:
    BigWindow() {
        FillProtocol(m_oDocument);
        m_oDocument.SetModifiedFlag(false);
        m_pLeft = new CLeftView(m_oDocument, m_oApp);
        m_pRight = new CTesselView(m_oDocument, m_oApp);
        m_oSplitter.addWidget(m_pLeft);
        m_oSplitter.addWidget(m_pRight);
        m_oSplitter.setSizes({250, 550});
        m_oSplitter.resize(800, 600);
        m_oSplitter.show();
        // As the window opens: both panes' first update, and the device header shown
        // as the click on the tree's top item shows it.
        m_pLeft->OnInitialUpdate();
        m_pRight->OnInitialUpdate();
        QTreeWidget* tree = m_pLeft->GetTreeCtrl();
        tree->setCurrentItem(tree->topLevelItem(0));
        QApplication::processEvents();
    }

    // A new window of the same document, its tree not filled yet.
    std::unique_ptr<QSplitter> NewWindow(CLeftView*& left) {
        auto splitter = std::make_unique<QSplitter>();
        left = new CLeftView(m_oDocument, m_oApp);
        splitter->addWidget(left);
        splitter->addWidget(new CTesselView(m_oDocument, m_oApp));
        splitter->resize(800, 600);
        splitter->show();
        QApplication::processEvents();
        return splitter;
    }

    // The item of the command named `name` under the device item.
    QTreeWidgetItem* Find(const QString& category, const QString& label) {
        QTreeWidget* tree = m_pLeft->GetTreeCtrl();
        for (QTreeWidgetItem* item :
             tree->findItems(category, Qt::MatchExactly | Qt::MatchRecursive)) {
            if (label.isEmpty()) {
                return item;
            }
            for (int i = 0; i < item->childCount(); ++i) {
                if (item->child(i)->text(0) == label) {
                    return item->child(i);
                }
            }
        }
        return nullptr;
    }

    QuietPlatform m_oPlatform{Platform::Answer::Yes};
    BenchApplication m_oApp;
    CTesselDoc m_oDocument;
    QSplitter m_oSplitter;
    CLeftView* m_pLeft;
    CTesselView* m_pRight;
};

BigWindow& Window() {
    static BigWindow window;
    return window;
}

// The counters of a run: the paints of the tree per iteration, the size of the
// protocol and of the device item's level.
void Report(benchmark::State& state, BigWindow& window, int paints) {
    state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["commands"] = window.m_oDocument.GetCommandCount();
    state.counters["device_children"] =
        window.m_pLeft->GetTreeCtrl()->topLevelItem(0)->childCount();
    if (window.m_oPlatform.messages > 0) {
        state.SkipWithError("a message was shown");
    }
}

void BM_FillTreeOverTheOldTree(benchmark::State& state) {
    BigWindow& window = Window();
    PaintCounter paints(window.m_pLeft->GetTreeCtrl()->viewport());
    for (auto _ : state) {
        window.m_pLeft->FillTree();
        Settle(paints);
    }
    Report(state, window, paints.m_nPaints);
}

// The first fill of a new window's tree; making the window is not timed, closing it
// is, as it frees the tree.
void BM_FillTreeOfANewWindow(benchmark::State& state) {
    BigWindow& window = Window();
    int painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CLeftView* left = nullptr;
        std::unique_ptr<QSplitter> splitter = window.NewWindow(left);
        PaintCounter paints(left->GetTreeCtrl()->viewport());
        state.ResumeTiming();
        left->OnInitialUpdate();
        Settle(paints);
        painted += paints.m_nPaints;
        splitter.reset();
    }
    Report(state, window, painted);
}

// Pastes of the command `category`:`label` (or the command without a category named
// `category`), each a new command at the end of the list and in the tree.
void Paste(benchmark::State& state, const QString& category, const QString& label) {
    BigWindow& window = Window();
    window.m_pLeft->FillTree();
    QTreeWidget* tree = window.m_pLeft->GetTreeCtrl();
    QTreeWidgetItem* item = window.Find(category, label);
    if (item == nullptr) {
        state.SkipWithError("no such command");
        return;
    }
    tree->setCurrentItem(item);
    window.m_pLeft->OnEditCopy();
    tree->scrollToItem(item);
    PaintCounter paints(tree->viewport());
    Settle(paints);
    const int before = window.m_oDocument.GetCommandCount();
    for (auto _ : state) {
        window.m_pLeft->OnEditPaste();
        Settle(paints);
    }
    if (window.m_oDocument.GetCommandCount() != before + static_cast<int>(state.iterations())) {
        state.SkipWithError("a paste went missing");
    }
    Report(state, window, paints.m_nPaints);
    // The pasted commands go again, so that every benchmark sees the same protocol.
    while (window.m_oDocument.GetCommandCount() > before) {
        window.m_oDocument.RemoveCommand(window.m_oDocument.GetCommandCount() - 1);
    }
}

void BM_PasteIntoAnExpandedCategory(benchmark::State& state) {
    BigWindow& window = Window();
    window.m_pLeft->FillTree();
    window.Find("Category 500", {})->setExpanded(true);
    Paste(state, "Category 500", "Label 500");
}

void BM_PasteBesideTheCategories(benchmark::State& state) {
    Paste(state, "Command 5000", {});
}

// A cut of a command from a category, which builds the tree again; the command is
// pasted back untimed.
void BM_CutFromACategory(benchmark::State& state) {
    BigWindow& window = Window();
    QTreeWidget* tree = window.m_pLeft->GetTreeCtrl();
    PaintCounter paints(tree->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        QTreeWidgetItem* category = window.Find("Category 500", {});
        category->setExpanded(true);
        tree->setCurrentItem(category->child(0));
        Settle(paints);
        state.ResumeTiming();
        window.m_pLeft->OnEditCut();
        Settle(paints);
        state.PauseTiming();
        window.m_pLeft->OnEditPaste();
        state.ResumeTiming();
    }
    Report(state, window, paints.m_nPaints);
}

} // namespace

BENCHMARK(BM_FillTreeOverTheOldTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillTreeOfANewWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteIntoAnExpandedCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteBesideTheCategories)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutFromACategory)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
