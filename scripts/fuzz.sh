#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS each (default 10) over its committed corpus in
# tests/fuzz/corpus/<name>/. New inputs go to build/fuzz/new/<name>; with MERGE=1 (make fuzz)
# they are merged back into the committed corpus. A crash leaves its input in
# build/fuzz/crashes/<name>/ and fails the run: turn it into a test.
# Prints "fuzz <name>: ok" or "fuzz <name>: FAILED" per target and a closing count.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-10}
build="$root/build/fuzz"
targets=$(sed -nE 's/^zirel_fuzzer\(([a-z_]+) .*/\1/p' tests/fuzz/CMakeLists.txt)
if [ -z "$targets" ]; then
  echo "fuzz: no fuzz targets"
  exit 0
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DZIREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets >/dev/null || { echo "fuzz: build failed"; exit 1; }

ok=0
bad=0
for name in $targets; do
  corpus="$root/tests/fuzz/corpus/$name"
  fresh="$build/new/$name"
  crashes="$build/crashes/$name"
  mkdir -p "$corpus" "$fresh" "$crashes"
  if timeout -k 10 $((seconds + 60)) "$build/tests/fuzz/$name" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix="$crashes/" \
      "$fresh" "$corpus" >"$build/$name.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -Eo 'Done [0-9]+ runs' "$build/$name.log" | tail -n 1))"
    ok=$((ok + 1))
    if [ "${MERGE:-0}" = 1 ]; then
      "$build/tests/fuzz/$name" -merge=1 "$corpus" "$fresh" >/dev/null 2>&1
    fi
  else
    echo "fuzz $name: FAILED (see $build/$name.log and $crashes/)"
    tail -n 30 "$build/$name.log"
    bad=$((bad + 1))
  fi
done
echo "fuzz: $ok passed, $bad failed"
[ "$bad" -eq 0 ]
