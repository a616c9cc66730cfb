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
  "1 400"    # dies on level 1 after a long fight
  "3 400"    # many fights
  "8 400"    # saves and loads
  "11 1200"  # takes the stairs, saves and loads
  "15 1200"  # dies on level 2
  "22 1200"  # uses many items on two levels
  "27 1200"  # rests often, dies on level 2
)
cmake --build "$build" --target dravok_replay dravok_database dravok_tiles
rm -f "$root"/tests/replays/*.txt
mkdir -p "$root/tests/replays"
for game in "${games[@]}"; do
  read -r seed turns <<<"$game"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/bin/dravok_replay" record "$seed" "$turns" "$root/tests/replays/seed_$seed.txt"
done
