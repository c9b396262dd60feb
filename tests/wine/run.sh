#!/usr/bin/env bash
# Runs the Windows-side tests under Wine, in three Wine prefixes, each on X servers of its own: the
# language rows (in English, then in Japanese) on an Xvfb at the same time as the others on
# another, then the TwoMonitors row on two monitors alone; arguments go to GoogleTest for the
# others (e.g. --gtest_filter='Wine/*Preview*'). Screenshots land in build/artifacts/.
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZIREL_WIN_BUILD:-$root/build/win}"
artifacts="${ZIREL_ARTIFACTS_DIR:-$root/build/artifacts}"
references="$root/tests/wine/reference"
prefix="${ZIREL_WINEPREFIX:-$root/build/wineprefix}"
source "$root/scripts/harness.sh"
export XDG_RUNTIME_DIR=$(mktemp -d)  # the sound server's, and Wine's way to it
trap 'zirel_sound_off; rm -rf "$XDG_RUNTIME_DIR"
  for side in languages dual; do WINEPREFIX=$prefix-$side timeout 20 wineserver -k; done
  zirel_harness_stop' EXIT
zirel_harness_start "$prefix-languages" || exit 1
languages="DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
zirel_prepare_prefix "$prefix-dual" && zirel_two_monitors || exit 1
dual="DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
zirel_harness_start "$prefix" || exit 1
main="DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
# The music files the rows copy, in each side's artifacts' folder: tones of 1 s.
mkdir -p "$artifacts"/{languages,dual}
sox -n -r 44100 -c 2 "$artifacts/sound.wav" synth 1 sine 440 vol 0.5
lame --quiet "$artifacts/sound.wav" "$artifacts/song.mp3"
for side in languages dual; do cp "$artifacts"/{sound.wav,song.mp3} "$artifacts/$side"; done
export ZIREL_DIST=$(winepath -w "${ZIREL_DIST_DIR:-$root/dist}")
export ZIREL_STANDINS=$(winepath -w "$build/standins")
windows_artifacts=$(winepath -w "$artifacts")

# What the sound server played in the next 2 s, kept in the artifacts' folder: "tone" (440 Hz at
# 0.5 in its loudest part), "silence" or the figures; nothing when less came.
heard() {
  zirel_sound_listen 2 "$artifacts/heard.wav" | awk '{ a = $3 + 0; f = $4
    tone = a > 0.35 && a < 0.65 && f > 415 && f < 465
    printf "%s", (a < 0.01 ? "silence" : tone ? "tone" : a " " f) }'
}

# How many pixels of picture $1 are above grey level $2.
above() { convert "$1" -colorspace Gray -threshold "$2" -format '%[fx:int(mean*w*h)]' info:; }

# Both monitors in two screenshots a second apart: each "lit" (over 100 pixels above 6 % grey)
# or "dark", "moving" (over 100 pixels changed) or "still".
monitors() {
  local part
  import -window root monitors.png
  sleep 1
  import -window root later.png
  for part in 1024x768+0+0 800x600+1024+0; do
    [ "$(above "monitors.png[$part]" 6%)" -gt 100 ] && printf 'lit ' || printf 'dark '
    [ "$(compare -metric AE "monitors.png[$part]" "later.png[$part]" null: 2>&1)" -gt 100 ] &&
      echo moving || echo still
  done
}

# The tests ask for work on this side by printed lines, and wait for the artifact it answers in:
#   screenshot <area> <name>  that area of the screen as artifact <name>
#   sound <on|off|listen>     the sound server's work; its answer in "sound"
#   monitors                  what both monitors show, in "monitors"
#   compare <name> [<parts>]  picture <name> (made of <parts> side by side where given) against
#                             tests/wine/reference/<name>: in "compare", the pixels that differ
#                             by more than font smoothing makes them (their image diff-<name>
#                             beside it), or why none could be compared;
#                             ZIREL_RENEW_REFERENCES=1 (make references) makes it the reference
serve() {
  local word area name
  cd "$artifacts"
  while IFS= read -r line; do
    line=${line%$'\r'}
    echo "$line"
    read -r word area name <<<"$line"
    case $word in
      screenshot) import -window root -crop "$area" -depth 8 "partial-$name" &&
        mv "partial-$name" "$name" ;;  # whole once it is there
      sound) if [ "$area" = listen ]; then heard; else "zirel_sound_$area"; fi </dev/null >partial
        mv partial sound ;;
      monitors) monitors >partial
        mv partial monitors ;;
      compare) convert ${name:-$area} +append -strip "$area" &&
        ${ZIREL_RENEW_REFERENCES:+cp "$area" "$references/"} &&
        compare -metric AE -fuzz 10% "$references/$area" "$area" "diff-$area" 2>partial-compare
        grep -qx 0 partial-compare && rm -f "diff-$area"; mv partial-compare compare ;;
    esac
  done
}

# The test program on the side $1 (main, languages or dual: the name of the words that select its
# prefix and display; the artifacts' folder its own but for main's), under the locale $2, with
# the arguments after; its status.
pass() {
  local -x ${!1} ZIREL_ARTIFACTS=$windows_artifacts
  local artifacts=$artifacts
  if [ "$1" != main ]; then artifacts+=/$1 ZIREL_ARTIFACTS+=\\$1; fi
  env LC_ALL="$2" timeout -k 10 600 wine "$build/tests/wine/zirel_wine_tests.exe" "${@:3}" | serve
  return "${PIPESTATUS[0]}"
}
# The rows under an English locale (code page 1252) and, beside them, those in each language once
# more under a Japanese one (code page 932); then, alone on the machine as it measures the pace,
# the TwoMonitors row.
# NOTE: C.UTF-8 is Wine's English and code page 1252 as en_US.UTF-8 is, and keeps file names
# UTF-8 on the Linux side where glibc has not generated en_US.UTF-8: a folder named in Japanese
# could not be made under the latter there.
{ pass languages C.UTF-8 --gtest_filter='*InEachLanguage*'
  english=$?
  pass languages ja_JP.UTF-8 --gtest_filter='*InEachLanguage*' && exit "$english"; } &
beside=$!
GTEST_FILTER='-*TwoMonitors*:*InEachLanguage*' pass main C.UTF-8 "$@"
status=$?
wait $beside || status=1
pass dual en_US.UTF-8 --gtest_filter='*TwoMonitors*' && exit "$status"
