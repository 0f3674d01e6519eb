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
# A grey PNG gives a grey HEVC picture (4:0:0).
$IM "$card" -colorspace Gray -type Grayscale -depth 8 "$tmp/grey.png"
heif -q 90 "$tmp/grey.png" -o "$out/heif/grey.heic"
heif -q 90 -b 10 "$tmp/card16.png" -o "$out/heif/ten_bit.heic"
heif -q 90 -b 12 "$tmp/card16.png" -o "$out/heif/twelve_bit.heic"
for n in 2 3 4 5 6 7 8; do
  # shellcheck disable=SC2086  # the operation is two words
  $IM "$card" ${undo[$n]} PNG24:"$tmp/stored$n.png"
  heif -L -p chroma=444 "$tmp/stored$n.png" -o "$tmp/stored$n.heic"
  $boxes transform "$tmp/stored$n.heic" "$out/heif/orientation$n.heic" "${angle[$n]}" "${mirror[$n]}"
done
# The same at 10 bits, for a quarter turn, a mirroring and both.
for n in 2 6 7; do
  # shellcheck disable=SC2086
  $IM "$card" ${undo[$n]} -depth 16 PNG48:"$tmp/stored$n.png"
  heif -q 90 -b 10 "$tmp/stored$n.png" -o "$tmp/stored$n.heic"
  $boxes transform "$tmp/stored$n.heic" "$out/heif/ten_bit_orientation$n.heic" "${angle[$n]}" "${mirror[$n]}"
done
# An EXIF orientation of 6 on upright rows and no 'irot': the container does not turn it.
$IM "$card" -quality 95 "$tmp/card.jpg"
# segment JPEG MARKER PAYLOAD OUT: the JPEG with one more segment after its start.
segment() {
  python3 - "$@" <<'PY'
import struct, sys
jpeg, marker, payload = open(sys.argv[1], "rb").read(), int(sys.argv[2], 16), open(sys.argv[3], "rb").read()
open(sys.argv[4], "wb").write(jpeg[:2] + bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload + jpeg[2:])
PY
}
{ printf 'Exif\000\000'; cat "$tmp/exif6.bin"; } >"$tmp/exif6.app1"
segment "$tmp/card.jpg" E1 "$tmp/exif6.app1" "$tmp/card_exif6.jpg"
heif -q 95 "$tmp/card_exif6.jpg" -o "$out/heif/exif6_upright.heic"
# An ICC profile of our own (a header that names it a display RGB profile, no tags), kept
# with the picture: from a JPEG's ICC segment for HEIF, given to avifenc for AVIF.
python3 - "$out/avif/profile.icc" <<'PY'
import struct, sys
header = struct.pack(">I4sI4s4s4s12s4s4sI4s4sQI12s4s16s28s", 132, b"none", 0x02100000, b"mntr", b"RGB ", b"XYZ ",
                     bytes(12), b"acsp", b"none", 0, b"none", b"none", 0, 0,
                     struct.pack(">iii", 0xF6D6, 0x10000, 0xD32D), b"none", bytes(16), bytes(28))
open(sys.argv[1], "wb").write(header + struct.pack(">I", 0))
PY
{ printf 'ICC_PROFILE\000\001\001'; cat "$out/avif/profile.icc"; } >"$tmp/icc.app2"
segment "$tmp/card.jpg" E2 "$tmp/icc.app2" "$tmp/card_icc.jpg"
heif -q 95 "$tmp/card_icc.jpg" -o "$out/heif/with_profile.heic"

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
avif -l --icc "$out/avif/profile.icc" "$card" "$out/avif/with_profile.avif"
# EXIF orientation 6: avifenc sets the matching 'irot' from it, so the rows are stored
# turned back once and must come out upright (turned once, not twice). Without the 'irot'
# association, the EXIF orientation alone turns it.
avif -l --exif "$tmp/exif6.bin" "$tmp/stored6.png" "$out/avif/exif6.avif"
$boxes unlink "$out/avif/exif6.avif" "$out/avif/exif6_without_irot.avif" irot
