#!/usr/bin/env bash
# Sets up a fresh machine, builds the game with its tools and data (no tests, no benchmarks) and
# starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DDRAVOK_TESTS=OFF -DDRAVOK_BENCH=OFF
exec "$root/build/game/dravok" "$@"
