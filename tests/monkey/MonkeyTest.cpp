#include <QFile>
#include <QtGlobal>
#include <chrono>
#include <cstdio>

#include "Monkey.h"

namespace {

// About a minute under the sanitizers on a small machine.
constexpr std::uint64_t kFirstSequence = 1;
constexpr int kSequences = 24;
constexpr int kActionsPerSequence = 150;

} // namespace

// A fixed set of sequences; with TESSEL_MONKEY_SECONDS set, new ones numbered from
// TESSEL_MONKEY_FIRST on (or from the clock) for that long instead; with
// TESSEL_MONKEY_REPLAY naming a file of actions, those actions.
TEST_F(Monkey, RandomUserKeepsEveryInvariant) {
    if (const QString replay = qEnvironmentVariable("TESSEL_MONKEY_REPLAY"); !replay.isEmpty()) {
        QFile file(replay);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << replay.toStdString();
        const auto actions = ActionsFromText(file.readAll().toStdString());
        ASSERT_TRUE(actions.has_value());
        const std::optional<Failure> failure = Run(*actions);
        EXPECT_FALSE(failure) << "after action " << failure->step + 1 << ": " << failure->what;
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const int seconds = qEnvironmentVariableIntValue("TESSEL_MONKEY_SECONDS");
    std::uint64_t number = kFirstSequence;
    if (seconds > 0) {
        bool given = false;
        number = qEnvironmentVariable("TESSEL_MONKEY_FIRST").toULongLong(&given);
        if (!given) {
            number = static_cast<std::uint64_t>(
                std::chrono::system_clock::now().time_since_epoch().count());
        }
    }
    int sequences = 0;
    std::string failures;
    for (;; ++number) {
        const bool more = seconds > 0 ? Clock::now() - start < std::chrono::seconds(seconds)
                                      : sequences < kSequences;
        if (!more) {
            break;
        }
        failures += RunSequence(number, kActionsPerSequence);
        ++sequences;
        if (!failures.empty() && seconds > 0) {
            break;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("[ monkey   ] %d sequences, %lld actions in %.1f s, %.1f actions/s\n", sequences,
                actionsRun, elapsed, static_cast<double>(actionsRun) / elapsed);
    EXPECT_EQ(failures, "");
}
