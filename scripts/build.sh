#!/usr/bin/env bash
# Configures and builds into a build folder (default build/). Extra arguments go to
# CMake's configure step, e.g. scripts/build.sh build-asan -DTESSEL_SANITIZE=ON
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir="$root/${1:-build}"
shift || true
if [[ ! -f "$dir/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
elif [[ $# -gt 0 ]]; then
    cmake "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
