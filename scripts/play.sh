#!/usr/bin/env bash
# Sets up a fresh machine, builds the game with its data and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/game/dravok" "$@"
