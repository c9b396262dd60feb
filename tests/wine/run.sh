#!/usr/bin/env bash
# Runs the Windows-side tests under Wine on a private Xvfb. Extra arguments go to GoogleTest
# (e.g. --gtest_filter=Renderer*). Screenshots land in build/artifacts/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
# Overridable so that several checkouts or builds can run side by side without sharing a prefix.
build="${ZIREL_WIN_BUILD:-$root/build/win}"
dist="${ZIREL_DIST_DIR:-$root/dist}"
prefix="${ZIREL_WINEPREFIX:-$root/build/wineprefix}"
artifacts="${ZIREL_ARTIFACTS_DIR:-$root/build/artifacts}"
source "$root/tests/wine/harness.sh"

zirel_harness_start "$prefix" || exit 1
trap zirel_harness_stop EXIT

mkdir -p "$artifacts"
export ZIREL_DIST="$(winepath -w "$dist" 2>/dev/null)"
export ZIREL_STANDINS="$(winepath -w "$build/standins" 2>/dev/null)"
export ZIREL_ARTIFACTS="$(winepath -w "$artifacts" 2>/dev/null)"

zirel_wine "$build/tests/wine/zirel_wine_tests.exe" "$@"
status=$?
# Screenshots come out as BMP; keep PNG copies next to them for viewing.
for bmp in "$artifacts"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
exit $status
