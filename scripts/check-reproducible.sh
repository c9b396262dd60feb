#!/usr/bin/env bash
# Builds the release files (make package) of the checked-out commit twice, in two clones in
# folders of different names and depths under build/reproducible, one after the other, the second
# in another time zone and with another umask, and compares what each wrote into dist/ file by
# file: one line per file. Fails when a file differs or is missing from one build, when a build
# fails, or when SHA256SUMS does not check.
set -u
cd "$(dirname "$0")/.."
commit=$(git rev-parse HEAD)
work=$PWD/build/reproducible
first=$work/one
second=$work/the/second/build
rm -rf "$work"
mkdir -p "$work"
git diff --quiet HEAD || echo "(changes not committed are left out: the commit is built)"

# build FOLDER: a clone of the commit in FOLDER, and its make package.
build() {
  echo "building $commit in $1 at $(date -u +%H:%M:%S)"
  git clone -q --no-checkout "$PWD" "$1" && git -C "$1" checkout -q "$commit" &&
    make -C "$1" package >"$1.log" 2>&1 && (cd "$1/dist" && sha256sum --quiet -c SHA256SUMS) ||
    { tail -n 20 "$1.log"; echo "the build in $1 failed: $1.log"; return 1; }
}

build "$first" || exit 1
(umask 0002 && TZ=Asia/Tokyo build "$second") || exit 1
failed=0
for name in $( (ls "$first/dist"; ls "$second/dist") | sort -u); do
  if result=$(cmp "$first/dist/$name" "$second/dist/$name" 2>&1); then
    echo "same     $name"
  else
    echo "DIFFERS  $name: ${result##*differ: }"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && rm -rf "$work"
exit "$failed"
