# The private displays, Wine prefix and sound server that `make run`, `make run-linux`, the tests
# and the benchmarks share: X servers on free display numbers (an Xvfb with GLX, or two monitors),
# a private Wine prefix, and a sound server for machines without a desktop. zirel_harness_stop
# ends exactly what the harness started: its X servers by their process ids and the prefix's own
# wineserver. Sourced:
#   zirel_harness_start build/wineprefix; trap zirel_harness_stop EXIT; zirel_wine program.exe args...
ZIREL_X_PIDS=()

# Starts X server $1 on the first free display from $2 with the options after; prints nothing,
# sets ZIREL_X_DISPLAY. Where another server wins the number, the next one is tried.
zirel_start_x() {
  local server=$1 first=$2 n
  shift 2
  for n in $(seq "$first" $((first + 99))); do
    [ -e "/tmp/.X$n-lock" ] && continue
    "$server" ":$n" "$@" -nolisten tcp >/dev/null 2>&1 &
    ZIREL_X_PIDS+=($!)
    timeout 10 sh -c "until xdpyinfo -display :$n >/dev/null 2>&1; do sleep 0.1; done"
    kill -0 "$!" 2>/dev/null && ZIREL_X_DISPLAY=":$n" && return
  done
  return 1
}

zirel_harness_start() {
  zirel_start_x Xvfb 90 -screen 0 1024x768x24 +extension GLX -noreset || return
  export DISPLAY=$ZIREL_X_DISPLAY
  zirel_prepare_prefix "$1"
}

# Moves the prefix onto two monitors: Xephyr with two screens joined by Xinerama (RandR off) in a
# second Xvfb; Wine then reports 1024x768 at (0,0), the primary, and 800x600 at (1024,0).
zirel_two_monitors() {
  zirel_start_x Xvfb 200 -screen 0 1900x800x24 +extension GLX -noreset || return
  DISPLAY=$ZIREL_X_DISPLAY zirel_start_x Xephyr 300 -screen 1024x768 -screen 800x600 +xinerama \
    -extension RANDR +extension GLX || return
  timeout 20 wineserver -k
  timeout 20 wineserver -w  # the prefix starts again on the new display
  export DISPLAY=$ZIREL_X_DISPLAY
}

# Creates (once) and selects the private prefix; no Mono or Gecko installers.
zirel_prepare_prefix() {
  export WINEPREFIX="$1" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
  [ -f "$1/.zirel-ready" ] && return
  timeout -k 10 300 wineboot -i >/dev/null 2>&1 || return
  timeout -k 10 120 wineserver -w && touch "$1/.zirel-ready"
}

zirel_harness_stop() {
  local pid
  timeout 20 wineserver -k
  timeout 20 wineserver -w
  for pid in $(printf '%s\n' "${ZIREL_X_PIDS[@]}" | tac); do  # nested servers first
    kill "$pid" 2>/dev/null && wait "$pid"
  done
  ZIREL_X_PIDS=()
}

# Sound where there is no desktop: a private sound server with one null sink, "zirel", its
# runtime folder $XDG_RUNTIME_DIR (a private 0700 folder that the caller made, and exported before
# starting Wine), unless one runs there; and a recording of what it plays (which keeps the sink at
# a short latency, and ends with the server). zirel_sound_off stops it by its process id.
zirel_sound_on() {
  pactl info >/dev/null 2>&1 && return
  rm -f "$XDG_RUNTIME_DIR/heard.raw"
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 -L module-native-protocol-unix \
    -L "module-null-sink sink_name=zirel" 2>/dev/null
  parec --latency-msec=20 --device=zirel.monitor --channels=1 --format=s16le --rate=44100 \
    >"$XDG_RUNTIME_DIR/heard.raw" 2>/dev/null &
  # NOTE: the sink starts with a latency of 2 s; the recording's first data come after it.
  timeout 5 sh -c "until [ -s '$XDG_RUNTIME_DIR/heard.raw' ]; do sleep 0.1; done"
}

zirel_sound_off() {
  local pid
  pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) && kill "$pid" && timeout 5 tail --pid="$pid" -f /dev/null
}

# What the server plays in the next $1 seconds, saved as the WAV file $2 and printed as
# "heard: amplitude <loudest>, <frequency> Hz": the frequency is the peak of sox's spectrum (bins of 10.8 Hz).
# Nothing when less came.
zirel_sound_listen() {
  local from=$(($(stat -c %s "$XDG_RUNTIME_DIR/heard.raw") / 2 * 2)) bytes=$(($1 * 88200))
  sleep "$1.2"
  tail -c +$((from + 1)) "$XDG_RUNTIME_DIR/heard.raw" | head -c "$bytes" |
    sox -t raw -r 44100 -e signed -b 16 -c 1 - "$2"
  [ "$(soxi -s "$2" 2>/dev/null)" = $((bytes / 2)) ] && sox "$2" -n stat -freq 2>&1 |
    awk '/^Maximum amp/ {a = $3} NF == 2 && $2 > p {p = $2; f = $1} END {printf "heard: amplitude %.3f, %.0f Hz\n", a, f}'
}

# A Windows program, ended after ZIREL_WINE_TIMEOUT seconds (default 600).
zirel_wine() {
  timeout -k 10 "${ZIREL_WINE_TIMEOUT:-600}" wine "$@"
}

# Prints the X id of the first window titled exactly $1, waiting up to $2 seconds (default 15).
zirel_wait_for_window() {
  timeout "${2:-15}" sh -c "until xdotool search --name '^$1\$' 2>/dev/null | head -n 1 | grep .; do sleep 0.1; done"
}
