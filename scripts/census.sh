#!/usr/bin/env bash
# The creature census: N seeded bot games, each to its end or the turn limit, and one table of
# how many creatures per dungeon level acted, woke from sleep, fled, used a talent, used an item,
# followed a leader, got a leader and threw a melee weapon by its second, ranged mode (each
# creature counted once per kind and level, summed over the games).
# Usage: scripts/census.sh N [first-seed]
# Environment: CENSUS_TURNS (default 2500), CENSUS_JOBS games at once (default 3),
# CENSUS_BUILD build folder (default build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:?usage: scripts/census.sh N [first-seed]}
first=${2:-1}
turns=${CENSUS_TURNS:-2500}
jobs=${CENSUS_JOBS:-3}
build=${CENSUS_BUILD:-$root/build}
cmake --build "$build" -j"$jobs" --target dravok_census dravok_database dravok_tiles >/dev/null
out=$(mktemp -d "${TMPDIR:-/tmp}/dravok-census.XXXXXX")
echo "census: $count games from seed $first, $turns turns each, $jobs at a time; logs in $out"
seq "$first" $((first + count - 1)) | xargs -P "$jobs" -I{} sh -c \
  'SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$0/bin/dravok_census" {} "$1" >"$2/{}.txt" 2>"$2/{}.err" || true' \
  "$build" "$turns" "$out"
grep -h '^game' "$out"/*.txt | sed 's/^game /  /'
names="acted woke fled talent item followed recruited second_ranged"
cat "$out"/*.txt | awk -v names="$names" '
  BEGIN { n = split(names, k, " ") }
  $1 == "level" { levels[$2] = 1; for (i = 3; i < NF; i += 2) sum[$2, $i] += $(i + 1) }
  END { for (d in levels) { line = d; for (i = 1; i <= n; ++i) line = line " " sum[d, k[i]]; print line } }' |
  sort -n | awk -v names="$names" '
  BEGIN { n = split(names, k, " "); printf "%-6s", "level"; for (i = 1; i <= n; ++i) printf " %13s", k[i]; printf "\n" }
  { printf "%-6s", $1; for (i = 2; i <= NF; ++i) { printf " %13d", $i; total[i] += $i }; printf "\n" }
  END { printf "%-6s", "all"; for (i = 2; i <= n + 1; ++i) printf " %13d", total[i]; printf "\n" }'
