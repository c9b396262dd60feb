#!/usr/bin/env bash
# Runs the Windows-side tests under Wine on a private Xvfb. Extra arguments go to GoogleTest
# (e.g. --gtest_filter=Renderer*). Screenshots land in build/artifacts/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/win"
source "$root/tests/wine/harness.sh"

zirel_harness_start "$root/build/wineprefix" || exit 1
trap zirel_harness_stop EXIT

artifacts="$root/build/artifacts"
mkdir -p "$artifacts"
export ZIREL_DIST="$(winepath -w "$root/dist" 2>/dev/null)"
export ZIREL_STANDINS="$(winepath -w "$build/standins" 2>/dev/null)"
export ZIREL_ARTIFACTS="$(winepath -w "$artifacts" 2>/dev/null)"

zirel_wine "$build/tests/wine/zirel_wine_tests.exe" "$@"
status=$?
# Screenshots come out as BMP; keep PNG copies next to them for viewing.
for bmp in "$artifacts"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
exit $status
