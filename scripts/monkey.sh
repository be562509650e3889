#!/usr/bin/env bash
# The random user for SECONDS seconds (default 600) under AddressSanitizer and
# UndefinedBehaviorSanitizer, on new random sequences numbered from TESSEL_MONKEY_FIRST
# on (or from the clock). A failure prints its number and the shortest sequence of actions found that
# still fails; saved to a file, it replays with TESSEL_MONKEY_REPLAY=FILE.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" build-asan -DTESSEL_SANITIZE=ON -DTESSEL_BENCH=OFF
source "$root/scripts/sanitizers.sh"
TESSEL_MONKEY_SECONDS=$seconds "$root/build-asan/tests/monkey/test_monkey" \
    --gtest_filter=Monkey.RandomUserKeepsEveryInvariant
