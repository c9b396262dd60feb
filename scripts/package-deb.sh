#!/usr/bin/env bash
# package-deb.sh [FOLDER]: the Debian package of zirel, built the way Debian builds packages
# (dpkg-buildpackage, debian/) from a private copy of the tracked files in build/deb (it writes
# beside the folder it builds), there as build/deb/zirel_<version>-1_<arch>.deb, checked by
# lintian (no error, no warning) and copied into FOLDER. Its dates come from SOURCE_DATE_EPOCH
# (default: the commit's time).
set -eu
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Zirel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
if [ "$packaged" != "$version-1" ]; then
  echo "debian/changelog is at $packaged, CMakeLists.txt at $version: add a changelog entry" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export DEB_BUILD_OPTIONS="parallel=$(nproc)"
work=build/deb
source=$work/zirel-$version
rm -rf "$work"
mkdir -p "$source"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$source"
(cd "$source" && dpkg-buildpackage -b -us -uc)
deb=zirel_$version-1_$(dpkg --print-architecture).deb
lintian --fail-on error,warning "$work/$deb"
# Its files where XScreenSaver, man and a user look for them.
listing=$(dpkg-deb -c "$work/$deb")
for file in usr/libexec/xscreensaver/zirel usr/share/xscreensaver/config/zirel.xml \
  usr/share/man/man6/zirel.6.gz usr/share/doc/zirel/copyright; do
  grep -q " \./$file\$" <<<"$listing" || { echo "$deb lacks /$file" >&2; exit 1; }
done
[ -z "${1:-}" ] || cp "$work/$deb" "$1"
