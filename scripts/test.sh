#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$build" "$@"
cd "$build"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)"
