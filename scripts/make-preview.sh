#!/usr/bin/env bash
# Redraws art/preview.jpg, the launcher's preview picture, from the real renderer: runs Zirel.dll
# on a private Xvfb, takes a screenshot after a few seconds of animation and scales it down to
# the standard preview area of 152 x 112 pixels. Needs a built Zirel.dll (make dist).
#   ZIREL_DIST_DIR        folder holding Zirel.dll (default dist/)
#   ZIREL_WINEPREFIX      Wine prefix to use (default build/preview-prefix)
#   ZIREL_PREVIEW_SECONDS seconds of animation before the screenshot (default 20: the first runs
#                         of the tops are black, and the colours need a while to fade in)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
dist="${ZIREL_DIST_DIR:-$root/dist}"
prefix="${ZIREL_WINEPREFIX:-$root/build/preview-prefix}"
out="$root/art/preview.jpg"
shot="$root/build/preview-screenshot.png"
source "$root/scripts/harness.sh"

[ -f "$dist/Zirel.dll" ] || { echo "make-preview: no $dist/Zirel.dll (run make dist)" >&2; exit 1; }
mkdir -p "$root/build"
zirel_harness_start "$prefix" || exit 1
trap zirel_harness_stop EXIT

wine "$dist/Zirel.dll" &
renderer=$!
window=$(zirel_wait_for_window Vant_VC) ||
  { echo "make-preview: the renderer window did not appear" >&2; kill "$renderer"; exit 1; }
sleep "${ZIREL_PREVIEW_SECONDS:-20}"
import -window root "$shot"
xdotool key --window "$window" space
zirel_wait_gone "$renderer" 5
zirel_stop_pid "$renderer"

# The middle of the screen, where the tops fly, at four times the preview area's size, scaled
# down: small coloured tops on black, as the saver looks from across the room. A little
# sharpening keeps them crisp.
convert "$shot" -gravity center -crop 608x448+0+0 +repage -filter Lanczos -resize '152x112!' \
  -unsharp 0x0.6 -strip -quality 92 "$out" || exit 1
echo "make-preview: wrote art/preview.jpg from $shot"
