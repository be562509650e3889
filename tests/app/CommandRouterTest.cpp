#include <gtest/gtest.h>

#include <memory>

#include "app/CommandRouter.h"

namespace {

// A chain of named tables, first asked first, that records which one ran.
struct Chain {
    CommandTable view, document, frame, app, mainFrame;
    std::vector<std::string> ran;

    CommandRouter Router() {
        return CommandRouter([this] {
            return std::vector<CommandTable*>{&view, &document, &frame, &app, &mainFrame};
        });
    }
    CommandTable::Handler Recorder(const std::string& who) {
        return [this, who](int id) { ran.push_back(who + ":" + std::to_string(id)); };
    }
};

} // namespace

TEST(CommandRouter, TheFirstTableThatHandlesACommandTakesIt) {
    Chain chain;
    chain.app.Add(1, chain.Recorder("app"));
    chain.document.Add(1, chain.Recorder("document"));
    chain.mainFrame.Add(2, chain.Recorder("mainFrame"));
    chain.frame.Add(2, chain.Recorder("frame"));
    CommandRouter router = chain.Router();
    EXPECT_TRUE(router.Execute(1));
    EXPECT_TRUE(router.Execute(2));
    EXPECT_EQ(chain.ran, (std::vector<std::string>{"document:1", "frame:2"}));
}

TEST(CommandRouter, UnhandledCommandsAreDisabledAndDoNotRun) {
    Chain chain;
    CommandRouter router = chain.Router();
    EXPECT_FALSE(router.IsHandled(57643));
    EXPECT_FALSE(router.IsEnabled(57643));
    EXPECT_FALSE(router.Execute(57643));
}

TEST(CommandRouter, TheFirstHandlersRuleDecidesEvenWhenLaterTablesWouldAllowIt) {
    Chain chain;
    bool allowed = false;
    chain.view.Add(5, chain.Recorder("view"), [&](int) { return allowed; });
    chain.app.Add(5, chain.Recorder("app"));
    CommandRouter router = chain.Router();
    EXPECT_TRUE(router.IsHandled(5));
    EXPECT_FALSE(router.IsEnabled(5));
    EXPECT_FALSE(router.Execute(5));
    EXPECT_TRUE(chain.ran.empty());
    allowed = true;
    EXPECT_TRUE(router.Execute(5));
    EXPECT_EQ(chain.ran, std::vector<std::string>{"view:5"});
}

TEST(CommandRouter, CheckMarksComeFromTheRuleOfTheHandler) {
    Chain chain;
    bool shown = true;
    chain.mainFrame.Add(59392, chain.Recorder("mainFrame"), {}, [&](int) { return shown; });
    CommandRouter router = chain.Router();
    EXPECT_TRUE(router.IsChecked(59392));
    shown = false;
    EXPECT_FALSE(router.IsChecked(59392));
    EXPECT_FALSE(router.IsChecked(1)); // nobody handles it
}

TEST(CommandRouter, AHandlerMayDestroyTheTableItCameFrom) {
    auto table = std::make_unique<CommandTable>();
    int runs = 0;
    table->Add(3, [&](int) {
        table.reset();
        ++runs;
    });
    CommandRouter router([&] {
        return table ? std::vector<CommandTable*>{table.get()} : std::vector<CommandTable*>{};
    });
    EXPECT_TRUE(router.Execute(3));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(router.Execute(3));
}
