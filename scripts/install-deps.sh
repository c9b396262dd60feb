#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are present.
#   scripts/install-deps.sh run    what `make run` needs
#   scripts/install-deps.sh test   what `make test` (and `make bench`) need
#   scripts/install-deps.sh package  what `make package` needs
#   scripts/install-deps.sh linux  what `make run-linux` and `make install-linux` need
set -eu
run_packages=(cmake make g++ g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  binutils-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils xdotool imagemagick libgl1-mesa-dri
  libgl1-mesa-dev libglu1-mesa-dev
  fonts-ipafont-gothic googletest  # googletest: its sources, which the cross build configures
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good)  # what Wine plays MP3 and WAV files with
# The setup program (NSIS) and the zip; the tests install with the setup program too. The Debian
# package of zirel: Debian's packaging tools, its check, and the libraries zirel builds with; the
# tests run XScreenSaver's daemon on the program unpacked from it.
package_packages=("${run_packages[@]}" nsis zip git dpkg-dev debhelper lintian libx11-dev
  libxrandr-dev)
# The sound tests: a private sound server and its tools, and sox and lame for their music files;
# Xephyr for the rows and benchmarks on two monitors.
test_packages=("${package_packages[@]}" libgtest-dev libbenchmark-dev pulseaudio pulseaudio-utils
  sox lame xserver-xephyr)
# zirel, the native X11 display mode: its build (make run-linux, make install-linux), and what its
# tests use besides (XScreenSaver's daemon, a fixed clock for the seed, an XML check).
linux_packages=(cmake make g++ xvfb xauth x11-utils xdotool imagemagick libgl1-mesa-dri
  libgl1-mesa-dev
  libglu1-mesa-dev libx11-dev libxrandr-dev)
test_packages+=(xscreensaver faketime libxml2-utils)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
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
# Package lists on a fresh machine may be stale. Another install running at the same time holds
# dpkg's lock: wait for it rather than fail.
wait_lock=(-o DPkg::Lock::Timeout=600)
$sudo apt-get "${wait_lock[@]}" update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${wait_lock[@]}" install -y -qq \
  --no-install-recommends "${missing[@]}"
