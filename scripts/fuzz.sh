#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS
# (default 20), starting from a copy of the fixture files. Fails when a target
# finds a crash; the input that caused it is kept in build-fuzz/crashes/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20}
dir="$root/build-fuzz"

if [[ ! -f "$dir/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DTESSEL_FUZZ=ON >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in ProfileScanFuzz ProtocolReadFuzz ParseTypeFuzz; do
    run="$work/$target"
    mkdir -p "$run/corpus"
    cp "$root"/tests/data/* "$run/corpus/"
    echo "== $target for ${seconds}s"
    if ! (cd "$run" && "$dir/fuzz/$target" -max_total_time="$seconds" \
            -artifact_prefix="$run/" corpus >"$run/log" 2>&1); then
        tail -n 40 "$run/log"
        mkdir -p "$dir/crashes"
        find "$run" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \
            -o -name 'timeout-*' \) -exec cp {} "$dir/crashes/" \;
        echo "$target failed; inputs kept in $dir/crashes/" >&2
        status=1
    else
        grep -E '^Done|stat::number_of_executed_units' "$run/log" | tail -n 1 || true
    fi
done
exit "$status"
