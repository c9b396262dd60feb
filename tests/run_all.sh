#!/usr/bin/env bash
# Runs every test suite and ends with one summary line over all of them:
#   host unit tests (ctest), then the Windows-side tests under Wine.
# Each suite's own output is kept; the counts come from its summary.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0
failed=0
skipped=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# ctest: "N% tests passed, F tests failed out of T"
count_ctest() {
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# GoogleTest: "[  PASSED  ] N tests." and "[  FAILED  ] F tests, listed below:"
count_gtest() {
  local ok bad skip
  ok=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -n 1 | sed -E 's/[^0-9]*([0-9]+).*/\1/')
  bad=$(grep -E '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | tail -n 1 | sed -E 's/[^0-9]*([0-9]+).*/\1/')
  if [ -z "$ok" ] && [ -z "$bad" ]; then failed=$((failed + 1)); return; fi
  skip=$(grep -E '^\[  SKIPPED \] [0-9]+ tests?, listed below' "$log" | tail -n 1 | sed -E 's/[^0-9]*([0-9]+).*/\1/')
  passed=$((passed + ${ok:-0}))
  failed=$((failed + ${bad:-0}))
  skipped=$((skipped + ${skip:-0}))
}

suite() {  # suite <title> <counter> <command...>
  local title=$1 counter=$2
  shift 2
  echo "=== $title"
  "$@" 2>&1 | tee "$log"
  $counter
}

suite "host unit tests" count_ctest ctest --test-dir build/host --output-on-failure --timeout 300
suite "host unit tests, AddressSanitizer" count_ctest ctest --test-dir build/asan --output-on-failure --timeout 600
suite "host unit tests, UndefinedBehaviorSanitizer" count_ctest ctest --test-dir build/ubsan --output-on-failure --timeout 600
suite "Windows programs under Wine" count_gtest tests/wine/run.sh
suite "zirel natively on X11 (Xvfb, XScreenSaver)" count_gtest timeout 300 tests/native/run.sh

# The tests' size beside the product's, by the one measure everybody uses.
echo
if [ -x ../shared/tools/test-size ]; then
  ../shared/tools/test-size | tail -n 1
fi
echo "Total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
