#!/usr/bin/env bash
# make bench: builds the native benchmarks and runs them (five repetitions, medians), then
# prints the ratio of the engine's tick to the same work in Lua 5.4.
set -uo pipefail
source "$(dirname "$0")/common.sh"

bench="$native_dir/bench/script_bench"
results="$native_dir/results/bench.csv"

run_bench() {
  mkdir -p "$native_dir/results"
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=csv
}

# CPU time of a benchmark's median, from the CSV the run wrote.
median_cpu() {
  awk -F, -v name="\"$1_median\"" '$1 == name { print $4 }' "$results"
}

step "setup" "$top/tools/setup.sh"
step "configure native build" configure_native
step "build benchmarks" quiet ninja -C "$native_dir" -j "$jobs" bench/script_bench
step "run benchmarks" run_bench
tick=$(median_cpu Tick)
lua=$(median_cpu LuaTick)
awk -v a="$tick" -v b="$lua" 'BEGIN { printf "== (a)/(b): engine tick %.0f ns / Lua tick %.0f ns = %.2f\n", a, b, a / b }'
