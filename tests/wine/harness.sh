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

# A private sound server with one null sink, "zirel", in $XDG_RUNTIME_DIR (a folder of the caller's,
# also Wine's, so that its programs play there), unless one runs there, and what it plays recorded
# (the recording keeps the sink at a short latency and ends with the server). Stopped by the
# process id in its pid file.
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

# The next 2 s of the recording, kept in $1.raw, as heard: "tone" (440 Hz at 0.5 in its loudest
# part), "silence" or the figures; nothing when less came. The frequency is the peak of sox's
# spectrum (bins of 10.8 Hz); the figures also go to stderr.
zirel_sound_listen() {
  local from=$(($(stat -c %s "$XDG_RUNTIME_DIR/heard.raw") / 2 * 2))
  sleep 2.2
  tail -c +$((from + 1)) "$XDG_RUNTIME_DIR/heard.raw" | head -c 176400 >"$1.raw"
  [ "$(stat -c %s "$1.raw")" = 176400 ] && sox -t raw -r 44100 -e signed -b 16 -c 1 "$1.raw" -n stat -freq 2>&1 |
    awk '/^Maximum amp/ {a = $3} NF == 2 && $2 > p {p = $2; f = $1}
      END {printf "heard: amplitude %.3f, %.0f Hz\n", a, f >"/dev/stderr"
        printf "%s", (a < 0.01 ? "silence" : a > 0.35 && a < 0.65 && f > 415 && f < 465 ? "tone" : a " " f)}'
}
