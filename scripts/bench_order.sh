#!/usr/bin/env bash
# Runs each benchmark alone and then all of them in one run, and prints the two medians side by
# side: a benchmark whose figure moves with what ran before it leaks state between benchmarks.
# Usage: scripts/bench_order.sh [build-dir] [filter regex] [repetitions, 3 by default]
#        [regex of the benchmarks also run alone, the filter by default]
# Needs an X display for the window benchmarks; run it under xvfb-run -a if there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
filter=${2:-.}
reps=${3:-3}
alone_filter=${4:-$filter}
bench="$build/bench/dravok_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median wall time of each benchmark over the repetitions in the given JSON reports, as
# "name<TAB>time<TAB>unit" lines. A benchmark that reports its own median_ms (the window and level
# ones: a mean over their samples is pulled by the odd slow frame or level) is taken by that.
medians() {
    jq -rs '
      map(.benchmarks[]) | map(select(.run_type == "iteration" and .error_occurred != true))
      | group_by(.run_name)
      | map((map(.median_ms // .real_time) | sort) as $t
            | ($t | length) as $n
            | "\(.[0].run_name)\t\(if $n % 2 == 1 then $t[($n - 1) / 2] else ($t[$n / 2 - 1] + $t[$n / 2]) / 2 end)\t\(if .[0].median_ms then "ms" else .[0].time_unit end)")
      | .[]' "$@"
}

run() { # output file, filter
    "$bench" --benchmark_filter="$2" --benchmark_repetitions="$reps" \
        --benchmark_format=json --benchmark_out_format=json --benchmark_out="$1" >/dev/null 2>"$1.err" ||
        { cat "$1.err" >&2; return 1; }
}

# The full run goes before and after the single ones, so a machine that grows busier or quieter
# meanwhile weighs on both columns alike.
run "$work/full1.json" "$filter"
medians "$work/full1.json" >"$work/names.tsv"
n=0
while IFS=$'\t' read -r name _ _; do
    [[ $name =~ $alone_filter ]] || continue
    # The name as an anchored regex: '/', ':' and the rest taken literally.
    pattern="^$(printf '%s' "$name" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    n=$((n + 1))
    run "$work/alone$n.json" "$pattern"
done <"$work/names.tsv"
run "$work/full2.json" "$filter"
medians "$work/full1.json" "$work/full2.json" >"$work/full.tsv"
medians "$work"/alone*.json >"$work/alone.tsv"

printf '%-62s %12s %12s %7s\n' benchmark alone full full/alone
join -t $'\t' <(sort "$work/alone.tsv") <(sort "$work/full.tsv") |
    awk -F'\t' '{ r = $2 > 0 ? $4 / $2 : 0;
                  flag = (r > 1.10 || r < 0.90) ? "  <-- over 10%" : "";
                  printf "%-62s %9.3f %-2s %9.3f %-2s %6.2f%s\n", $1, $2, $3, $4, $5, r, flag }'
