#!/bin/sh
# Compares the benchmarks of two builds in one run: each benchmark program of the older
# build and of the newer build run in turn, several rounds, so both see the same state of
# the machine. Prints the median CPU time of every benchmark in both builds and their ratio.
#
#   bench/compare_builds.sh BEFORE_BUILD_DIR AFTER_BUILD_DIR [ROUNDS] [FILTER]
#
# Both build folders must hold bench/routing/routing_bench and bench/search/search_bench.
set -eu
before=$1
after=$2
rounds=${3:-3}
filter=${4:-.}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for round in $(seq "$rounds"); do
  for program in routing/routing_bench search/search_bench; do
    for side in before after; do
      if [ "$side" = before ]; then dir=$before; else dir=$after; fi
      # Console lines: name, real time, unit, CPU time, unit, iterations, counters.
      "$dir/bench/$program" --benchmark_filter="$filter" --benchmark_color=false 2>/dev/null |
        awk -v side="$side" '$3 ~ /^(ns|us|ms|s)$/ && $5 ~ /^(ns|us|ms|s)$/ { print side "," $1 "," $4 "," $5 }' \
        >> "$work/times.csv"
    done
  done
  echo "round $round of $rounds done" >&2
done

# side,name,cpu_time,unit -> one line per benchmark: median before, median after, ratio.
sort -t, -k2,2 -k1,1 -k3,3g "$work/times.csv" | awk -F, '
  function median(list, n,   parts) { split(list, parts, " "); return parts[int((n + 1) / 2)] }
  { key = $2; unit[key] = $4
    if ($1 == "before") { b[key] = b[key] " " $3; nb[key]++ } else { a[key] = a[key] " " $3; na[key]++ }
    if (!(key in seen)) { seen[key] = 1; order[++count] = key } }
  END {
    printf "%-58s %14s %14s %7s\n", "benchmark (CPU time)", "before", "after", "after/before"
    for (i = 1; i <= count; i++) {
      k = order[i]; mb = median(b[k], nb[k]); ma = median(a[k], na[k])
      printf "%-58s %11.3f %-2s %11.3f %-2s %6.0f%%\n", k, mb, unit[k], ma, unit[k], mb > 0 ? 100 * ma / mb : 0
    }
  }'
