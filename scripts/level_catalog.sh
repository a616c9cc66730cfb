#!/usr/bin/env bash
# Regenerates the committed level catalog (tests/catalog/levels.txt) from the built database:
# for a change that means to alter the levels the generator makes. Commit the file with the
# change and say why in the message.
# Usage: scripts/level_catalog.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target dravok_levelcatalog dravok_database dravok_tiles
"$build/bin/dravok_levelcatalog" "$build/game/Data" "$root/tests/catalog/levels.txt" 25
echo "wrote $root/tests/catalog/levels.txt"
