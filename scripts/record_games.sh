#!/usr/bin/env bash
# Records the committed games (tests/replays/) again with the play bot: for a change that means
# to alter how a game plays. Commit the files with the change and say why in the message.
# Each line below is one game: seed and turn limit, chosen for fights, item use, saves and the
# stairs down.
# Usage: scripts/record_games.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
games=(
  "6 400"    # many fights, saves and loads
  "13 400"   # the longest fights of level 1
  "1 1200"   # takes the stairs, fights on two levels, saves and loads
  "11 1200"  # takes the stairs, dies on level 2 after a long fight
  "15 1200"  # takes the stairs, saves and loads
  "22 1200"  # uses items on two levels, dies on level 2
  "27 1200"  # takes the stairs, dies early on level 2
)
cmake --build "$build" --target dravok_replay dravok_database dravok_tiles
rm -f "$root"/tests/replays/*.txt
mkdir -p "$root/tests/replays"
for game in "${games[@]}"; do
  read -r seed turns <<<"$game"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/bin/dravok_replay" record "$seed" "$turns" "$root/tests/replays/seed_$seed.txt"
done
