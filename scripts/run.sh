#!/usr/bin/env bash
# Sets everything up, builds and starts the editor (arguments go to the editor).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
# The program sits in build/bin with the sample protocols in build/Protocol beside
# it, where File Open starts.
exec "$root/build/bin/tessel" "$@"
