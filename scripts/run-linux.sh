#!/usr/bin/env bash
# Starts zirel, the native X11 display mode, in a window of its own. With a $DISPLAY it runs
# there until q, Escape or closing the window; without one it runs on a private Xvfb (with GLX)
# for a few seconds, saves a screenshot to build/run-linux-screenshot.png and ends with q. The
# Xvfb is stopped by its process id.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
zirel="$root/build/host/zirel"
screenshot="${ZIREL_RUN_SCREENSHOT:-$root/build/run-linux-screenshot.png}"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$zirel" "$@"
fi

source "$root/scripts/harness.sh"  # for its X server starter
zirel_start_x Xvfb 150 -screen 0 1024x768x24 +extension GLX -noreset || exit 1
trap zirel_stop_x EXIT
export DISPLAY=$ZIREL_X_DISPLAY
"$zirel" "$@" &
zirel=$!
# The tops take their colours as they finish their first climb: most within 20 s.
sleep "${ZIREL_RUN_SECONDS:-20}"
import -window root "$screenshot" && echo "screenshot: $screenshot"
window=$(xdotool search --name '^Zirel$' 2>/dev/null | head -n 1)
[ -n "$window" ] && xdotool key --window "$window" q 2>/dev/null
if ! zirel_wait_gone "$zirel" 5; then
  echo "zirel did not end on q" >&2
  zirel_stop_pid "$zirel"
  exit 1
fi
wait "$zirel"
status=$?
echo "zirel ran and ended with status $status"
exit "$status"
