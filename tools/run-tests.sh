#!/usr/bin/env bash
# make test: set up, build both builds, run the native tests, then the Windows tests under
# Wine, and close with one summary line over every test case of both.
set -uo pipefail
source "$(dirname "$0")/common.sh"

step "setup" "$top/tools/setup.sh"
step "configure native build" configure_native
step "build native" build_native
step "configure Windows build" configure_win
step "build Windows" build_win
step "prepare the Wine prefix" wine_prefix

rm -f "$native_dir"/results/*.xml "$win_dir"/results/*.xml
trap stop_wine EXIT

echo "== native tests"
(cd "$native_dir" && ctest --output-on-failure)
native_status=$?

echo "== Windows tests under Wine"
(cd "$win_dir" && env LC_ALL=$wine_locale xvfb-run -a sh -c 'ctest --output-on-failure; status=$?; wineserver -w; exit $status')
win_status=$?

"$top/tools/summary.sh" "$native_dir" "$win_dir"
summary_status=$?
if [ $native_status -ne 0 ] || [ $win_status -ne 0 ] || [ $summary_status -ne 0 ]; then
  exit 1
fi
