#!/bin/sh
# Cross-check of `terrava-tool archive pack`: packs a generated tree twice
# (the bytes must be identical), has the third-party readers lsar and unar
# test and extract it, extracts it again with terrava-tool's own reader, and
# compares both extractions with the tree byte for byte.
# Usage: pack_cross_check.sh TERRAVA_TOOL WORK_DIR. Exit 77 = skipped.
set -eu
tool=$1
work=$2

for reader in unar lsar; do
  if ! command -v "$reader" >/dev/null 2>&1; then
    echo "skipped: $reader is not installed (scripts/setup.sh installs unar)"
    exit 77
  fi
done

rm -rf "$work"
tree=$work/tree
mkdir -p "$tree/meshes" "$tree/textures/Sub Dir" "$tree/empty folder"
printf 'textures\\planet05.jpg\r\nEND_TEXT\r\n' >"$tree/texture.txt"
: >"$tree/empty.txt"
i=0
while [ $i -lt 256 ]; do
  printf "\\$(printf %03o $i)"
  i=$((i + 1))
done >"$tree/textures/PLANET05.JPG"
seq 1 30000 >"$tree/meshes/sphere.dat"
printf 'spaces and case\n' >"$tree/textures/Sub Dir/Mixed Case.TXT"

"$tool" archive pack "$tree" "$work/first.rar"
"$tool" archive pack --method stored "$tree" "$work/second.rar"
cmp "$work/first.rar" "$work/second.rar"

lsar -t "$work/first.rar"
unar -q -nr -D -o "$work/unar" "$work/first.rar"
diff -r "$tree" "$work/unar"

"$tool" archive extract "$work/first.rar" "$work/own"
diff -r "$tree" "$work/own"
echo "cross-check passed"
