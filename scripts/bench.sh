#!/usr/bin/env bash
# `make bench`: every figure measured side by side in one run on this machine, printed as one
# table and written to build/bench/results.md. Frame rates, start-up and ending are measured
# under Wine on a private Xvfb (1024x768x24, Mesa llvmpipe), beside them the native zirel's frame
# rate on the same Xvfb; the scene's CPU cost on the host.
# Runs of the compared programs are interleaved, ROUNDS times, so a busy machine slows all of them
# alike; frame rates report the best run, times the median.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rounds=${ROUNDS:-5}
frames=${FRAMES:-3000}
out="$root/build/bench"
mkdir -p "$out"
raw="$out/raw.txt"
: >"$raw"

median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else print v[int((NR + 1) / 2)] }'
}
value() { grep -E "^$1 " "$raw" | awk '{ print $2 }' | median; }
# Frame rates: the best run. Others only ever slow a run down (two shared cores, llvmpipe's own
# threads), so the fastest of several is the least disturbed.
best() { grep -E "^$1 " "$raw" | awk '{ print $2 }' | sort -g | tail -n 1; }
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0) print "n/a"; else printf "%.3f", a / b }'
}

# --- host: the scene's CPU cost per frame (Google Benchmark)
host_bench="$root/build/host/bench/zirel_scene_bench"
if [ -x "$host_bench" ]; then
  "$host_bench" --benchmark_min_time=0.5 --benchmark_format=console 2>/dev/null |
    tee "$out/host.txt"
  # Lines: name  time unit  cpu unit  iterations  counters...
  awk '/^BM_/ { t = $4; u = $5; if (u == "us") t *= 1000; if (u == "ms") t *= 1e6; print $1, t }' \
    "$out/host.txt" >>"$raw"
  grep -Eo 'allocs_per_frame=[0-9.]+' "$out/host.txt" | head -n 1 | sed 's/=/ /' >>"$raw"
fi
# zirel's paced loop with the recording OpenGL: how steady the frames' starts are.
"$root/build/host/bench/zirel_pacing_bench" "${PACING_SECONDS:-10}" | tee -a "$raw"

# --- Wine: frame rates, start-up, ending, memory
source "$root/scripts/harness.sh"
zirel_harness_start "$root/build/wineprefix" || exit 1
trap zirel_harness_stop EXIT
bench_exe="$root/build/win/bench/zirel_frame_bench.exe"
scr=$(winepath -w "$root/dist/Zirel.scr")
dll=$(winepath -w "$root/dist/Zirel.dll")
bench_win=$(winepath -w "$bench_exe")
run() {
  ZIREL_WINE_TIMEOUT=120 zirel_wine "$bench_exe" "$@" 2>/dev/null | tr -d '\r' | tee -a "$raw"
}

for _ in $(seq 1 "$rounds"); do
  run bare "$frames"
  run tops "$frames"
  run scene "$frames"
done
# --- paced against unpaced: frames per second and CPU-seconds per second of running.
# Both frame rates come from Wine's fps channel, which reports "@ approx N.NNfps" from
# wglSwapBuffers (our wglSwapLayerBuffers of the main plane goes through it); the CPU from
# utime + stime in /proc/PID/stat of the Wine process started here (the program itself after
# exec, llvmpipe's threads included), between two reads SECS seconds apart after a warm-up.
secs=${PACED_SECONDS:-10}
hz=$(getconf CLK_TCK)
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }'; }
# measure LABEL PROGRAM ARGS...: prints "cpu_LABEL" and "fps_LABEL" lines into the raw figures.
measure() {
  local label=$1 log="$out/fps_$1.log" pid t0 t1 c0 c1
  shift
  WINEDEBUG=-all,+fps wine "$@" >/dev/null 2>"$log" &
  pid=$!
  sleep 3  # start-up and the first frames are not running
  if ! ps -o args= -p "$pid" | grep -qiE 'zirel'; then
    echo "cpu_$label error: process $pid is not the program ($(ps -o args= -p "$pid"))" |
      tee -a "$raw"
  fi
  c0=$(cpu_ticks "$pid"); t0=$(date +%s.%N)
  : >"$log.mark"
  sleep "$secs"
  c1=$(cpu_ticks "$pid"); t1=$(date +%s.%N)
  zirel_stop_pid "$pid"
  timeout 20 wineserver -w
  awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$hz" -v l="$label" \
    'BEGIN { if (a == "" || b == "") print "cpu_" l " n/a"
             else printf "cpu_%s %.3f cpu-s/s\n", l, (b - a) / hz / (e - s) }' | tee -a "$raw"
  # The fps lines after the first two (start-up), median of the rest.
  grep -Eo 'approx [0-9.]+fps' "$log" | tr -dc '0-9.\n' | tail -n +3 | median |
    awk -v l="$label" '{ print "fps_" l, $1 }' | tee -a "$raw"
}
# zirel, the native X11 display mode, on the same Xvfb in a window of its own grown to the screen
# (as Zirel.dll's covers it; drawing into the root window itself costs Mesa more) at its own pace:
# frames per second from Mesa's frame counter (GALLIUM_HUD=fps, written to a file every half
# second), the same median over the same seconds; the CPU as above.
measure_native() {
  local dir="$out/native_fps" pid c0 c1 t0 t1 skip
  rm -rf "$dir"
  mkdir -p "$dir"
  GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_DUMP_DIR="$dir" "$root/build/host/zirel" &
  pid=$!
  sleep 1
  xdotool search --name '^Zirel$' windowsize %1 1024 768
  sleep 2
  skip=$(wc -l <"$dir/fps" 2>/dev/null || echo 0)
  c0=$(cpu_ticks "$pid"); t0=$(date +%s.%N)
  sleep "$secs"
  c1=$(cpu_ticks "$pid"); t1=$(date +%s.%N)
  zirel_stop_pid "$pid"
  awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$hz" \
    'BEGIN { if (a == "" || b == "") print "cpu_native n/a"
             else printf "cpu_native %.3f cpu-s/s\n", (b - a) / hz / (e - s) }' | tee -a "$raw"
  tail -n +$((skip + 1)) "$dir/fps" 2>/dev/null | median |
    awk '{ printf "fps_native %.2f\n", $1 }' | tee -a "$raw"
}
for _ in $(seq 1 "$rounds"); do
  measure paced "$dll"
  measure unpaced "$bench_exe" scene 100000000
  measure_native
done

# --- nobody sees the frames: the CPU they still take. cpu_seconds LABEL PID: utime + stime of
# process PID per second over `secs`, as "cpu_LABEL".
cpu_seconds() {
  local c0 c1 t0 t1
  c0=$(cpu_ticks "$2"); t0=$(date +%s.%N)
  sleep "$secs"
  c1=$(cpu_ticks "$2"); t1=$(date +%s.%N)
  awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$hz" -v l="$1" \
    'BEGIN { if (a == "" || b == "") print "cpu_" l " n/a"
             else printf "cpu_%s %.4f cpu-s/s\n", l, (b - a) / hz / (e - s) }' | tee -a "$raw"
}
# zirel in its own window: unmapped, then mapped again under a window that covers it wholly.
"$root/build/host/zirel" &
pid=$!
window=$(zirel_wait_for_window Zirel 5)
sleep 2
xdotool windowunmap "$window"
sleep 1
cpu_seconds native_unmapped "$pid"
xdotool windowmap "$window"
xev -geometry 900x700+0+0 >/dev/null &
cover=$!
sleep 1
cpu_seconds native_covered "$pid"
zirel_stop_pid "$cover"
zirel_stop_pid "$pid"
# Zirel.dll told that the display went off, as Windows tells it, then on again.
wine "$dll" >/dev/null 2>&1 &
pid=$!
sleep 3
run display off
sleep 1
cpu_seconds display_off "$pid"
run display on
sleep 1
cpu_seconds display_on_again "$pid"
zirel_stop_pid "$pid"
timeout 20 wineserver -w
# Zirel.dll's own wait between frames, under Wine.
run pacing "${PACING_SECONDS:-10}"

# --- one monitor against two, unpaced: the renderer's frame drawn into every monitor's view, on
# the same kind of server (Xephyr with one screen, then with two), beside one monitor on Xvfb.
# monitors SERVER: the figure named SERVER_monitorsN (N monitors).
monitors() {
  for _ in $(seq 1 "$rounds"); do
    ZIREL_WINE_TIMEOUT=120 zirel_wine "$bench_exe" monitors "$frames" 2>/dev/null | tr -d '\r' |
      sed "s/^frames_/$1_/" | tee -a "$raw"
  done
}
monitors xvfb
saved_display=$DISPLAY
zirel_monitors 1024x768 || exit 1
monitors xephyr
zirel_two_monitors || exit 1
monitors xephyr
timeout 20 wineserver -k
timeout 20 wineserver -w
export DISPLAY=$saved_display

for _ in $(seq 1 "$rounds"); do
  run startup minimal "$bench_win" firstframe "Zirel first frame"
  run startup renderer "$dll"
  run startup saver "$scr" /s
done
# NOTE: Xvfb runs no window manager, and Wine's X11 driver waits up to 2 s for one to confirm
# that a managed (full-screen) window is withdrawn. The ending is measured with Wine told not to
# hand windows to a window manager, as on a desktop where one answers at once; one run with
# Wine's default shows that wait.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
for _ in $(seq 1 "$rounds"); do
  run ending renderer "$dll"
  run ending saver "$scr" /s
done
wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
run ending managed "$scr" /s

# --- the table
paced_fps=$(value fps_paced); unpaced_fps=$(value fps_unpaced)
paced_cpu=$(value cpu_paced); unpaced_cpu=$(value cpu_unpaced)
native_fps=$(value fps_native); native_cpu=$(value cpu_native)
refresh=60  # Xvfb with RandR reports 0 Hz, which the renderer takes as 60
m0=$(best xvfb_monitors1); m1=$(best xephyr_monitors1); m2=$(best xephyr_monitors2)
a=$(best frames_scene); b=$(best frames_tops); c=$(best frames_bare)
steps_wine=$(value scene_steps_wine)
frame_ns=$(value BM_SceneFrame/real_time); arith_ns=$(value BM_SceneMotionOnly/real_time)
start_saver=$(value startup_saver); start_renderer=$(value startup_renderer)
start_min=$(value startup_minimal)
tops_frame_ns=$(awk -v f="$b" 'BEGIN { if (f + 0 == 0) print "n/a"; else printf "%.0f", 1e9 / f }')
cpu_share=$(awk -v s="$frame_ns" -v t="$tops_frame_ns" \
  'BEGIN { if (t + 0 == 0 || s == "n/a") print "n/a"; else printf "%.2f %%", 100 * s / t }')
wine_share=$(awk -v s="$steps_wine" -v t="$tops_frame_ns" \
  'BEGIN { if (t + 0 == 0 || s == "n/a") print "n/a"; else printf "%.2f %%", 100 * s * 1000 / t }')
per_top=$(awk -v s="$frame_ns" 'BEGIN { if (s == "n/a") print "n/a"; else printf "%.0f", s / 20 }')
imports() {
  x86_64-w64-mingw32-objdump -p "$1" 2>/dev/null | awk '/DLL Name/ { printf "%s ", $3 }'
}
size() { stat -c %s "$1" 2>/dev/null || echo n/a; }
# row NUMBER FIGURE VALUE GOAL HOW...: one line of the table, HOW's words joined by blanks.
row() { echo "| $1 | $2 | $3 | $4 | ${*:5} |"; }

{
  echo "| # | figure | value | goal | how it was measured |"
  echo "|---|---|---|---|---|"
  row "1a" "renderer loop (scene step + draw + swap)" "$a frames/s" "" \
    "zirel_frame_bench scene: RenderFrame + Sleep(0), $frames frames, best of $rounds"
  row "1b" "drawing alone (the same 20 display-list calls under the same transforms)" \
    "$b frames/s" "" \
    "zirel_frame_bench tops: poses of the same seeded scene recorded first, then replayed;" \
    "same window, pixel format, lighting"
  echo "| 1c | bare loop (clear + swap) | $c frames/s | | zirel_frame_bench bare |"
  row "1" "a/b" "$(ratio "$a" "$b")" "≥ 0.95" "runs interleaved: bare, tops, scene × $rounds"
  echo "| 1 | a/c | $(ratio "$a" "$c") | | |"
  row "1" "the scene's own work under Wine" "$steps_wine µs/frame ($wine_share of a 1b frame)" "" \
    "path and top steps timed inside zirel_frame_bench"
  row "1d" "paced renderer: shipped Zirel.dll" "$paced_fps frames/s" \
    "within 5 % of $refresh ($(ratio "$paced_fps" "$refresh") of it)" \
    "Wine's fps channel (WINEDEBUG=+fps, from wglSwapBuffers), median of the per-second" \
    "reports over ${secs} s after 3 s, median of $rounds runs"
  row "1d" "CPU of the paced renderer" "$paced_cpu CPU-s/s" "" \
    "utime + stime from /proc/PID/stat of the Wine process, over the same ${secs} s"
  row "1d" "CPU of the unpaced loop (zirel_frame_bench scene)" \
    "$unpaced_cpu CPU-s/s at $unpaced_fps frames/s" "" "same, same time, same fps channel"
  row "1d" "paced / unpaced CPU" "$(ratio "$paced_cpu" "$unpaced_cpu")" "≤ 0.125" \
    "runs interleaved: paced, unpaced × $rounds"
  row "1f" "paced renderer natively: zirel (X11/GLX), its window grown to 1024x768" \
    "$native_fps frames/s" "within 5 % of $refresh ($(ratio "$native_fps" "$refresh") of it)" \
    "Mesa's frame counter (GALLIUM_HUD=fps dumped every 0.5 s), median over ${secs} s after" \
    "3 s, median of $rounds runs interleaved with 1d"
  row "1f" "CPU of zirel / of Zirel.dll under Wine" \
    "$native_cpu / $paced_cpu CPU-s/s ($(ratio "$native_cpu" "$paced_cpu"))" "" \
    "utime + stime from /proc/PID/stat, over the same ${secs} s"
  row "1e" "one monitor (1024x768) on Xvfb: frame on every monitor" "$m0 frames/s" "" \
    "zirel_frame_bench monitors: window over the virtual screen, LayOutDisplay +" \
    "RenderFrameOnMonitors + Sleep(0), unpaced, $frames frames, best of $rounds"
  row "1e" "one monitor (1024x768) on Xephyr" "$m1 frames/s" "" \
    "same, Xephyr with one screen in an Xvfb"
  row "1e" "two monitors (1024x768 + 800x600) on Xephyr with Xinerama" "$m2 frames/s" "" \
    "same, the same Xephyr with two screens"
  row "1e" "two monitors' frame time / one's, both on Xephyr" "$(ratio "$m1" "$m2")" "≤ 2.1"
  row "1g" "paced loop, zirel's wait (host, recording OpenGL): 99th percentile of an interval's" \
    "distance from the period, at 60 / 59.94 Hz" \
    "$(value pacing_linux_60) / $(value pacing_linux_59.94) µs" "≤ 1000 µs" \
    "zirel_pacing_bench: FramePacer over CLOCK_MONOTONIC and ppoll, the scene's frame into" \
    "the recording OpenGL, ${PACING_SECONDS:-10} s at each rate"
  row "1g" "the same, Zirel.dll's wait under Wine (high-resolution waitable timer), no drawing" \
    "$(value pacing_wine_60) / $(value pacing_wine_59.94) µs" "≤ 1000 µs" \
    "zirel_frame_bench pacing: Win32FramePacing + FramePacer, same seconds"
  row "1h" "CPU of zirel while its window is unmapped / wholly covered by another" \
    "$(value cpu_native_unmapped) / $(value cpu_native_covered) CPU-s/s" "≤ 0.01" \
    "utime + stime from /proc/PID/stat over ${secs} s; xdotool windowunmap, then an xev" \
    "window over it"
  row "1h" "CPU of Zirel.dll with the display off / on again" \
    "$(value cpu_display_off) / $(value cpu_display_on_again) CPU-s/s" "≤ 0.01 while off" \
    "same; WM_POWERBROADCAST (GUID_CONSOLE_DISPLAY_STATE 0, then 1) sent to its window as" \
    "Windows sends it (zirel_frame_bench display off/on)"
  row "2" "scene CPU per frame (host, no-op OpenGL)" "$frame_ns ns ($per_top ns per top)" "" \
    "Google Benchmark BM_SceneFrame"
  echo "| 2 | motion arithmetic alone per frame | $arith_ns ns | | BM_SceneMotionOnly |"
  echo "| 2 | scene CPU / frame time of 1b | $cpu_share | < 1 % | |"
  row "3" "start-up: Zirel.scr /s to first drawn frame" "$start_saver ms" "" \
    "first non-black pixel anywhere on the screen, polled every 2 ms (a capture takes a few" "ms)"
  echo "| 3 | start-up: Zirel.dll alone to first drawn frame | $start_renderer ms | | same |"
  row "3" "start-up: minimal OpenGL program to first frame" "$start_min ms" "" \
    "zirel_frame_bench firstframe, same poll"
  echo "| 3 | ratio Zirel.scr / minimal | $(ratio "$start_saver" "$start_min") | ≤ 1.2 | |"
  echo "| 3 | ratio Zirel.dll / minimal | $(ratio "$start_renderer" "$start_min") | | |"
  row "4" "key press → renderer window gone" "$(value ending_saver_window_gone) ms" \
    "≤ one frame + 50 ms" \
    "posted WM_KEYDOWN, FindWindowA polled every 1 ms (Wine not waiting for a window" "manager)"
  row "4" "key press → launcher ended" "$(value ending_saver_process_ended) ms" \
    "≤ gone + 600 ms" \
    "WaitForSingleObject polled every 1 ms"
  echo "| 4 | key press → Zirel.dll alone ended | $(value ending_renderer_process_ended) ms | | |"
  row "4" "the same run with Wine's default window handling: window gone / launcher ended" \
    "$(value ending_managed_window_gone) / $(value ending_managed_process_ended) ms" "" \
    "includes Wine's 2 s wait for a window manager that Xvfb lacks"
  row "5" "allocations per frame after set-up" "$(value allocs_per_frame)" "0" \
    "host benchmark, counting operator new"
  row "5" "peak working set, renderer" "$(value peak_working_set_renderer) MiB" "" \
    "GetProcessMemoryInfo after 3 s of running"
  echo "| 5 | peak working set, launcher | $(value peak_working_set_launcher) MiB | | same |"
  row "5" "size of dist/Zirel.dll" "$(size dist/Zirel.dll) bytes" "" \
    "imports: $(imports dist/Zirel.dll)"
  delayed=$(sed -nE 's/.*zirel_delay_import\(([a-z0-9]+) .*/\1.dll/p' CMakeLists.txt | tr '\n' ' ')
  row "5" "size of dist/Zirel.scr" "$(size dist/Zirel.scr) bytes" "" \
    "imports: $(imports dist/Zirel.scr); on first use: $delayed"
  echo
  memory=$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
  processor=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')
  echo "Machine: $(nproc) cores, $memory, $processor; $(wine --version 2>/dev/null);" \
    "$(date -u +%F)."
} >"$out/results.md"
echo
cat "$out/results.md"
