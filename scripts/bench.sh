#!/usr/bin/env bash
# `make bench`: every figure measured side by side in one run on this machine, printed as one
# table and written to build/bench/results.md. Frame rates, start-up and ending are measured
# under Wine on a private Xvfb (1024x768x24, Mesa llvmpipe); the scene's CPU cost on the host.
# Runs of the compared programs are interleaved and the median of ROUNDS is reported, so a busy
# machine slows all of them alike.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
rounds=${ROUNDS:-3}
seconds=${FRAME_SECONDS:-4}
out="$root/build/bench"
mkdir -p "$out"
raw="$out/raw.txt"
: >"$raw"

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else print v[int((NR + 1) / 2)] }'; }
value() { grep -E "^$1 " "$raw" | awk '{ print $2 }' | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0) print "n/a"; else printf "%.3f", a / b }'; }

# --- host: the scene's CPU cost per frame (Google Benchmark)
host_bench="$root/build/host/bench/zirel_scene_bench"
if [ -x "$host_bench" ]; then
  "$host_bench" --benchmark_min_time=0.5 --benchmark_format=console 2>/dev/null | tee "$out/host.txt"
  # Lines: name  time unit  cpu unit  iterations  counters...
  awk '/^BM_/ { t = $4; u = $5; if (u == "us") t *= 1000; if (u == "ms") t *= 1e6; print $1, t }' \
    "$out/host.txt" >>"$raw"
  grep -Eo 'allocs_per_frame=[0-9.]+' "$out/host.txt" | head -n 1 | sed 's/=/ /' >>"$raw"
fi

# --- Wine: frame rates, start-up, ending, memory
source "$root/tests/wine/harness.sh"
zirel_harness_start "$root/build/wineprefix" || exit 1
trap zirel_harness_stop EXIT
bench_exe="$root/build/win/bench/zirel_frame_bench.exe"
scr=$(winepath -w "$root/dist/Zirel.scr")
bench_win=$(winepath -w "$bench_exe")
run() { ZIREL_WINE_TIMEOUT=120 zirel_wine "$bench_exe" "$@" 2>/dev/null | tr -d '\r' | tee -a "$raw"; }

for _ in $(seq 1 "$rounds"); do
  run bare "$seconds"
  run tops "$seconds"
  run scene "$seconds"
done
for _ in $(seq 1 "$rounds"); do
  run startup minimal "$bench_win" firstframe "Zirel first frame"
  run startup saver "$scr" /s
done
for _ in $(seq 1 "$rounds"); do
  run ending "$scr"
done

# --- the table
a=$(value frames_scene); b=$(value frames_tops); c=$(value frames_bare)
frame_ns=$(value BM_SceneFrame/real_time); arith_ns=$(value BM_SceneMotionOnly/real_time)
start_saver=$(value startup_saver); start_min=$(value startup_minimal)
gone=$(value ending_renderer_gone); ended=$(value ending_launcher_ended)
tops_frame_ns=$(awk -v f="$b" 'BEGIN { if (f + 0 == 0) print "n/a"; else printf "%.0f", 1e9 / f }')
cpu_share=$(awk -v s="$frame_ns" -v t="$tops_frame_ns" 'BEGIN { if (t + 0 == 0 || s == "n/a") print "n/a"; else printf "%.2f %%", 100 * s / t }')
per_top=$(awk -v s="$frame_ns" 'BEGIN { if (s == "n/a") print "n/a"; else printf "%.0f", s / 20 }')
imports() { x86_64-w64-mingw32-objdump -p "$1" 2>/dev/null | awk '/DLL Name/ { printf "%s ", $3 }'; }
size() { stat -c %s "$1" 2>/dev/null || echo n/a; }

{
  echo "| # | figure | value | goal | how it was measured |"
  echo "|---|---|---|---|---|"
  echo "| 1a | renderer loop (scene step + draw + swap) | $a frames/s | | zirel_frame_bench scene: RenderFrame + Sleep(0), median of $rounds × ${seconds}s |"
  echo "| 1b | drawing alone (20 display-list tops, fixed transforms) | $b frames/s | | zirel_frame_bench tops: same window, pixel format, lighting |"
  echo "| 1c | bare loop (clear + swap) | $c frames/s | | zirel_frame_bench bare |"
  echo "| 1 | a/b | $(ratio "$a" "$b") | ≥ 0.95 | |"
  echo "| 1 | a/c | $(ratio "$a" "$c") | | |"
  echo "| 2 | scene CPU per frame (host, no-op OpenGL) | $frame_ns ns ($per_top ns per top) | | Google Benchmark BM_SceneFrame |"
  echo "| 2 | motion arithmetic alone per frame | $arith_ns ns | | BM_SceneMotionOnly |"
  echo "| 2 | scene CPU / frame time of 1b | $cpu_share | < 1 % | |"
  echo "| 3 | start-up: Zirel.scr /s to first drawn frame | $start_saver ms | | first non-black pixel in the screen's middle, polled every 2 ms |"
  echo "| 3 | start-up: minimal OpenGL program to first frame | $start_min ms | | zirel_frame_bench firstframe, same poll |"
  echo "| 3 | ratio | $(ratio "$start_saver" "$start_min") | ≤ 1.2 | |"
  echo "| 4 | key press → renderer window gone | $gone ms | ≤ one frame + 50 ms | posted WM_KEYDOWN, FindWindowA polled every 1 ms |"
  echo "| 4 | key press → launcher ended | $ended ms | ≤ gone + 600 ms | WaitForSingleObject polled every 1 ms |"
  echo "| 5 | allocations per frame after set-up | $(value allocs_per_frame) | 0 | host benchmark, counting operator new |"
  echo "| 5 | peak working set, renderer | $(value peak_working_set_renderer) MiB | | GetProcessMemoryInfo after 3 s of running |"
  echo "| 5 | peak working set, launcher | $(value peak_working_set_launcher) MiB | | same |"
  echo "| 5 | size of dist/Zirel.dll | $(size dist/Zirel.dll) bytes | | imports: $(imports dist/Zirel.dll)|"
  echo "| 5 | size of dist/Zirel.scr | $(size dist/Zirel.scr) bytes | | imports: $(imports dist/Zirel.scr)|"
  echo
  echo "Machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(wine --version 2>/dev/null); $(date -u +%Y-%m-%d)."
} >"$out/results.md"
echo
cat "$out/results.md"
