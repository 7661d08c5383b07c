#!/usr/bin/env bash
# Adds up the test programs' XML reports of the given build folders into one closing line.
# A program that left no report (it crashed or never ran) counts as one failure.
set -u
passed=0 failed=0 skipped=0
for dir in "$@"; do
  for expected in "$dir"/expected-tests/*; do
    [ -e "$expected" ] || continue
    name=${expected##*/}
    xml="$dir/results/$name.xml"
    if [ ! -f "$xml" ]; then
      echo "no report from $name" >&2
      failed=$((failed + 1))
      continue
    fi
    head=$(grep -o '<testsuites tests="[0-9]*" failures="[0-9]*"' "$xml" | head -n 1)
    tests=$(echo "$head" | sed 's/.*tests="\([0-9]*\)".*/\1/')
    fails=$(echo "$head" | sed 's/.*failures="\([0-9]*\)".*/\1/')
    skips=$(grep -c 'result="skipped"' "$xml")
    passed=$((passed + ${tests:-0} - ${fails:-0} - skips))
    failed=$((failed + ${fails:-0}))
    skipped=$((skipped + skips))
  done
done
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
