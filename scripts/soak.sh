#!/usr/bin/env bash
# The soak run: N seeded bot games under AddressSanitizer and UBSan, each to death, ascension or
# 5,000 turns. Every other game begins on level 1; the rest begin deeper, from a save made for
# that level (each dungeon level below the first in turn, then the hub), so every level and the
# hub are played in a run of twice as many games as there are such starts. Prints one line per
# game (seed, turns, deepest level, ending, the levels played) and a closing table, and fails on
# any crash, sanitizer report, fatal error-log entry or hang (no new turn for 30 s).
# Usage: scripts/soak.sh N [first-seed]
# Environment: SOAK_JOBS games at once (default: half the cores), SOAK_TURNS (default 5000),
# SOAK_BUILD_JOBS build jobs (default: all cores), SOAK_BUILD build folder (default build-asan),
# SOAK_STARTS the start levels of the deeper games (default: every dungeon level past 1, then the hub).
# A failed game replays with: build-asan/bin/dravok_soak SEED TURNS '' START (DRAVOK_BOT_TRACE=1
# shows its keys).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:?usage: scripts/soak.sh N [first-seed]}
first=${2:-1}
turns=${SOAK_TURNS:-5000}
jobs=${SOAK_JOBS:-$((($(nproc) + 1) / 2))}
build=${SOAK_BUILD:-$root/build-asan}
hang_seconds=30
# The deeper starts: from the content's level list, the dungeon levels past the first and the hub
# (the trading level is reached from the hub).
starts=${SOAK_STARTS:-$(python3 -c '
import json, sys
levels = json.load(open(sys.argv[1]))["levels"]
print(" ".join(str(l["index"]) for l in levels if l["index"] > 1 and not l.get("demiplane")))
' "$root/content/levels/levels.json")}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DDRAVOK_SANITIZE=ON -DDRAVOK_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"${SOAK_BUILD_JOBS:-$(nproc)}" --target dravok_soak dravok_database dravok_tiles

out=$(mktemp -d "${TMPDIR:-/tmp}/dravok-soak.XXXXXX")
echo "soak: $count games from seed $first, $turns turns each, $jobs at a time; logs in $out"

# One game: its own heartbeat file, watched for a hang; the verdict goes to <seed>.line.
play_one() {
  local seed=$1 start=$2 log="$out/$1.log" beat="$out/$1.beat" verdict
  : >"$beat"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/bin/dravok_soak" "$seed" "$turns" "$beat" "$start" >"$log" 2>&1 &
  local pid=$! hung=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    if (($(date +%s) - $(stat -c %Y "$beat") > hang_seconds)); then
      hung=1
      kill -9 "$pid" 2>/dev/null || true
      break
    fi
  done
  local rc=0
  wait "$pid" || rc=$?
  verdict=$(grep -m1 '^seed ' "$log" || true)
  if ((hung)); then
    verdict="seed $seed  turns $(cat "$beat" 2>/dev/null || echo 0)  deepest ?  hang (no new turn for ${hang_seconds} s, start $start)"
  elif grep -q -e 'ERROR: AddressSanitizer' -e 'runtime error:' -e 'ERROR: LeakSanitizer' "$log"; then
    verdict="${verdict:-seed $seed  turns ?  deepest ?  (start $start)}  SANITIZER REPORT"
  elif [ -z "$verdict" ]; then
    verdict="seed $seed  turns $(cat "$beat" 2>/dev/null || echo 0)  deepest ?  crash (exit $rc, start $start)"
  elif ((rc != 0)); then
    verdict="$verdict  FAILED (exit $rc)"
  fi
  echo "$verdict" | tee "$out/$seed.line"
}
export -f play_one
export out turns build hang_seconds

# Seed and start level of each game: the even games from level 1, the odd ones deeper in turn.
read -r -a start_list <<<"$starts"
for ((k = 0; k < count; k++)); do
  if ((k % 2 == 0 || ${#start_list[@]} == 0)); then
    echo "$((first + k)) 1"
  else
    echo "$((first + k)) ${start_list[$(((k / 2) % ${#start_list[@]}))]}"
  fi
done | xargs -P "$jobs" -L1 bash -c 'play_one "$0" "$1"'

# The closing table: median turns, deepest levels and endings.
cat "$out"/*.line | sort -n -k2 >"$out/all.lines"
python3 - "$out/all.lines" "$root/content/levels/levels.json" <<'EOF'
import collections, json, re, statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.startswith("seed ")]
turns = [int(r[3]) for r in rows if r[3].isdigit()]
deepest = collections.Counter(r[5] for r in rows)
endings = collections.Counter(re.sub(r"\s+\(.*", "", " ".join(r[6:])).split("  ")[0] for r in rows)
print(f"games {len(rows)}   median turns {statistics.median(turns) if turns else 0}")
print("deepest level: " + ", ".join(f"{k}: {v}" for k, v in
                                   sorted(deepest.items(), key=lambda kv: (not kv[0].isdigit(), int(kv[0]) if kv[0].isdigit() else 0))))
print("endings: " + ", ".join(f"{k}: {v}" for k, v in endings.most_common()))
# Levels played, by start level: the games that began there, and the games that played on each.
played, started = collections.Counter(), collections.Counter()
for line in open(sys.argv[1]):
    s = re.search(r"start (\d+)", line)
    if s: started[int(s.group(1))] += 1
    m = re.search(r"levels ([\d/]+)", line)
    for l in (m.group(1).split("/") if m else []):
        played[int(l)] += 1
print("games by start level: " + ", ".join(f"{k}: {v}" for k, v in sorted(started.items())))
print("games that played on each level: " + ", ".join(f"{k}: {v}" for k, v in sorted(played.items())))
content = [l["index"] for l in json.load(open(sys.argv[2]))["levels"]]
missing = [str(i) for i in content if i not in played]
print("levels no game played on: " + (", ".join(missing) if missing else "none"))
EOF

if grep -q -e 'hang' -e 'crash' -e 'SANITIZER' -e 'FAILED' -e ' fatal' -e 'no start' "$out/all.lines"; then
  echo "soak: FAILED (see $out)"
  exit 1
fi
echo "soak: passed"
