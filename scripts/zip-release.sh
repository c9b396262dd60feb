#!/usr/bin/env bash
# zip-release.sh ZIP FILE...: the zip of FILE..., each by its name alone, that two builds of one
# commit write byte for byte the same: every entry dated SOURCE_DATE_EPOCH (default: the commit's
# time) in UTC, with the same permissions and no extra fields (zip -X).
set -eu
zip=$(realpath "$1")
shift
when=${SOURCE_DATE_EPOCH:-$(git -C "$(dirname "$0")" log -1 --format=%ct)}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$@" "$stage"
cd "$stage"
chmod 644 ./*
touch -d "@$when" ./*
rm -f "$zip"
TZ=UTC zip -q -X "$zip" "${@##*/}"
