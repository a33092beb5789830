#!/bin/sh
# How the command line scales with the fleet: generated instances of 200, 1,000 and 2,000
# orders (half as many places, a fifth as many vehicles, capacities and the driving and rest
# times on). Prints, per size, the load time (`check`), the CPU time and peak memory of a
# seeded `plan` and its CPU time per order; then, on the largest, the gain of `solve` after
# 10, 30 and 60 seconds against that of `plan`.
#
#   bench/fleet_sizes.sh BUILD_DIR [SIZES]        (SIZES default: "200 1000 2000")
#
# Needs GNU time (/usr/bin/time). The instances live in a temporary folder, removed at exit.
set -eu
build=$(cd "$1" && pwd)
sizes=${2:-200 1000 2000}
cli="$build/cli/tamso-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system) and peak memory in MB of a command, its output discarded.
measure() {
  /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >"$work/out" 2>/dev/null || true
  awk '{ printf "%.2f %.0f", $1 + $2, $3 / 1024 }' "$work/time"
}

gainOf() { sed -n 's/^Total gain: //p' "$1"; }

echo "orders places vehicles load_s plan_cpu_s plan_peak_mb plan_cpu_ms_per_order plan_gain"
largest=""
for orders in $sizes; do
  places=$((orders / 2))
  vehicles=$((orders / 5))
  dir="$work/fleet$orders"
  "$cli" generate "$dir" --places "$places" --orders "$orders" --vehicles "$vehicles" --capacity --driver-rules \
    --seed 7 >/dev/null
  load=$(measure "$cli" check "$dir/instance.cfg" | cut -d' ' -f1)
  set -- $(measure "$cli" plan "$dir/instance.cfg" --seed 1)
  planGain=$(gainOf "$work/out")
  perOrder=$(awk -v cpu="$1" -v n="$orders" 'BEGIN { printf "%.2f", 1000 * cpu / n }')
  echo "$orders $places $vehicles $load $1 $2 $perOrder $planGain"
  largest=$dir
  largestGain=$planGain
done

echo "solve_seconds gain gain_over_plan_percent solve_peak_mb"
for limit in 10 30 60; do
  (cd "$work" && /usr/bin/time -f "%M" -o "$work/solve_time" "$cli" solve "$largest/instance.cfg" --seed 1 \
    --time-limit "$limit" >"$work/solve_out" 2>/dev/null || true)
  gain=$(gainOf "$work/solve_out")
  awk -v g="$gain" -v p="$largestGain" -v s="$limit" -v m="$(cat "$work/solve_time")" \
    'BEGIN { printf "%s %s %.2f %.0f\n", s, g, 100 * (g - p) / p, m / 1024 }'
done
