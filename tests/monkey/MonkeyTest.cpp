#include <QFile>
#include <QtGlobal>
#include <chrono>
#include <cstdio>

#include "Monkey.h"

namespace {

// About a minute under the sanitizers on a small machine.
constexpr std::uint64_t kFirstSeed = 1;
constexpr int kSeeds = 24;
constexpr int kActionsPerSeed = 150;

} // namespace

// A fixed set of seeds; with TESSEL_MONKEY_SECONDS set, new seeds from
// TESSEL_MONKEY_SEED on (or from the clock) for that long instead; with
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
    std::uint64_t seed = kFirstSeed;
    if (seconds > 0) {
        bool given = false;
        seed = qEnvironmentVariable("TESSEL_MONKEY_SEED").toULongLong(&given);
        if (!given) {
            seed = static_cast<std::uint64_t>(
                std::chrono::system_clock::now().time_since_epoch().count());
        }
    }
    int seeds = 0;
    std::string failures;
    for (;; ++seed) {
        const bool more =
            seconds > 0 ? Clock::now() - start < std::chrono::seconds(seconds) : seeds < kSeeds;
        if (!more) {
            break;
        }
        failures += RunSeed(seed, kActionsPerSeed);
        ++seeds;
        if (!failures.empty() && seconds > 0) {
            break;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("[ monkey   ] %d seeds, %lld actions in %.1f s, %.1f actions/s\n", seeds,
                actionsRun, elapsed, static_cast<double>(actionsRun) / elapsed);
    EXPECT_EQ(failures, "");
}
