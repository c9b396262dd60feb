# Wine test harness, sourced by scripts: a private Xvfb with GLX on a free display number and a
# private Wine prefix. zirel_harness_stop ends exactly what zirel_harness_start started: the Xvfb
# by its process id and the prefix's own wineserver.
#   zirel_harness_start build/wineprefix; trap zirel_harness_stop EXIT; zirel_wine program.exe args...

zirel_harness_start() {
  local n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 +extension GLX -nolisten tcp -noreset >/dev/null 2>&1 &
    ZIREL_XVFB_PID=$!
    timeout 10 sh -c "until xdpyinfo -display :$n >/dev/null 2>&1; do sleep 0.1; done"
    kill -0 "$ZIREL_XVFB_PID" 2>/dev/null && break  # else another server won :n
  done
  export DISPLAY=":$n"
  zirel_prepare_prefix "$1"
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
  [ -n "${ZIREL_XVFB_PID:-}" ] && kill "$ZIREL_XVFB_PID" && wait "$ZIREL_XVFB_PID"
}

# A Windows program, ended after ZIREL_WINE_TIMEOUT seconds (default 600).
zirel_wine() {
  timeout -k 10 "${ZIREL_WINE_TIMEOUT:-600}" wine "$@"
}

# Prints the X id of the first window titled exactly $1, waiting up to $2 seconds (default 15).
zirel_wait_for_window() {
  timeout "${2:-15}" sh -c "until xdotool search --name '^$1\$' 2>/dev/null | head -n 1 | grep .; do sleep 0.1; done"
}
