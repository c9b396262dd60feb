#!/usr/bin/env bash
# Runs every test suite and ends with one summary line over all of them: the host unit tests
# (ctest), the Windows-side tests under Wine, then zirel natively. Each suite's own output is
# kept; its counts come from its summaries: ctest's "N% tests passed, F tests failed out of T",
# GoogleTest's "[  PASSED  ] N tests.", "[  FAILED  ] F tests, listed below:" and
# "[  SKIPPED ] S tests, ...", summed over its passes.
set -u
cd "$(dirname "$0")/.."
passed=0 failed=0 skipped=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# suite <title> <ctest|gtest> <command...>; one that fails without a failed test to show for it
# (a crash, a lost display) counts one failure.
suite() {
  local status ok bad skip seen
  echo "=== $1"
  "${@:3}" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  read -r ok bad skip seen < <(awk -v ctest="$([ "$2" = ctest ] && echo 1)" '
    ctest && / tests passed, [0-9]+ tests? failed out of / { ok += $9 - $4; bad += $4; seen = 1 }
    !ctest && /^\[  PASSED  \] [0-9]+ test/ { ok += $4; seen = 1 }
    !ctest && /^\[  FAILED  \] [0-9]+ tests?, listed below/ { bad += $4; seen = 1 }
    !ctest && /^\[  SKIPPED \] [0-9]+ tests?, listed below/ { skip += $4 }
    END { print ok + 0, bad + 0, skip + 0, seen + 0 }' "$log")
  [ "$bad" -eq 0 ] && { [ "$status" -ne 0 ] || [ "$seen" -eq 0 ]; } && bad=1
  passed=$((passed + ok)) failed=$((failed + bad)) skipped=$((skipped + skip))
}

suite "host unit tests" ctest ctest --test-dir build/host --output-on-failure --timeout 300
for kind in asan:AddressSanitizer ubsan:UndefinedBehaviorSanitizer; do
  suite "host unit tests, ${kind#*:}" ctest \
    ctest --test-dir "build/${kind%:*}" --output-on-failure --timeout 600
done
suite "Windows programs under Wine" gtest tests/wine/run.sh
suite "zirel natively on X11 (Xvfb, XScreenSaver)" gtest timeout 300 tests/native/run.sh

# The tests' size beside the product's, by the one measure everybody uses.
echo
[ -x ../shared/tools/test-size ] && ../shared/tools/test-size | tail -n 1
echo "Total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
