#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test. A skipped test fails the run:
# the build makes everything the tests need, so a skip would hide a broken build.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
"$root/scripts/setup.sh"
# The tests and benchmarks on, whatever an earlier play.sh left in the build folder's cache.
"$root/scripts/build.sh" "$build" -DDRAVOK_TESTS=ON -DDRAVOK_BENCH=ON "$@"
cd "$build"
log=$(mktemp "${TMPDIR:-/tmp}/dravok-ctest.XXXXXX")
trap 'rm -f "$log"' EXIT
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)" | tee "$log"
if grep -q -e "tests did not run" -e "\*\*\*Skipped" -e "\*\*\*Not Run" "$log"; then
  echo "some tests were skipped or did not run: every test must run"
  exit 1
fi
