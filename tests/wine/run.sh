#!/usr/bin/env bash
# Runs the Windows-side tests under Wine on a private Xvfb; arguments go to GoogleTest (e.g.
# --gtest_filter='Wine/*Preview*'). Screenshots land in build/artifacts/ as PNG.
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZIREL_WIN_BUILD:-$root/build/win}"
artifacts="${ZIREL_ARTIFACTS_DIR:-$root/build/artifacts}"
source "$root/tests/wine/harness.sh"
export XDG_RUNTIME_DIR=$(mktemp -d)  # the sound server's
zirel_harness_start "${ZIREL_WINEPREFIX:-$root/build/wineprefix}" || exit 1
trap 'zirel_sound_off; rm -rf "$XDG_RUNTIME_DIR"; zirel_harness_stop' EXIT
mkdir -p "$artifacts"
# The music files the rows copy: tones of 2 s.
sox -n -r 44100 -c 2 "$artifacts/sound.wav" synth 2 sine 440 vol 0.5
lame --quiet "$artifacts/sound.wav" "$artifacts/song.mp3"
export ZIREL_DIST=$(winepath -w "${ZIREL_DIST_DIR:-$root/dist}")
export ZIREL_STANDINS=$(winepath -w "$build/standins")
export ZIREL_ARTIFACTS=$(winepath -w "$artifacts")
# A test that prints "screenshot <area> <name>" waits for that area of the screen in the file;
# one that prints "sound <on|off|listen> <name>" for the file with the answer.
zirel_wine "$build/tests/wine/zirel_wine_tests.exe" "$@" | while IFS= read -r line; do
  echo "${line%$'\r'}"
  read -r word area name <<<"${line%$'\r'}"
  [ "$word" = screenshot ] && import -window root -crop "$area" "$artifacts/$name"
  [ "$word" = sound ] && zirel_sound_"$area" "$artifacts/$name" </dev/null >"$artifacts/answer"
  [ "$word" = sound ] && mv "$artifacts/answer" "$artifacts/$name"
done
exit "${PIPESTATUS[0]}"
