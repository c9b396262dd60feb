#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are present.
#   scripts/install-deps.sh run    what `make run` needs
#   scripts/install-deps.sh test   what `make test` (and `make bench`) need
#   scripts/install-deps.sh linux  what `make run-linux` and `make install-linux` need
set -eu
run_packages=(cmake make g++ g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils xdotool imagemagick libgl1-mesa-dri libgl1-mesa-dev libglu1-mesa-dev
  fonts-ipafont-gothic)
test_packages=("${run_packages[@]}" googletest libgtest-dev libbenchmark-dev)
# zirel, the native X11 display mode: its build (make run-linux, make install-linux), and what its
# tests use besides (XScreenSaver's daemon, a fixed clock for the seed, an XML check).
linux_packages=(cmake make g++ xvfb xauth x11-utils xdotool imagemagick libgl1-mesa-dri libgl1-mesa-dev
  libglu1-mesa-dev libx11-dev libxrandr-dev)
test_packages+=(libx11-dev libxrandr-dev xscreensaver faketime libxml2-utils)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  linux) wanted=("${linux_packages[@]}") ;;
  *) wanted=("${test_packages[@]}") ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
# Package lists on a fresh machine may be stale.
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
