#!/usr/bin/env bash
# Runs the Windows-side tests under Wine on a private Xvfb, then the TwoMonitors row on two
# monitors; arguments go to GoogleTest (e.g. --gtest_filter='Wine/*Preview*'). Screenshots land
# in build/artifacts/.
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZIREL_WIN_BUILD:-$root/build/win}"
artifacts="${ZIREL_ARTIFACTS_DIR:-$root/build/artifacts}"
mounts="$build/test-mounts"  # the folders the tests made read-only, unmounted at the end
source "$root/scripts/wine-harness.sh"
export XDG_RUNTIME_DIR=$(mktemp -d)  # the sound server's, and Wine's way to it
zirel_harness_start "${ZIREL_WINEPREFIX:-$root/build/wineprefix}" || exit 1
trap 'xargs -r -d "\n" -n 1 umount <"$mounts" 2>/dev/null; rm -f "$mounts"; sound_off
  rm -rf "$XDG_RUNTIME_DIR"; zirel_harness_stop' EXIT
mkdir -p "$artifacts"
# The music files the rows copy: tones of 2 s.
sox -n -r 44100 -c 2 "$artifacts/sound.wav" synth 2 sine 440 vol 0.5
lame --quiet "$artifacts/sound.wav" "$artifacts/song.mp3"
export ZIREL_DIST=$(winepath -w "${ZIREL_DIST_DIR:-$root/dist}")
export ZIREL_STANDINS=$(winepath -w "$build/standins")
export ZIREL_ARTIFACTS=$(winepath -w "$artifacts")

# A private sound server with one null sink, "zirel", unless one runs, and what it plays recorded
# (which keeps the sink at a short latency, and ends with the server). Stopped by its process id.
sound_on() {
  pactl info >/dev/null 2>&1 && return
  rm -f "$XDG_RUNTIME_DIR/heard.raw"
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 -L module-native-protocol-unix \
    -L "module-null-sink sink_name=zirel" 2>/dev/null
  parec --latency-msec=20 --device=zirel.monitor --channels=1 --format=s16le --rate=44100 \
    >"$XDG_RUNTIME_DIR/heard.raw" 2>/dev/null &
  # NOTE: the sink starts with a latency of 2 s; the recording's first data come after it.
  timeout 5 sh -c "until [ -s '$XDG_RUNTIME_DIR/heard.raw' ]; do sleep 0.1; done"
}

sound_off() {
  local pid
  pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) && kill "$pid" && timeout 5 tail --pid="$pid" -f /dev/null
}

# The next 2 s of the recording, kept in the artifacts' folder, as heard: "tone" (440 Hz at 0.5 in
# its loudest part), "silence" or the figures; nothing when less came. The frequency is the peak
# of sox's spectrum (bins of 10.8 Hz); the figures also go to stderr.
sound_listen() {
  local from=$(($(stat -c %s "$XDG_RUNTIME_DIR/heard.raw") / 2 * 2))
  sleep 2.2
  tail -c +$((from + 1)) "$XDG_RUNTIME_DIR/heard.raw" | head -c 176400 >"$artifacts/heard.raw"
  [ "$(stat -c %s "$artifacts/heard.raw")" = 176400 ] &&
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$artifacts/heard.raw" -n stat -freq 2>&1 |
    awk '/^Maximum amp/ {a = $3} NF == 2 && $2 > p {p = $2; f = $1}
      END {printf "heard: amplitude %.3f, %.0f Hz\n", a, f >"/dev/stderr"
        printf "%s", (a < 0.01 ? "silence" : a > 0.35 && a < 0.65 && f > 415 && f < 465 ? "tone" : a " " f)}'
}

# The tests ask for work on this side by printed lines, and wait for its outcome:
#   screenshot <area> <name>  that area of the screen into the artifacts' folder
#   readonly <folder>         a read-only bind mount of it (as root) till the end; <folder>.mounted
#                             says yes or no
#   sound <on|off|listen>     the sound server's work; its answer in the artifacts' file "sound"
serve() {
  local word area name folder
  while IFS= read -r line; do
    line=${line%$'\r'}
    echo "$line"
    read -r word area name <<<"$line"
    [[ $word == readonly ]] && folder=$(winepath -u "${line#* }" 2>/dev/null)
    case $word in
      screenshot) import -window root -crop "$area" -depth 8 "$artifacts/partial-$name" &&
          mv "$artifacts/partial-$name" "$artifacts/$name" ;;  # whole once it is there
      readonly) if mount --bind "$folder" "$folder" 2>/dev/null; then
          echo "$folder" >>"$mounts"
          mount -o remount,bind,ro "$folder" "$folder" && echo yes >"$folder.mounted"
        fi
        [ -e "$folder.mounted" ] || echo no >"$folder.mounted" ;;
      sound) sound_"$area" </dev/null >"$artifacts/partial-sound"
        mv "$artifacts/partial-sound" "$artifacts/sound" ;;
    esac
  done
}

# The TwoMonitors row runs on two monitors only: after the others, or alone when a filter names it.
status=0
if [[ "$*" != *TwoMonitors* ]]; then
  GTEST_FILTER='-*TwoMonitors*' zirel_wine "$build/tests/wine/zirel_wine_tests.exe" "$@" | serve
  status=${PIPESTATUS[0]}
fi
if [ $# -eq 0 ] || [[ "$*" == *TwoMonitors* ]]; then
  zirel_two_monitors || exit 1
  zirel_wine "$build/tests/wine/zirel_wine_tests.exe" --gtest_filter='*TwoMonitors*' | serve
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
fi
exit "$status"
