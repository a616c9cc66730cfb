#!/usr/bin/env bash
# Records the committed games (tests/replays/) again with the play bot: for a change that means
# to alter how a game plays. Commit the files with the change and say why in the message.
# Each line below is one game: seed and turn limit, chosen for fights, item use, saves and the
# stairs down. The tests that play one game after another (tests/CMakeLists.txt) pick their
# pairs by these endings: keep them in step when the records change.
# Usage: scripts/record_games.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
games=(
  "6 400"    # many fights, takes the stairs both ways, dies on level 2
  "13 400"   # the longest fights, goes up and down the stairs, ends at the turn limit on level 2
  "1 1200"   # uses items, dies on level 2
  "11 1200"  # rests, saves and loads, dies on level 2
  "15 1200"  # uses many items, saves and loads, dies on level 2
  "22 1200"  # four levels deep, uses many items, saves and loads three times
  "27 1200"  # dies early on level 2
)
cmake --build "$build" --target dravok_replay dravok_database dravok_tiles
rm -f "$root"/tests/replays/*.txt
mkdir -p "$root/tests/replays"
for game in "${games[@]}"; do
  read -r seed turns <<<"$game"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/bin/dravok_replay" record "$seed" "$turns" "$root/tests/replays/seed_$seed.txt"
done
