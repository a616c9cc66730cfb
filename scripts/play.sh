#!/usr/bin/env bash
# Sets up a fresh machine, builds the game with its tools and data (no tests, no benchmarks) and
# starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# Release: a player needs no debug information, and leaving it out cuts a fifth of the build.
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release -DDRAVOK_TESTS=OFF -DDRAVOK_BENCH=OFF
exec "$root/build/game/dravok" "$@"
