#!/usr/bin/env bash
# Starts the screen saver under Wine. With a $DISPLAY it runs there until a key, a button or a
# mouse movement ends it; without one it runs on a private Xvfb for a few seconds, saves a
# screenshot to build/run-screenshot.png and ends.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/wine/harness.sh"
program="$root/dist/Zirel.dll"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  zirel_prepare_prefix "$root/build/wineprefix" || exit 1
  trap zirel_harness_stop EXIT
  ZIREL_WINE_TIMEOUT=86400 zirel_wine "$program" /s
  exit $?
fi

zirel_harness_start "$root/build/wineprefix" || exit 1
trap zirel_harness_stop EXIT
wine "$program" /s &
saver=$!
for _ in $(seq 1 100); do xdotool search --name '^Vant_VC$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep "${ZIREL_RUN_SECONDS:-5}"
import -window root "$root/build/run-screenshot.png" && echo "screenshot: build/run-screenshot.png"
window=$(xdotool search --name '^Vant_VC$' 2>/dev/null | head -n 1)
[ -n "$window" ] && xdotool key --window "$window" space
for _ in $(seq 1 50); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
kill "$saver" 2>/dev/null
wait "$saver" 2>/dev/null
echo "the saver ran and ended"
