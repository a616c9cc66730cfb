#!/usr/bin/env bash
# The soak run: N seeded bot games under AddressSanitizer and UBSan, each to death or 5,000
# turns. Prints one line per game (seed, turns, deepest level, ending) and a closing table, and
# fails on any crash, sanitizer report, fatal error-log entry or hang (no new turn for 30 s).
# Usage: scripts/soak.sh N [first-seed]
# Environment: SOAK_JOBS games at once (default: half the cores), SOAK_TURNS (default 5000),
# SOAK_BUILD_JOBS build jobs (default: all cores), SOAK_BUILD build folder (default build-asan).
# A failed game replays with: build-asan/bin/dravok_soak SEED TURNS (DRAVOK_BOT_TRACE=1 shows its keys).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:?usage: scripts/soak.sh N [first-seed]}
first=${2:-1}
turns=${SOAK_TURNS:-5000}
jobs=${SOAK_JOBS:-$((($(nproc) + 1) / 2))}
build=${SOAK_BUILD:-$root/build-asan}
hang_seconds=30

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DDRAVOK_SANITIZE=ON -DDRAVOK_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"${SOAK_BUILD_JOBS:-$(nproc)}" --target dravok_soak dravok_database dravok_tiles

out=$(mktemp -d "${TMPDIR:-/tmp}/dravok-soak.XXXXXX")
echo "soak: $count games from seed $first, $turns turns each, $jobs at a time; logs in $out"

# One game: its own heartbeat file, watched for a hang; the verdict goes to <seed>.line.
play_one() {
  local seed=$1 log="$out/$1.log" beat="$out/$1.beat" verdict
  : >"$beat"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/bin/dravok_soak" "$seed" "$turns" "$beat" >"$log" 2>&1 &
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
    verdict="seed $seed  turns $(cat "$beat" 2>/dev/null || echo 0)  deepest ?  hang (no new turn for ${hang_seconds} s)"
  elif grep -q -e 'ERROR: AddressSanitizer' -e 'runtime error:' -e 'ERROR: LeakSanitizer' "$log"; then
    verdict="${verdict:-seed $seed  turns ?  deepest ?}  SANITIZER REPORT"
  elif [ -z "$verdict" ]; then
    verdict="seed $seed  turns $(cat "$beat" 2>/dev/null || echo 0)  deepest ?  crash (exit $rc)"
  elif ((rc != 0)); then
    verdict="$verdict  FAILED (exit $rc)"
  fi
  echo "$verdict" | tee "$out/$seed.line"
}
export -f play_one
export out turns build hang_seconds

seq "$first" $((first + count - 1)) | xargs -P "$jobs" -I{} bash -c 'play_one {}'

# The closing table: median turns, deepest levels and endings.
cat "$out"/*.line | sort -n -k2 >"$out/all.lines"
python3 - "$out/all.lines" <<'EOF'
import collections, re, statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.startswith("seed ")]
turns = [int(r[3]) for r in rows if r[3].isdigit()]
deepest = collections.Counter(r[5] for r in rows)
endings = collections.Counter(re.sub(r"\s+\(.*", "", " ".join(r[6:])).split("  ")[0] for r in rows)
print(f"games {len(rows)}   median turns {statistics.median(turns) if turns else 0}")
print("deepest level: " + ", ".join(f"{k}: {v}" for k, v in sorted(deepest.items())))
print("endings: " + ", ".join(f"{k}: {v}" for k, v in endings.most_common()))
EOF

if grep -q -e 'hang' -e 'crash' -e 'SANITIZER' -e 'FAILED' -e ' fatal' -e 'no start' "$out/all.lines"; then
  echo "soak: FAILED (see $out)"
  exit 1
fi
echo "soak: passed"
