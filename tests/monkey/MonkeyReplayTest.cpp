#include <algorithm>

#include "Monkey.h"
#include "view/CTesselView.h"

namespace {

// Sequences the random user failed on, shrunk, each with the fault it found.
struct Replay {
    const char* fault;
    const char* actions;
    // A message the sequence must bring up now, which shows it still reaches the
    // place of the fault; nullptr for none.
    const char* shows = nullptr;
};

const Replay kReplays[] = {
    {"closing a document window cleared the main window's modified mark",
     "OutsideChange 3537212150 2775226785 4031780340\n"
     "FileNew 1537940944 2153447035 3666116450\n"
     "FileClose 2871556818 146534007 3892244437\n"},
    {"a value typed with a leading space was saved, and lost its spaces when read again",
     "TreeKey 2 0 0\n"
     "CellClick 0 1 0\n"
     "TypeText 10 4 0\n"
     "FileSave 1 0 0\n",
     CTesselView::kLeadingBlankMessage},
    {"Undo of Remove Command put the command's item after a later one of the same label",
     "FileNew 62076360 3166726583 128096173\n"
     "NewByte 3141149889 4191997033 1839144844\n"
     "TreePaste 1560244603 342058220 1383813742\n"
     "TreeKey 721823313 3309702244 2286382816\n"
     "TreePaste 3129302879 765996047 3026442472\n"
     "RemoveCommand 3402668973 4102949169 3828450010\n"
     "Undo 3035266412 106276299 400149448\n"},
    {"Undo of a Cut before the command shown made the view show the command put back",
     "FileNew 3450753453 2300959928 2258830333\n"
     "NewCommand 4205148120 546872257 3114469967\n"
     "TreeClick 3724839307 3454530471 4251023616\n"
     "TreeCut 1229462255 3734451504 1251150121\n"
     "NextPane 3188493095 2108169037 1799625476\n"
     "TreeKey 2047580787 1629946809 2589673458\n"
     "Undo 2615058815 3016108129 1348385539\n"},
};

} // namespace

TEST_F(Monkey, FaultsItFoundStayMended) {
    for (const Replay& replay : kReplays) {
        SCOPED_TRACE(replay.fault);
        const std::optional<std::vector<MonkeyAction>> actions = ActionsFromText(replay.actions);
        ASSERT_TRUE(actions.has_value());
        const std::optional<Failure> failure = Run(*actions);
        EXPECT_FALSE(failure) << "after action " << failure->step + 1 << ": " << failure->what;
        if (replay.shows != nullptr) {
            const std::vector<std::string> texts = platform.Texts();
            EXPECT_NE(std::find(texts.begin(), texts.end(), replay.shows), texts.end());
        }
    }
}
