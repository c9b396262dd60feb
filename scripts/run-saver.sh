#!/usr/bin/env bash
# Starts the screen saver under Wine the way Windows does: Zirel.scr /s, which plays the music
# chosen in Zirel.ini and starts the renderer. With a $DISPLAY it runs there until a key, a
# button or a mouse movement ends it; without one it runs on a private Xvfb for a few seconds,
# saves a screenshot to build/run-screenshot.png, ends the renderer with a key and waits for the
# launcher to end after it. There, where PulseAudio is installed (make test installs it), a private
# sound server takes the music: what it heard is saved to build/run-sound.wav and measured.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/harness.sh"
dist="${ZIREL_DIST_DIR:-$root/dist}"
program="$dist/Zirel.scr"
prefix="${ZIREL_WINEPREFIX:-$root/build/wineprefix}"
screenshot="${ZIREL_RUN_SCREENSHOT:-$root/build/run-screenshot.png}"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  zirel_prepare_prefix "$prefix" || exit 1
  trap zirel_harness_stop EXIT
  ZIREL_WINE_TIMEOUT=86400 zirel_wine "$program" /s
  exit $?
fi

export XDG_RUNTIME_DIR=$(mktemp -d)  # the private sound server's, and Wine's way to it
trap 'zirel_sound_off; rm -rf "$XDG_RUNTIME_DIR"; zirel_harness_stop' EXIT
zirel_harness_start "$prefix" || exit 1
command -v pulseaudio >/dev/null && zirel_sound_on
wine "$program" /s &
launcher=$!
zirel_wait_for_window Vant_VC >/dev/null || echo "the renderer window did not appear" >&2
if [ -s "$XDG_RUNTIME_DIR/heard.raw" ]; then
  zirel_sound_listen "${ZIREL_RUN_SECONDS:-5}" "$root/build/run-sound.wav" &&
    echo "sound: $root/build/run-sound.wav"
else
  sleep "${ZIREL_RUN_SECONDS:-5}"
fi
import -window root "$screenshot" && echo "screenshot: $screenshot"
window=$(xdotool search --name '^Vant_VC$' 2>/dev/null | head -n 1)
[ -n "$window" ] && xdotool key --window "$window" space
# The launcher notices within half a second that the renderer has gone, then ends itself.
if ! zirel_wait_gone "$launcher" 10; then
  echo "the launcher did not end by itself" >&2
  zirel_stop_pid "$launcher"
  exit 1
fi
wait "$launcher" 2>/dev/null
echo "the saver ran and ended"
