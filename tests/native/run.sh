#!/usr/bin/env bash
# zirel's display-mode contract, natively on a private Xvfb with GLX: one row per way of starting
# zirel, each ended the way the row names. Prints GoogleTest's summary lines, so the test runner
# counts the rows. Every process it starts it ends by its id.
set -u
cd "$(dirname "$0")/../.."
zirel=$PWD/build/host/zirel
out=$PWD/build/artifacts/native
mkdir -p "$out"
declare -a pids=() failures=()
source scripts/harness.sh
trap 'for p in "${pids[@]}"; do zirel_stop_pid "$p"; done; zirel_stop_x' EXIT
# The clock seeds the scene: stopped at this second, a top has its colour within 4 s.
# Mesa writes the frame rates, twice a second, into $out/fps.
export DISPLAY TZ=UTC FAKETIME='2023-11-15 00:03:54' FAKETIME_DONT_FAKE_MONOTONIC=1
export GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_DUMP_DIR=$out
faketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

# expect WHAT TEST...: one check of the row, as `test` takes it.
expect() {
  [ "${@:2}" ] 2>/dev/null || failures+=("$row: $1 (${*:2})")
}

# Waits up to $1 seconds for the command after it to succeed.
until_true() {
  local end=$((SECONDS + $1))
  until "${@:2}"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done
}

# Window $1 as picture $2 shows more than 20 pixels whose chroma (G) or lightness (B) is above
# the level ($3: "B 10%" lit, "G 25%" coloured).
shows() {
  import -window "$1" "$out/$2" 2>/dev/null && [ "$(convert "$out/$2" \
    -colorspace HCL -channel "${3% *}" -separate -threshold "${3#* }" \
    -format '%[fx:int(mean*w*h)]' info:)" -gt 20 ]
}

# Window $1 shows tops ($2, within 30 s) that move.
tops_move() {
  until_true 30 shows "$1" "$row-1.png" "$2"
  expect "tops" $? -eq 0
  import -window "$1" "$out/$row-2.png"
  expect "that move" "$(compare -metric AE "$out/$row-1.png" "$out/$row-2.png" null: 2>&1)" -gt 100
}

# drawing WINDOW ENDING LOW HIGH COMMAND: zirel, started by the shell words COMMAND, draws into
# WINDOW coloured tops that move at LOW..HIGH frames/s; the signal ENDING, or the window going
# (ENDING "gone": its client killed), ends it within 100 ms, with status 0. (Its own window, which
# q ends, and a resized one are drawn by the same frames, which the host tests record.)
drawing() {
  local window=$1 ending=$2 pid t0
  eval "LD_PRELOAD=$faketime $5 &"
  pid=$!
  pids+=($pid)
  tops_move $window "G 25%"
  expect "a median of $3 to $4 frames/s" -z "$(tail -n +2 "$out/fps" | sort -g | awk -v l=$3 \
    -v h=$4 '{ v[NR] = $1 } END { m = v[int((NR + 1) / 2)] + 0; if (m < l || m > h) print m }')"
  t0=$(date +%s%N)
  case $ending in
    gone) xdotool windowkill $window ;;
    *) kill -$ending $pid ;;
  esac
  zirel_wait_gone $pid 2 || kill -KILL $pid
  wait $pid
  expect "ends within 100 ms with 0" $? -eq 0 -a $((($(date +%s%N) - t0) / 1000000)) -le 100
}

# XScreenSaver's own daemon, as nobody (as root it starts no display mode; the tests run as root,
# as the package installation does), with a list of zirel alone, started by the command line the
# settings file of the Debian package that make test built declares (its command and each option
# at its default), as XScreenSaver's settings write it; the package unpacked (never installed)
# where the daemon's PATH finds its program (the only zirel there): the packaged zirel draws tops
# when told to activate and ends when told to deactivate.
daemon() {
  local root=$out/package line hack
  local xml=$root/usr/share/xscreensaver/config/zirel.xml
  rm -rf "$root"
  dpkg-deb -x build/deb/zirel_*.deb "$root"
  line=$(xmllint --xpath 'concat(/*/@name, " ", //command/@arg, " ", //number/@arg)' $xml |
    sed "s/%/$(xmllint --xpath 'string(//number/@default)' $xml)/")
  printf 'mode: one\nselected: 0\nlock: False\nsplash: False\nfade: False\nprograms: %s\n' \
    "$line" >"$out/.xscreensaver"
  chown -R nobody:nogroup "$out"
  env -i DISPLAY="$DISPLAY" HOME="$out" PATH="$root/usr/libexec/xscreensaver:/usr/bin:/bin" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups xscreensaver -no-splash \
    >"$out/daemon.txt" 2>&1 &
  pids+=($!)
  until_true 10 xscreensaver-command -activate >/dev/null 2>&1
  hack=$(until_true 5 pgrep -fx "$line")
  pids+=($hack)
  tops_move root "B 10%"
  xscreensaver-command -deactivate >/dev/null
  zirel_wait_gone "$hack" 3
  expect "zirel ended" $? -eq 0
}

# run ROW CHECK...: the row passes when no check of CHECK fails.
run() { row=$1; "${@:2}"; }

# A private server (60 Hz) on a free display number, made $DISPLAY.
zirel_start_x Xvfb 400 -screen 0 800x600x24 -noreset +extension GLX && DISPLAY=$ZIREL_X_DISPLAY
# A window the test makes, handed over by XSCREENSAVER_WINDOW (hexadecimal) with --root, as
# XScreenSaver starts a display mode. (-window-id draws by the same path; the host tests read it.)
xev -geometry 640x480 >"$out/xev.txt" &
xev=$!
host=$(until_true 5 grep -aoPm1 'Outer window is \K0x[0-9a-f]+' "$out/xev.txt")
run xscreensaver-window drawing "$host" gone 57 63 'XSCREENSAVER_WINDOW=$host "$zirel" --root'
zirel_stop_pid "$xev"
run root drawing root TERM 47.5 52.5 '"$zirel" -root -delay 20000'
run xscreensaver-daemon daemon
# Its usage asked for: on stdout, as an error shows it, and status 0.
run help expect "0, the usage" "$("$zirel" --help) $?" = "$("$zirel" -x 2>&1 | tail -n 1) 0"
failed=$(printf '%s\n' "${failures[@]%%:*}" | sort -u | grep -c .)
echo "[  PASSED  ] $(($(grep -c '^run ' "$0") - failed)) tests."
[ "$failed" -eq 0 ] || printf '[  FAILED  ] %s\n' "$failed tests, listed below:" "${failures[@]}"
[ "$failed" -eq 0 ]
