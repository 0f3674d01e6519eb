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

# The bi-level card: black, white / white, black.
bw="$tmp/bw.png"
$IM -size 32x24 xc:white -fill black -draw 'rectangle 0,0 15,11' -draw 'rectangle 16,12 31,23' "$bw"

mkdir -p "$out"/{jpeg,gif,bmp,ico,png,tiff,tga,pcx,wbmp,j2k,jbig}
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

$IM "$card" -type TrueColor BMP3:"$out/bmp/card24.bmp"
$IM "$card" -type palette BMP3:"$out/bmp/card4.bmp"
$IM "$card" -type palette -compress RLE BMP3:"$out/bmp/card8_rle.bmp"
$IM "$bw" -type bilevel BMP3:"$out/bmp/bw1.bmp"
$IM "$card" -type TrueColor -define bmp:subtype=RGB565 BMP:"$out/bmp/card16_565.bmp"
$IM "$card" -type TrueColorAlpha BMP:"$out/bmp/card32.bmp"

$IM "$card" -type TrueColor "$out/ico/card.ico"
$IM "$card" \( -clone 0 -resize 16x12 \) "$out/ico/card_two_sizes.ico"

$IM "$card" PNG24:"$out/png/rgb.png"
$IM "$card" PNG8:"$out/png/palette.png"
$IM "$card" -colorspace Gray PNG:"$out/png/grey.png"
$IM "$card" -depth 16 PNG48:"$out/png/rgb16.png"
$IM "$card" -transparent white PNG32:"$out/png/alpha.png"
$IM "$card" -transparent white PNG8:"$out/png/palette_trns.png"

$IM "$card" -compress lzw "$out/tiff/card.tif"
$IM "$card" \( "$bw" \) "$out/tiff/two_pages.tif"

# ImageMagick writes TGA rows top first yet marks them bottom-left; flipping the card
# first gives files that show it upright the way the format defines the origin.
$IM "$card" -flip -type TrueColor "$out/tga/card24.tga"
$IM "$card" -flip -type TrueColor -compress RLE "$out/tga/card24_rle.tga"
$IM "$card" -flip -type palette "$out/tga/palette.tga"
$IM "$card" -flip -colorspace Gray -type grayscale "$out/tga/grey.tga"
$IM "$card" -flip -type TrueColorAlpha "$out/tga/card32.tga"

$IM "$card" -type TrueColor "$out/pcx/card24.pcx"
$IM "$card" -type palette "$out/pcx/palette.pcx"
$IM "$bw" -type bilevel "$out/pcx/bw.pcx"

$IM "$bw" "$out/wbmp/bw.wbmp"

$IM "$card" "$out/j2k/card.j2k"
$IM "$card" "$out/j2k/card.jp2"
$IM "$card" -colorspace Gray "$out/j2k/grey.j2k"

$IM "$bw" "$out/jbig/bw.jbg"

# WebP with the format's own tools: lossless (exact), lossy, with alpha, animated (the
# first frame is the card), and turned by an EXIF orientation (6: the stored rows turn
# 90 degrees clockwise; 2: they are mirrored), also with alpha.
mkdir -p "$out/webp"
cwebp -quiet -lossless -exact "$card" -o "$out/webp/card.webp"
cwebp -quiet -q 90 "$card" -o "$out/webp/lossy.webp"
$IM "$card" -transparent white PNG32:"$tmp/alpha.png"
cwebp -quiet -lossless -exact "$tmp/alpha.png" -o "$out/webp/alpha.webp"
$IM -size 32x24 xc:'#ff00ff' "$tmp/magenta.png"
img2webp -lossless -d 200 "$card" "$tmp/magenta.png" -o "$out/webp/animated.webp" >/dev/null
# A little-endian TIFF block holding one entry: orientation (0x0112), SHORT, 1 value.
exif() { printf 'II*\000\010\000\000\000\001\000\022\001\003\000\001\000\000\000'"$1"'\000\000\000\000\000\000\000'; }
exif '\006' >"$tmp/exif6.bin"
exif '\002' >"$tmp/exif2.bin"
$IM "$card" -rotate -90 "$tmp/stored6.png"
cwebp -quiet -lossless -exact -metadata exif "$tmp/stored6.png" -o "$tmp/stored6.webp"
webpmux -set exif "$tmp/exif6.bin" "$tmp/stored6.webp" -o "$out/webp/orientation6.webp" >/dev/null
$IM "$card" -flop "$tmp/stored2.png"
cwebp -quiet -lossless -exact "$tmp/stored2.png" -o "$tmp/stored2.webp"
webpmux -set exif "$tmp/exif2.bin" "$tmp/stored2.webp" -o "$out/webp/orientation2.webp" >/dev/null
$IM "$tmp/alpha.png" -rotate -90 PNG32:"$tmp/alpha6.png"
cwebp -quiet -lossless -exact "$tmp/alpha6.png" -o "$tmp/alpha6.webp"
webpmux -set exif "$tmp/exif6.bin" "$tmp/alpha6.webp" -o "$out/webp/alpha_orientation6.webp" >/dev/null

# HEIF and AVIF, with their own tools.
"$(dirname "${BASH_SOURCE[0]}")/make_heif_avif_inputs.sh"
