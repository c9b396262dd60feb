#!/usr/bin/env bash
# Runs the Windows-side tests under Wine on a private Xvfb, then the TwoMonitors row on two
# monitors; arguments go to GoogleTest for the first (e.g. --gtest_filter='Wine/*Preview*').
# Screenshots land in build/artifacts/.
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${ZIREL_WIN_BUILD:-$root/build/win}"
artifacts="${ZIREL_ARTIFACTS_DIR:-$root/build/artifacts}"
references="$root/tests/wine/reference"
source "$root/scripts/harness.sh"
export XDG_RUNTIME_DIR=$(mktemp -d)  # the sound server's, and Wine's way to it
zirel_harness_start "${ZIREL_WINEPREFIX:-$root/build/wineprefix}" || exit 1
trap 'zirel_sound_off; rm -rf "$XDG_RUNTIME_DIR"; zirel_harness_stop' EXIT
mkdir -p "$artifacts"
# The music files the rows copy: tones of 1 s.
sox -n -r 44100 -c 2 "$artifacts/sound.wav" synth 1 sine 440 vol 0.5
lame --quiet "$artifacts/sound.wav" "$artifacts/song.mp3"
export ZIREL_DIST=$(winepath -w "${ZIREL_DIST_DIR:-$root/dist}")
export ZIREL_STANDINS=$(winepath -w "$build/standins")
export ZIREL_ARTIFACTS=$(winepath -w "$artifacts")

# What the sound server played in the next 2 s, kept in the artifacts' folder: "tone" (440 Hz at
# 0.5 in its loudest part), "silence" or the figures; nothing when less came.
heard() {
  zirel_sound_listen 2 "$artifacts/heard.wav" | awk '{ print >"/dev/stderr"; a = $3 + 0; f = $4
    tone = a > 0.35 && a < 0.65 && f > 415 && f < 465
    printf "%s", (a < 0.01 ? "silence" : tone ? "tone" : a " " f) }'
}

# How many pixels of picture $1 are above grey level $2.
above() { convert "$1" -colorspace Gray -threshold "$2" -format '%[fx:int(mean*w*h)]' info:; }

# Both monitors in two screenshots a second apart: each "lit" (over 100 pixels above 6 % grey)
# or "dark", "moving" (over 100 pixels changed) or "still"; then whether the white window at
# 400x300+1124+100 "shows" (over 1200 pixels, 1 %, above 98 %: highlights of tops cover less).
monitors() {
  local part
  import -window root monitors.png
  sleep 1
  import -window root later.png
  for part in 1024x768+0+0 800x600+1024+0; do
    [ "$(above "monitors.png[$part]" 6%)" -gt 100 ] && printf 'lit ' || printf 'dark '
    [ "$(compare -metric AE "monitors.png[$part]" "later.png[$part]" null: 2>&1)" -gt 100 ] &&
      printf 'moving, ' || printf 'still, '
  done
  [ "$(above "monitors.png[400x300+1124+100]" 98%)" -gt 1200 ] && echo white shows ||
    echo white covered
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

# The test program under the locale $1, with the arguments after; its status. (Through env, as
# zirel_wine does but for the locale: before a function bash would take it for itself, and warn.)
pass() { env LC_ALL="$1" timeout -k 10 600 wine "$build/tests/wine/zirel_wine_tests.exe" "${@:2}" |
  serve; return "${PIPESTATUS[0]}"; }
# The rows under an English locale (code page 1252), those in each language once more under a
# Japanese one (code page 932), and the TwoMonitors row on two monitors, after the others.
# NOTE: C.UTF-8 is Wine's English and code page 1252 as en_US.UTF-8 is, and keeps file names
# UTF-8 on the Linux side where glibc has not generated en_US.UTF-8: a folder named in Japanese
# could not be made under the latter there.
GTEST_FILTER='-*TwoMonitors*' pass C.UTF-8 "$@"
status=$?
pass ja_JP.UTF-8 --gtest_filter='*InEachLanguage*' || status=1
zirel_two_monitors || exit 1
pass en_US.UTF-8 --gtest_filter='*TwoMonitors*' && exit "$status"
