#!/usr/bin/env bash
# The same screensaver file played by the Windows runtime (under Wine) and by the Linux
# runtime gives the same frames: both full screen on the tests' virtual display (1024 x
# 768), with the same seed and the show's stepping clock, each capturing the window
# buffer at every pacing point (REELHOST_SEED, REELHOST_STEP_CLOCK, REELHOST_CAPTURE).
# Without captions the frames must be equal pixel for pixel; with captions and a banner
# (drawn by GDI on one side and FreeType on the other, in different fonts) the text must
# stand in the same places.
#
#   same_frames_test.sh REPO TEMPLATE FIXTURE REELHOST WORKDIR
set -euo pipefail

repo=$1 template=$2 fixture=$3 reelhost=$4 work=$5
# shellcheck source=../wine/saver_show_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine/saver_show_steps.sh"
frames=${SAME_FRAMES_COUNT:-240}

# Pictures with detail everywhere, of sizes that are placed, scaled and moved.
$convert -size 800x600 gradient:'#FF8040'-'#204080' -fill '#F0E020' -draw 'circle 400,300 400,120' \
  -quality 90 a.jpg
$convert -size 300x500 plasma:fractal -seed 7 -quality 90 b.jpg 2>/dev/null ||
  $convert -size 300x500 gradient:'#30C030'-'#101060' -quality 90 b.jpg
$convert -size 1600x900 xc:'#4060A0' -fill '#E0E0E0' -draw 'rectangle 100,100 1500,800' \
  -fill '#C03030' -draw 'circle 800,450 800,150' c.gif
common=(--set bg=203040 --set picture_pause=0 --set effect_ms=400 --set move_picture=1 --set auto_adjust=1
        --set shuffle_pic=1 --set keyboard=1 --picture a.jpg --picture b.jpg --picture c.gif)
make_saver plain.scr C0000000000000000000000000000001 "${common[@]}"
make_saver captions.scr C0000000000000000000000000000002 "${common[@]}" \
  --caption 0:7:FFFF00:32:Harbour --caption 1:0:FFFFFF:28:Hills --caption 2:4:00FFFF:40:Centre \
  --banner "A banner"

# capture NAME PLATFORM FILE: the first $frames pacing points into NAME/
capture() {
  local name=$1 platform=$2 file=$3 dir="$work/$1"
  mkdir -p "$dir"
  center_cursor
  if [ "$platform" = windows ]; then
    REELHOST_SEED=1234 REELHOST_STEP_CLOCK=1 REELHOST_CAPTURE="Z:${dir//\//\\}" \
      REELHOST_CAPTURE_FRAMES=$frames REELHOST_CAPTURE_EVERY=40 "$wine_run" "$file" /s >/dev/null 2>&1 &
  else
    REELHOST_SEED=1234 REELHOST_STEP_CLOCK=1 REELHOST_CAPTURE="$dir" REELHOST_CAPTURE_FRAMES=$frames \
      REELHOST_CAPTURE_EVERY=40 SDL_AUDIODRIVER=dummy "$reelhost" --fullscreen "$file" >/dev/null 2>&1 &
  fi
  local pid=$! deadline=$((SECONDS + 120))
  while [ ! -f "$dir/done" ] && [ $SECONDS -le $deadline ] && kill -0 $pid 2>/dev/null; do sleep 0.2; done
  if [ "$platform" = windows ]; then xdotool key Escape; else kill -TERM $pid 2>/dev/null || true; fi
  ends_within $pid 10 >/dev/null || kill -KILL $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  [ -f "$dir/done" ] || { fail "$name: the $platform runtime captured $(wc -l <"$dir/frames.txt" 2>/dev/null || echo 0) of $frames frames"; return 1; }
}

if capture plain_windows windows plain.scr && capture plain_linux linux plain.scr; then
  if cmp -s plain_windows/frames.txt plain_linux/frames.txt; then
    pass "without captions both runtimes give the same $frames frames, pixel for pixel"
  else
    first=$(diff <(cut -d' ' -f2 plain_windows/frames.txt) <(cut -d' ' -f2 plain_linux/frames.txt) | head -1)
    fail "the frames differ (first difference: $first)"
  fi
  distinct=$(cut -d' ' -f2 plain_linux/frames.txt | sort -u | wc -l)
  [ "$distinct" -gt $((frames / 4)) ] && pass "$distinct distinct frames: the effects really ran" ||
    fail "only $distinct distinct frames"
fi

# Caption placement: the text's box on each platform, from the frames with and without
# captions at the same pacing point (the pictures and effects are the same).
# box DIR_WITH DIR_WITHOUT INDEX: "W H X Y" of the pixels that differ
box() {
  $convert "$1/frame-$3.ppm" "$2/frame-$3.ppm" -compose difference -composite -threshold 8% \
    -format '%@\n' info: | tr 'x+' '  '
}
if capture captions_windows windows captions.scr && capture captions_linux linux captions.scr; then
  last=$(printf '%05d' $((frames - 1)))
  read -r ww wh wx wy < <(box captions_windows plain_windows "$last")
  read -r lw lh lx ly < <(box captions_linux plain_linux "$last")
  echo "  text box of frame $last: windows ${ww}x${wh}+${wx}+${wy}, linux ${lw}x${lh}+${lx}+${ly}"
  close() { local d=$(($1 - $2)); [ ${d#-} -le "$3" ]; }
  if [ "${ww:-0}" -gt 0 ] && [ "${lw:-0}" -gt 0 ] && close $((wx + ww / 2)) $((lx + lw / 2)) 40 &&
     close $((wy + wh / 2)) $((ly + lh / 2)) 24 && close "$wy" "$ly" 24; then
    pass "captions and banner stand in the same places on both"
  else
    fail "the text stands elsewhere"
  fi
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
