#!/usr/bin/env bash
# Regenerates the pictures with colour profiles of tests/inputs/icc/: the profiles
# (make_icc.py, written by lcms2), then a card of four middling colours (none at a channel's
# end, so a change of colour space shows in every channel) stored without a profile and
# with Display P3 or Adobe RGB embedded as-is: ImageMagick assigns a profile to a picture
# that has none without converting its pixels; cwebp keeps the PNG's profile. Run from
# anywhere; the files are committed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$here/../inputs/icc
IM=/usr/bin/convert
mkdir -p "$out"
python3 "$here/make_icc.py" "$out"

png=(-define png:exclude-chunks=date,time)
$IM -size 32x24 xc:'#808080' \
  -fill '#c86432' -draw 'rectangle 0,0 15,11' \
  -fill '#3ca05a' -draw 'rectangle 16,0 31,11' \
  -fill '#2850c8' -draw 'rectangle 0,12 15,23' "${png[@]}" PNG24:"$out/colours.png"
$IM "$out/colours.png" -profile "$out/display_p3.icc" "${png[@]}" PNG24:"$out/display_p3.png"
$IM "$out/colours.png" -quality 95 "$out/colours.jpg"
$IM "$out/colours.png" -profile "$out/display_p3.icc" -quality 95 "$out/display_p3.jpg"
$IM "$out/colours.png" -profile "$out/adobe_rgb.icc" -quality 95 "$out/adobe_rgb.jpg"
$IM "$out/colours.png" -profile "$out/display_p3.icc" -compress lzw "$out/display_p3.tif"
cwebp -quiet -lossless -metadata icc "$out/display_p3.png" -o "$out/display_p3.webp"
# HEIF and AVIF, lossless so the stored colours are the card's: the profile goes in as
# the container's own 'colr' box.
heif-enc -L -p chroma=444 "$out/display_p3.png" -o "$out/display_p3.heic" >/dev/null
avifenc -l -s 8 -j 1 --icc "$out/display_p3.icc" "$out/colours.png" "$out/display_p3.avif" >/dev/null
