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

# GoogleTest, summed over its passes: "[  PASSED  ] N tests." and "[  FAILED  ] F tests, listed below:"
count_gtest() {
  local sums ok bad skip
  sums=$(awk '/^\[  PASSED  \] [0-9]+ test/ { ok += $4; seen = 1 }
    /^\[  FAILED  \] [0-9]+ tests?, listed below/ { bad += $4; seen = 1 }
    /^\[  SKIPPED \] [0-9]+ tests?, listed below/ { skip += $4 }
    END { if (!seen) bad = 1; print ok + 0, bad + 0, skip + 0 }' "$log")
  read -r ok bad skip <<<"$sums"
  passed=$((passed + ok))
  failed=$((failed + bad))
  skipped=$((skipped + skip))
}

# A suite that fails without a failed test to show for it (a crash, a lost display) counts one.
suite() {  # suite <title> <counter> <command...>
  local title=$1 counter=$2 before=$failed
  shift 2
  echo "=== $title"
  "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  $counter
  [ "$status" -ne 0 ] && [ "$failed" -eq "$before" ] && failed=$((failed + 1))
  return 0
}

suite "host unit tests" count_ctest ctest --test-dir build/host --output-on-failure --timeout 300
suite "host unit tests, AddressSanitizer" count_ctest ctest --test-dir build/asan --output-on-failure --timeout 600
suite "host unit tests, UndefinedBehaviorSanitizer" count_ctest ctest --test-dir build/ubsan --output-on-failure --timeout 600
suite "Windows programs under Wine" count_gtest tests/wine/run.sh

# The tests' size beside the product's, by the one measure everybody uses.
echo
if [ -x ../shared/tools/test-size ]; then
  ../shared/tools/test-size | tail -n 1
fi
echo "Total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
