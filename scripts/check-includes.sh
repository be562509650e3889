#!/usr/bin/env bash
# Fails when a file includes from a folder that its own folder may not depend on.
# The arrows are DESIGN.md's: app -> tree, view -> document -> model -> platform,
# view -> grid; the tree also calls the property view of its window (ShowItem). The
# grid knows nothing of the program, the model and the tools nothing of Qt, and only
# the application installs the Qt platform. Tests and benchmarks of a folder keep to
# the folder's arrows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

declare -A may=(
    [platform]="platform"
    [model]="model platform"
    [document]="document model platform"
    [grid]="grid"
    [view]="view grid document model platform"
    [tree]="tree view document model platform"
    [app]="app tree view grid document model platform"
    [tools]="tools model platform"
    [pcltool]="tools model platform"
)
# Folders whose code uses the standard library only.
without_qt=" model tools pcltool "
# The files of the platform folder that make up the Qt platform, and its test.
qt_platform=" QtPlatform.h QtPlatform.cpp PrintPreviewDialog.h PrintPreviewDialog.cpp QtPlatformTest.cpp "

failures=0
fail() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

while IFS= read -r file; do
    top=${file%%/*}
    rest=${file#*/}
    folder=${rest%%/*}
    [[ "$top" == fuzz ]] && folder=model
    [[ -n "${may[$folder]:-}" ]] || continue
    allowed=" ${may[$folder]} "
    while IFS= read -r line; do
        number=${line%%:*}
        text=${line#*:}
        if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([a-z]+)/([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            header=${BASH_REMATCH[2]}
            if [[ "$allowed" != *" $target "* ]]; then
                fail "$file:$number" "$folder may not include $target/$header"
            elif [[ "$target" == platform && "$header" == QtPlatform.h && "$folder" != app &&
                    "$file" != src/platform/* && "$file" != tests/platform/* ]]; then
                fail "$file:$number" "only the application installs the Qt platform"
            fi
        elif [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*)\> ]]; then
            base=$(basename "$file")
            if [[ "$without_qt" == *" $folder "* ]] ||
               [[ "$folder" == platform && "$qt_platform" != *" $base "* ]]; then
                fail "$file:$number" "$folder uses the standard library only, not <${BASH_REMATCH[1]}>"
            fi
        fi
    done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(git ls-files 'src/*' 'tests/*' 'bench/*' 'fuzz/*' | grep -E '\.(h|cpp|c)$')

if ((failures > 0)); then
    echo "$failures include(s) against the arrows of DESIGN.md" >&2
    exit 1
fi
