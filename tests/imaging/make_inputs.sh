#!/usr/bin/env bash
# Regenerates the sample pictures of tests/inputs/ with ImageMagick. The pictures are our
# own: a 32x24 test card of four quadrants (red, green / blue, white), in every format
# and variant the tests read. Run from anywhere; the files are committed.
set -euo pipefail
IM=/usr/bin/convert
out=$(cd "$(dirname "${BASH_SOURCE[0]}")/../inputs" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

card="$tmp/card.png"
$IM -size 32x24 xc:white \
  -fill '#ff0000' -draw 'rectangle 0,0 15,11' \
  -fill '#00ff00' -draw 'rectangle 16,0 31,11' \
  -fill '#0000ff' -draw 'rectangle 0,12 15,23' "$card"

mkdir -p "$out"/{jpeg,gif}
$IM "$card" -quality 90 "$out/jpeg/card.jpg"
$IM "$card" -quality 90 -interlace JPEG "$out/jpeg/progressive.jpg"
$IM "$card" -colorspace Gray -quality 90 "$out/jpeg/grey.jpg"
$IM "$card" -colorspace CMYK -quality 90 "$out/jpeg/cmyk.jpg"
# A JPEG whose name says BMP: detection must read the content.
cp "$out/jpeg/card.jpg" "$out/jpeg/really_jpeg.bmp"

$IM "$card" "$out/gif/card.gif"
$IM "$card" -interlace GIF "$out/gif/interlaced.gif"
# White is the transparent colour.
$IM "$card" -transparent white "$out/gif/transparent.gif"
