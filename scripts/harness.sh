# The private displays, Wine prefix and sound server that `make run`, `make run-linux`, the tests
# and the benchmarks share: X servers on free display numbers (an Xvfb with GLX, or two monitors),
# a private Wine prefix, and a sound server for machines without a desktop. zirel_harness_stop
# ends exactly what the harness started: its X servers by their process ids and the prefix's own
# wineserver. Sourced:
#   zirel_harness_start build/wineprefix; trap zirel_harness_stop EXIT
#   zirel_wine program.exe args...
ZIREL_X_PIDS=()

# The Debian package of each server the scripts start, for the line that says one is missing.
declare -A ZIREL_PACKAGE_OF=([Xvfb]=xvfb [Xephyr]=xserver-xephyr [pulseaudio]=pulseaudio)

# Says on stderr that program $1 is missing or failed ($2: what happened), naming its package.
zirel_server_failed() {
  echo "zirel harness: $1 $2 (Debian package ${ZIREL_PACKAGE_OF[$1]:-unknown})" >&2
  return 1
}

# Waits up to $2 seconds (default 5) for process $1 to end; fails when it still runs.
zirel_wait_gone() {
  local tick
  for tick in $(seq $((${2:-5} * 100))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.01; done
  ! kill -0 "$1" 2>/dev/null
}

# Ends process $1: a TERM, up to $2 seconds (default 5) for it to go, then a KILL. Its status
# where it is this shell's child.
zirel_stop_pid() {
  kill "$1" 2>/dev/null
  zirel_wait_gone "$1" "${2:-5}" || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# Starts X server $1 on the first free display from $2 with the options after; prints nothing,
# sets ZIREL_X_DISPLAY. Only a display number that another server holds moves it to the next
# one; a missing program or a server that dies otherwise fails at once, naming it.
zirel_start_x() {
  local server=$1 first=$2 n pid log tick
  shift 2
  command -v "$server" >/dev/null || { zirel_server_failed "$server" "not found"; return; }
  log=$(mktemp)
  for n in $(seq "$first" $((first + 99))); do
    [ -e "/tmp/.X$n-lock" ] && continue
    "$server" ":$n" "$@" -nolisten tcp >"$log" 2>&1 &
    pid=$!
    for tick in $(seq 200); do  # 20 s for a slow machine; a dead server ends the wait
      kill -0 "$pid" 2>/dev/null || break
      xdpyinfo -display ":$n" >/dev/null 2>&1 && { ZIREL_X_PIDS+=("$pid"); ZIREL_X_DISPLAY=":$n"
        rm -f "$log"; return 0; }
      sleep 0.1
    done
    zirel_stop_pid "$pid" 1
    grep -q "already active" "$log" && continue
    zirel_server_failed "$server" "did not start on :$n: $(grep -m1 . "$log")"
    rm -f "$log"
    return 1
  done
  rm -f "$log"
  zirel_server_failed "$server" "found no free display number from :$first"
}

# Stops the X servers the harness started, nested ones first.
zirel_stop_x() {
  local pid
  for pid in $(printf '%s\n' "${ZIREL_X_PIDS[@]}" | tac); do zirel_stop_pid "$pid"; done
  ZIREL_X_PIDS=()
}

zirel_harness_start() {
  zirel_start_x Xvfb 90 -screen 0 1024x768x24 +extension GLX -noreset || return
  export DISPLAY=$ZIREL_X_DISPLAY
  zirel_prepare_prefix "$1"
}

# Moves the prefix onto the monitors SIZE... (WxH, side by side): Xephyr with those screens joined
# by Xinerama (RandR off), in an Xvfb of its own; Wine then reports the first at (0,0), the
# primary, and each next one right of the one before. A later call replaces the Xephyr.
zirel_monitors() {
  local screens=() pid
  if [ -z "${ZIREL_XEPHYR_HOST:-}" ]; then
    zirel_start_x Xvfb 200 -screen 0 1900x800x24 +extension GLX -noreset || return
    ZIREL_XEPHYR_HOST=$ZIREL_X_DISPLAY
  fi
  if [ -n "${ZIREL_XEPHYR:-}" ]; then
    zirel_stop_pid "$ZIREL_XEPHYR"
    for pid in "${!ZIREL_X_PIDS[@]}"; do
      [ "${ZIREL_X_PIDS[$pid]}" = "$ZIREL_XEPHYR" ] && unset "ZIREL_X_PIDS[$pid]"
    done
  fi
  for pid in "$@"; do screens+=(-screen "$pid"); done
  DISPLAY=$ZIREL_XEPHYR_HOST zirel_start_x Xephyr 300 "${screens[@]}" +xinerama \
    -extension RANDR +extension GLX || return
  ZIREL_XEPHYR=${ZIREL_X_PIDS[-1]}
  timeout 20 wineserver -k
  timeout 20 wineserver -w  # the prefix starts again on the new display
  export DISPLAY=$ZIREL_X_DISPLAY
}

# 1024x768 at (0,0), the primary, and 800x600 at (1024,0).
zirel_two_monitors() {
  zirel_monitors 1024x768 800x600
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
  timeout 20 wineserver -k
  timeout 20 wineserver -w
  zirel_stop_x
}

# Sound where there is no desktop: a private sound server with one null sink, "zirel", its
# runtime folder $XDG_RUNTIME_DIR (a private 0700 folder that the caller made, and exported before
# starting Wine), unless one runs there; and a recording of what it plays (which keeps the sink at
# a short latency, and ends with the server). zirel_sound_off stops it by its process id.
zirel_sound_on() {
  pactl info >/dev/null 2>&1 && return
  command -v pulseaudio >/dev/null || { zirel_server_failed pulseaudio "not found"; return; }
  rm -f "$XDG_RUNTIME_DIR/heard.raw"
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 -L module-native-protocol-unix \
    -L "module-null-sink sink_name=zirel" 2>/dev/null ||
    { zirel_server_failed pulseaudio "did not start"; return; }
  parec --latency-msec=20 --device=zirel.monitor --channels=1 --format=s16le --rate=44100 \
    >"$XDG_RUNTIME_DIR/heard.raw" 2>/dev/null &
  local recorder=$! tick
  # NOTE: the sink starts with a latency of 2 s; the recording's first data come after it.
  for tick in $(seq 50); do
    [ -s "$XDG_RUNTIME_DIR/heard.raw" ] && return 0
    kill -0 "$recorder" 2>/dev/null || break
    sleep 0.1
  done
  zirel_server_failed pulseaudio "records nothing"
}

zirel_sound_off() {
  local pid
  pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) && zirel_stop_pid "$pid"
}

# What the server plays in the next $1 seconds, saved as the WAV file $2 and printed as
# "heard: amplitude <loudest>, <frequency> Hz": the frequency is the peak of sox's spectrum (bins
# of 10.8 Hz).
# Nothing when less came.
zirel_sound_listen() {
  local from=$(($(stat -c %s "$XDG_RUNTIME_DIR/heard.raw") / 2 * 2)) bytes=$(($1 * 88200))
  sleep "$1.2"
  tail -c +$((from + 1)) "$XDG_RUNTIME_DIR/heard.raw" | head -c "$bytes" |
    sox -t raw -r 44100 -e signed -b 16 -c 1 - "$2"
  [ "$(soxi -s "$2" 2>/dev/null)" = $((bytes / 2)) ] && sox "$2" -n stat -freq 2>&1 |
    awk '/^Maximum amp/ {a = $3} NF == 2 && $2 > p {p = $2; f = $1}
      END {printf "heard: amplitude %.3f, %.0f Hz\n", a, f}'
}

# A Windows program, ended after ZIREL_WINE_TIMEOUT seconds (default 600).
zirel_wine() {
  timeout -k 10 "${ZIREL_WINE_TIMEOUT:-600}" wine "$@"
}

# Prints the X id of the first window titled exactly $1, waiting up to $2 seconds (default 15).
zirel_wait_for_window() {
  timeout "${2:-15}" sh -c \
    "until xdotool search --name '^$1\$' 2>/dev/null | head -n 1 | grep .; do sleep 0.1; done"
}
