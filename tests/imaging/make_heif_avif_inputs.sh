#!/usr/bin/env bash
# The HEIF and AVIF samples of tests/inputs/heif and tests/inputs/avif, made from the test
# card (see make_inputs.sh, which runs this) with the formats' own tools: heif-enc
# (libheif-examples, HEVC by x265) and avifenc (libavif-bin). Their encoders cannot be
# asked for every rotation and mirroring, so iso_boxes.py adds those properties to files
# whose stored rows are the card turned back. The files are committed.
set -euo pipefail
IM=/usr/bin/convert
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$(cd "$here/../inputs" && pwd)
boxes="python3 $here/iso_boxes.py"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out/heif" "$out/avif"

card="$tmp/card.png"
$IM -size 32x24 xc:white \
  -fill '#ff0000' -draw 'rectangle 0,0 15,11' \
  -fill '#00ff00' -draw 'rectangle 16,0 31,11' \
  -fill '#0000ff' -draw 'rectangle 0,12 15,23' -depth 8 PNG24:"$card"
$IM "$card" -depth 16 PNG48:"$tmp/card16.png"
$IM "$card" -transparent white PNG32:"$tmp/alpha.png"

# The stored rows of an EXIF orientation N: the card turned back by it.
declare -A undo=([2]=-flop [3]="-rotate 180" [4]=-flip [5]=-transpose [6]="-rotate -90" [7]=-transverse [8]="-rotate 90")
# The container's rotation (x 90 degrees anticlockwise) and mirroring (0: top and bottom,
# 1: left and right, -: none) that turn those rows upright, rotation first.
declare -A angle=([2]=0 [3]=2 [4]=0 [5]=1 [6]=3 [7]=1 [8]=1)
declare -A mirror=([2]=1 [3]=- [4]=0 [5]=0 [6]=- [7]=1 [8]=-)
# A little-endian TIFF block holding one entry: orientation (0x0112), SHORT, 1 value.
exif() { printf 'II*\000\010\000\000\000\001\000\022\001\003\000\001\000\000\000'"$1"'\000\000\000\000\000\000\000'; }
exif '\006' >"$tmp/exif6.bin"

# HEIF: lossy (4:2:0), near-lossless 4:4:4, with alpha, 10 and 12 bits, every orientation.
heif() { heif-enc "$@" >/dev/null; }
heif -q 90 "$card" -o "$out/heif/card.heic"
heif -L -p chroma=444 "$card" -o "$out/heif/card444.heif"
heif -q 90 "$tmp/alpha.png" -o "$out/heif/alpha.heic"
heif -q 90 -b 10 "$tmp/card16.png" -o "$out/heif/ten_bit.heic"
heif -q 90 -b 12 "$tmp/card16.png" -o "$out/heif/twelve_bit.heic"
for n in 2 3 4 5 6 7 8; do
  # shellcheck disable=SC2086  # the operation is two words
  $IM "$card" ${undo[$n]} PNG24:"$tmp/stored$n.png"
  heif -L -p chroma=444 "$tmp/stored$n.png" -o "$tmp/stored$n.heic"
  $boxes transform "$tmp/stored$n.heic" "$out/heif/orientation$n.heic" "${angle[$n]}" "${mirror[$n]}"
done
# An EXIF orientation of 6 on upright rows and no 'irot': the container does not turn it.
$IM "$card" -quality 95 "$tmp/card.jpg"
python3 - "$tmp/card.jpg" "$tmp/exif6.bin" "$tmp/card_exif6.jpg" <<'PY'
import struct, sys
jpeg, exif = open(sys.argv[1], "rb").read(), b"Exif\0\0" + open(sys.argv[2], "rb").read()
open(sys.argv[3], "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(exif) + 2) + exif + jpeg[2:])
PY
heif -q 95 "$tmp/card_exif6.jpg" -o "$out/heif/exif6_upright.heic"

# AVIF: lossless, lossy 4:2:0, with alpha, 10 and 12 bits, every orientation.
avif() { avifenc -s 8 -j 1 "$@" >/dev/null; }
avif -l "$card" "$out/avif/card.avif"
avif -d 8 -y 420 --min 8 --max 8 "$card" "$out/avif/lossy.avif"
avif -l "$tmp/alpha.png" "$out/avif/alpha.avif"
avif -d 10 -y 444 --min 4 --max 4 "$card" "$out/avif/ten_bit.avif"
avif -d 12 -y 444 --min 4 --max 4 "$card" "$out/avif/twelve_bit.avif"
for n in 2 3 4 5 6 7 8; do
  # shellcheck disable=SC2086
  $IM "$card" ${undo[$n]} PNG24:"$tmp/stored$n.png"
  if [ "${mirror[$n]}" = - ]; then
    avif -l --irot "${angle[$n]}" "$tmp/stored$n.png" "$out/avif/orientation$n.avif"
  elif [ "${angle[$n]}" = 0 ]; then
    avif -l --imir "${mirror[$n]}" "$tmp/stored$n.png" "$out/avif/orientation$n.avif"
  else
    avif -l --irot "${angle[$n]}" --imir "${mirror[$n]}" "$tmp/stored$n.png" "$out/avif/orientation$n.avif"
  fi
done
# EXIF orientation 6: avifenc sets the matching 'irot' from it, so the rows are stored
# turned back once and must come out upright (turned once, not twice). Without the 'irot'
# association, the EXIF orientation alone turns it.
avif -l --exif "$tmp/exif6.bin" "$tmp/stored6.png" "$out/avif/exif6.avif"
$boxes unlink "$out/avif/exif6.avif" "$out/avif/exif6_without_irot.avif" irot
