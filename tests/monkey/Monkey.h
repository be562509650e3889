#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "AppFixture.h"
#include "MonkeyAction.h"

class CChildFrame;
class CTesselDoc;
class CTesselView;
class Command;
class QWidget;

// A random user against the whole editor: each run starts a fresh editor on a folder
// of its own, performs a sequence of actions through the windows, keys and menus,
// and after every action compares what the windows show with the documents, the
// modified marks with what was saved, and every file written with the protocol.
class Monkey : public AppFixture {
protected:
    struct Failure {
        int step;         // the action after which an invariant broke
        std::string what; // which one, and how
    };

    // Runs `actions` on a freshly started editor; the first failure, if any.
    std::optional<Failure> Run(const std::vector<MonkeyAction>& actions);
    // A shorter sequence that still fails: halves, then quarters and so on are taken
    // out while the rest still fails, for at most `tries` runs.
    std::vector<MonkeyAction> Shrink(std::vector<MonkeyAction> actions, int tries = 150);
    // Runs random sequence `number`; on a failure, its number, the failure and the shrunk
    // replay as one text (empty when the run passed).
    std::string RunSequence(std::uint64_t number, int count);

    long long actionsRun = 0;

private:
    void StartFresh();
    void Perform(const MonkeyAction& action);
    // The first invariant that does not hold, or an empty text.
    std::string Check(const MonkeyAction& action);

    // Performing (MonkeyUser.cpp).
    // The actions of one shortcut or command in one pane; false for the others.
    bool PerformInPane(const MonkeyAction& action);
    void PerformFiles(const MonkeyAction& action);
    void PerformTree(const MonkeyAction& action);
    void PerformGrid(const MonkeyAction& action);
    void ChangeOnDisk(const MonkeyAction& action);
    void TypeText(CChildFrame* frame, const MonkeyAction& action);
    // The widget keys go to in the active window's grid: its open editor, or its
    // cell area, which then gets the focus.
    QWidget* GridFocus(CChildFrame* frame);
    QWidget* TreeFocus(CChildFrame* frame);
    void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void PrepareAnswers(const MonkeyAction& action);
    std::vector<CChildFrame*> Frames() const;

    // Checking (MonkeyChecks.cpp).
    std::string CheckTrees(CTesselDoc& doc, const std::vector<CChildFrame*>& frames);
    std::string CheckViews(CTesselDoc& doc, const std::vector<CChildFrame*>& frames);
    std::string CheckMarks(CTesselDoc& doc, const std::vector<CChildFrame*>& frames);
    std::string CheckFile(CTesselDoc& doc);
    std::string CheckMessages();

    QString m_strFolder;
    // What a new document holds, and the line New Command adds, as snapshots.
    std::string m_strNewProtocol;
    std::string m_strNewCommand;
    std::size_t m_nMessagesSeen = 0;
    // What each document's file was known as after the last action, to see a save.
    std::map<const CTesselDoc*, QByteArray> m_oKnownHash;
    // The command each view showed after the last action; a view gone is null.
    std::vector<std::pair<QPointer<CTesselView>, const Command*>> m_oShown;
    int m_nOutsideChanges = 0;
};
