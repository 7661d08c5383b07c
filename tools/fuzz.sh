#!/usr/bin/env bash
# make fuzz: builds the script engine's libFuzzer target with clang (address and undefined
# behaviour sanitizers) and runs it for FUZZ_SECONDS (default 600) on a corpus seeded from
# the default script and the tests' scripts; then replays the corpus and names the slowest
# input. Crashes and sanitizer reports stop the run and leave the input in build/fuzz.
set -uo pipefail
source "$(dirname "$0")/common.sh"

fuzz_dir="$top/build/fuzz"
fuzzer="$fuzz_dir/fuzz/script_fuzzer"
seconds=${FUZZ_SECONDS:-600}

configure_fuzz() {
  quiet cmake -S "$top" -B "$fuzz_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DTUNEPOST_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# Seeds in the engine's code page: the default script as it is, the test scripts converted.
make_seeds() {
  mkdir -p "$fuzz_dir/seeds" "$fuzz_dir/corpus" "$fuzz_dir/artifacts"
  cp "$top/resources/default.script" "$fuzz_dir/seeds/default.script"
  for file in "$top"/tests/scripts/*.tps "$top"/cli/testdata/*.tps; do
    iconv -f UTF-8 -t CP1251 "$file" >"$fuzz_dir/seeds/$(basename "$file")" || return 1
  done
}

fuzz() {
  "$fuzzer" "$fuzz_dir/corpus" "$fuzz_dir/seeds" -dict="$top/fuzz/script.dict" \
    -max_total_time="$seconds" -max_len=4096 -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$fuzz_dir/artifacts/" -print_final_stats=1 2>&1 | tee "$fuzz_dir/fuzz.log" |
    grep -E '^#[0-9]+.*(pulse|DONE)|ERROR|SUMMARY|stat::' >&2
  return "${PIPESTATUS[0]}"
}

# Each corpus input once more, timed by libFuzzer itself; prints the five slowest.
slowest() {
  find "$fuzz_dir/corpus" -type f -print0 |
    xargs -0 -n 500 "$fuzzer" -runs=1 2>&1 |
    sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\2 \1/p' | sort -rn | sed -n 1,5p
}

step "setup" "$top/tools/setup.sh"
step "configure fuzz build" configure_fuzz
step "build fuzzer" quiet ninja -C "$fuzz_dir" -j "$jobs" fuzz/script_fuzzer
step "seed corpus" make_seeds
step "fuzz for $seconds s" fuzz
echo "== slowest inputs (ms, file)"
slowest
