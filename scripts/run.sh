#!/usr/bin/env bash
# Sets everything up, builds and starts the editor (arguments go to the editor).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
if [[ -x "$root/build/src/app/tessel" ]]; then
    exec "$root/build/src/app/tessel" "$@"
fi
echo "Built everything; the editor's window does not exist yet, so there is nothing to start."
