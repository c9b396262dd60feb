#!/usr/bin/env bash
# zirel's display-mode contract, natively on a private Xvfb with GLX: one row per way of starting
# zirel, each ended the way the row names. Prints GoogleTest's summary lines, so tests/run_all.sh
# counts the rows. Every process it starts it ends by its id.
set -u
cd "$(dirname "$0")/../.."
zirel=$PWD/build/host/zirel
out=$PWD/build/artifacts/native
mkdir -p "$out"
declare -a pids=() failures=()
trap 'for p in "${pids[@]}"; do zirel_stop_pid "$p"; done; zirel_stop_x' EXIT
# The clock seeds the scene: stopped at this second, a top has its colour within 4 s.
# Mesa writes the frame rates into $out/fps.
export DISPLAY TZ=UTC FAKETIME='2023-11-15 00:03:54' FAKETIME_DONT_FAKE_MONOTONIC=1 GALLIUM_HUD=fps \
  GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_DUMP_DIR=$out

# xvfb ARGS...: a private server on a free display number, made $DISPLAY.
source scripts/harness.sh
xvfb() {
  zirel_start_x Xvfb 400 -screen 0 1600x1200x24 -noreset "$@" && DISPLAY=$ZIREL_X_DISPLAY
}

# expect WHAT TEST...: one check of the row, as `test` takes it.
expect() {
  [ "${@:2}" ] 2>/dev/null || failures+=("$row: $1 (${*:2})")
}

# Pixels of picture $1 (or of its part $4) whose chroma (G) or lightness (B) is above $3.
count() {
  convert "$1" ${4:+-crop "$4"} -colorspace HCL -channel "$2" -separate -threshold "$3" -format '%[fx:int(mean*w*h)]' info:
}
export -f count

# Window $1 shows tops that move: lit ($2 $3 = B 10%) or coloured (G 25%), waiting up to 30 s
# for the first.
tops_move() {
  timeout 30 bash -c "until import -window $1 $out/$row-1.png && [ \$(count $out/$row-1.png $2 $3) -gt 20 ]; do sleep 0.25; done"
  timeout 5 import -window "$1" "$out/$row-2.png"
  expect "tops that move" "$(count "$out/$row-1.png" "$2" "$3")" -gt 20 -a "$(compare -metric AE "$out/$row-1.png" "$out/$row-2.png" null: 2>&1)" -gt 100
}

# drawing WINDOW ENDING LOW HIGH COMMAND: zirel, started by the shell words COMMAND, draws into
# WINDOW (Zirel: its own) coloured tops that move at LOW..HIGH frames/s, and follows the window's
# size (the right half of a window grown to 1600x1200 is drawn on). A key ends it in its own
# window (ENDING "key") and nowhere else; there the signal ENDING ends it within 100 ms. Either
# way with status 0.
drawing() {
  local window=$1 ending=$2 t0
  eval "LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 $5 &"
  pids+=($!)
  [ "$window" = Zirel ] && window=$(timeout 5 sh -c "until xdotool search --name '^Zirel\$'; do sleep 0.1; done")
  tops_move "$window" G 25%
  expect "$3 to $4 frames/s" "$(tail -n +2 "$out/fps" | sort -g | awk -v l="$3" -v h="$4" '{ v[NR] = $1 } END { m = v[int((NR + 1) / 2)]; print (m >= l && m <= h ? "ok" : m) }')" = ok
  xdotool windowsize "$window" 1600 1200 2>/dev/null
  sleep 0.3
  expect "follows the window's size" "$(timeout 5 import -window "$window" png:- | count - B 10% 800x1200+800+0)" -gt 20
  xdotool key --window "$window" q 2>/dev/null
  sleep 0.2
  expect "ended by a key in its own window only" "$(kill -0 "${pids[-1]}" 2>/dev/null; echo $?)" = "$([ "$ending" = key ] && echo 1 || echo 0)"
  t0=$(date +%s%N)
  kill -"${ending/key/TERM}" "${pids[-1]}" 2>/dev/null
  timeout 2 tail -s 0.005 --pid="${pids[-1]}" -f /dev/null
  kill -KILL "${pids[-1]}" 2>/dev/null
  wait "${pids[-1]}"
  expect "ends within 100 ms with 0" $? -eq 0 -a $((($(date +%s%N) - t0) / 1000000)) -le 100
}

# XScreenSaver's own daemon as nobody (as root it starts no display mode; the tests run as root,
# as the package installation does), its list the command line of the settings description of
# the Debian package that make test built, unpacked (never installed) where its PATH finds it:
# the packaged zirel draws tops when told to activate and ends when told to deactivate.
daemon() {
  local root=$out/package command
  rm -rf "$root"
  dpkg-deb -x build/deb/zirel_*.deb "$root"
  command=$(xmllint --xpath 'concat(/screensaver/@name, " ", //command/@arg)' \
    "$root/usr/share/xscreensaver/config/zirel.xml")
  printf 'mode: one\nselected: 0\nlock: False\nsplash: False\nfade: False\nprograms: %s\n' \
    "$command" >"$out/.xscreensaver"
  chown -R nobody:nogroup "$out"
  env -i DISPLAY="$DISPLAY" HOME="$out" PATH="$root/usr/libexec/xscreensaver:/usr/bin:/bin" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups xscreensaver -no-splash \
    >"$out/daemon.txt" 2>&1 &
  pids+=($!)
  timeout 10 sh -c 'until xscreensaver-command -activate >/dev/null 2>&1; do sleep 0.2; done'
  hack=$(timeout 5 sh -c "until pgrep -xf '$command'; do sleep 0.1; done")
  pids+=($hack)
  expect "the packaged zirel" "$(readlink "/proc/$hack/exe")" = \
    "$root/usr/libexec/xscreensaver/zirel"
  tops_move root B 10%
  xscreensaver-command -deactivate >/dev/null
  timeout 3 sh -c "while kill -0 '$hack' 2>/dev/null; do sleep 0.05; done"
  expect "zirel ended" -n "$hack" -a $? -eq 0
}

# run ROW CHECK...: the row passes when no check of CHECK fails.
run() {
  row=$1
  "${@:2}"
}

xvfb +extension GLX
run own-window drawing Zirel key 10 61 '"$zirel"'
# A window the test makes, given by -window-id (decimal), then by XSCREENSAVER_WINDOW (hexadecimal,
# over --root as XScreenSaver passes it).
xev -geometry 640x480 >"$out/xev.txt" &
xev=$!
pids+=($!)
host=$(timeout 5 sh -c "until grep -aoPm1 'Outer window is \K0x[0-9a-f]+' '$out/xev.txt'; do sleep 0.1; done")
run window-id drawing "$host" TERM 10 61 '"$zirel" -window-id $((host))'
xdotool windowunmap "$host" windowmap "$host"  # what the first row drew goes
run xscreensaver-window drawing "$host" INT 10 61 'XSCREENSAVER_WINDOW=$host "$zirel" --root'
kill "$xev"
run root drawing root TERM 10 50 '"$zirel" -root -delay 20000'
run xscreensaver-daemon daemon
# No display, or one without GLX: status 1 and the message.
run no-display expect "1, the message" "$(env -u DISPLAY "$zirel" 2>&1) $?" = 'zirel: DISPLAY is not set 1'
xvfb -extension GLX
run no-glx expect "1, the message" "$("$zirel" 2>&1) $?" = 'zirel: no usable GLX visual 1'
failed=$(printf '%s\n' "${failures[@]%%:*}" | sort -u | grep -c .)
echo "[  PASSED  ] $(($(grep -c '^run ' "$0") - failed)) tests."
[ "$failed" -eq 0 ] || printf '[  FAILED  ] %s\n' "$failed tests, listed below:" "${failures[@]}"
[ "$failed" -eq 0 ]
