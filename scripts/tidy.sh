#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over the sources of src/ that git
# knows, with the compile commands of a build folder (TIDY_BUILD, default build/,
# configured when it has none). Any warning fails the run. Only files under src/ are
# looked at: not the moc files or configured headers the build generates, nor copies
# of headers in the build folder. Arguments, when given, name the files to check
# instead of all of src/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build="$root/${TIDY_BUILD:-build}"
if [[ ! -f "$build/compile_commands.json" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

if [[ $# -gt 0 ]]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files 'src/*.cpp')
fi

echo "clang-tidy: ${#files[@]} file(s)"
# One file per process keeps each file's findings together in the output.
printf '%s\n' "${files[@]}" |
    xargs -P"$(nproc)" -n1 clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
        --header-filter="^$root/src/" 2> >(grep -v '^[0-9]* warnings\? generated\.$' >&2) ||
    { echo "clang-tidy found problems (above)" >&2; exit 1; }
