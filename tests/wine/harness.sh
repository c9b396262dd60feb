# Wine test harness, sourced by scripts: a private Xvfb with GLX on a free display number and a
# private Wine prefix inside the build folder. zirel_harness_stop ends exactly what
# zirel_harness_start started: the Xvfb by its process id and the prefix's own wineserver.
#
#   source tests/wine/harness.sh
#   zirel_harness_start build/wineprefix     # exports DISPLAY, WINEPREFIX, WINEDEBUG
#   trap zirel_harness_stop EXIT
#   zirel_wine program.exe args...           # bounded in time

ZIREL_XVFB_PID=""
ZIREL_DISPLAY_NUM=""

zirel_harness_log() { echo "harness: $*" >&2; }

# Starts Xvfb on the first free display from 90 on; waits until it answers.
zirel_start_xvfb() {
  local n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":${n}" -screen 0 1024x768x24 +extension GLX -nolisten tcp -noreset >/dev/null 2>&1 &
    ZIREL_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if ! kill -0 "$ZIREL_XVFB_PID" 2>/dev/null; then break; fi  # lost a race for :n
      if xdpyinfo -display ":${n}" >/dev/null 2>&1; then
        ZIREL_DISPLAY_NUM=$n
        export DISPLAY=":${n}"
        return 0
      fi
      sleep 0.1
    done
    kill "$ZIREL_XVFB_PID" 2>/dev/null; wait "$ZIREL_XVFB_PID" 2>/dev/null
    ZIREL_XVFB_PID=""
  done
  zirel_harness_log "no free X display"
  return 1
}

# Creates (once) and selects the private prefix.
zirel_prepare_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No Mono or Gecko installers: nothing here needs .NET or HTML.
  export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
  if [ ! -f "$WINEPREFIX/.zirel-ready" ]; then
    mkdir -p "$WINEPREFIX"
    zirel_harness_log "creating Wine prefix $WINEPREFIX"
    timeout -k 10 300 wineboot -i >/dev/null 2>&1 || { zirel_harness_log "wineboot failed"; return 1; }
    timeout -k 10 120 wineserver -w
    touch "$WINEPREFIX/.zirel-ready"
  fi
}

zirel_harness_start() {
  zirel_start_xvfb || return 1
  zirel_prepare_prefix "$1" || return 1
}

# Runs a Windows program under the harness, ended after ZIREL_WINE_TIMEOUT seconds (default 600).
zirel_wine() {
  timeout -k 10 "${ZIREL_WINE_TIMEOUT:-600}" wine "$@"
}

# Prints the X id of the first window titled exactly $1, waiting up to $2 seconds (default 15);
# fails when none appears.
zirel_wait_for_window() {
  local id i
  for i in $(seq 1 $(( ${2:-15} * 10 ))); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

zirel_harness_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
  fi
  if [ -n "$ZIREL_XVFB_PID" ]; then
    kill "$ZIREL_XVFB_PID" 2>/dev/null
    local i
    for i in $(seq 1 50); do kill -0 "$ZIREL_XVFB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$ZIREL_XVFB_PID" 2>/dev/null
    wait "$ZIREL_XVFB_PID" 2>/dev/null
    ZIREL_XVFB_PID=""
  fi
}
