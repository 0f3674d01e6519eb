#!/usr/bin/env bash
# A made screensaver whose payload is damaged (a bad download, a disk error), under Wine
# on the virtual display: screensavers made from the shipped runtime template, then
# damaged entry by entry with the resource editor, run full screen. The show skips what
# it cannot use and goes on: it never crashes or hangs, keeps presenting the good
# pictures and playing the good tracks, and ends normally on a key press. Only a
# configuration record of the wrong size ends the program at once.
#
#   damaged_show_test.sh REPO TEMPLATE FIXTURE WORKDIR
set -euo pipefail

repo=$1 template=$2 fixture=$3 work=$4
# shellcheck source=saver_show_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/saver_show_steps.sh"

# 512 x 384 pictures: on the 1024 x 768 screen they keep their size, centred at (256, 192).
$convert -size 512x384 xc:'#FF0000' red.gif
$convert -size 512x384 xc:'#0000FF' -quality 90 blue.jpg
$convert -size 512x384 xc:'#FFFF00' -quality 90 yellow.jpg
$convert -size 512x384 xc:'#FF00FF' magenta.gif
for _ in $(seq 64); do echo "These bytes are no picture at all."; done > not_a_picture.txt
half() { echo $(($(stat -c %s "$1") / 2)); }

common=(--set bg=00FF00 --set picture_pause=2 --set effect_ms=200 --set move_picture=0
        --set auto_adjust=1 --set shuffle_pic=0 --set keyboard=1 --set mouse_move=0)
centre=(512 384)
# whole PICTURE_COLOUR: the centre and the four corners of the picture, and the background;
# once they all match, the transition that brought the picture in is over.
whole() { echo 512 384 "$1" 262 198 "$1" 762 198 "$1" 262 570 "$1" 762 570 "$1" 100 100 00FF00; }
# caption_pixels SHOT: yellow caption pixels in the bottom centre, where position 7 goes
caption_pixels() { count "$1" 400 60 312 655 FFFF00; }
# until_shot NAME SECONDS CHECK...: takes shots until `CHECK... NAME` holds for one
until_shot() {
  local name=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -le $deadline ]; do
    shot "$name"
    "$@" "$name" && return 0
    sleep 0.2
  done
  return 1
}
centre_is() { near "$(pixel "$2" 512 384)" "$1"; }
with_caption() { centre_is "$1" "$2" && [ "$(caption_pixels "$2")" -gt 40 ]; }
without_caption() { centre_is "$1" "$2" && [ "$(caption_pixels "$2")" -eq 0 ]; }

# ends_on_key NAME: a key press ends the running show at once and the program ends normally
ends_on_key() {
  if ! kill -0 "$saver_pid" 2>/dev/null; then
    fail "$1: the screensaver ended by itself (exit code $(exit_code "$saver_pid"))"
    return
  fi
  xdotool key a
  if ends_within "$saver_pid" 2; then
    local rc
    rc=$(exit_code "$saver_pid")
    [ "$rc" = 0 ] && pass "$1: a key press ends the show normally" || fail "$1: ended with exit code $rc"
  else
    fail "$1: a key press did not end the show"
    stop_saver
  fi
}

# --- 1. pictures: no picture, cut short; captions: the wrong size; more than there are ---
# Entries 0 to 4: not a picture, red (caption cut short), a JPEG cut short, blue (a good
# caption), a GIF cut short; the count says 7, so 5 and 6 are missing.
ID_P=D0000000000000000000000000000001
make_saver pictures.scr $ID_P "${common[@]}" --picture not_a_picture.txt --picture red.gif \
  --picture yellow.jpg --picture blue.jpg --picture magenta.gif \
  --caption 1:7:FFFF00:40:CAPTION --caption 3:7:FFFF00:40:CAPTION \
  --resize caption:1:100 --resize "picture:2:$(half yellow.jpg)" --resize "picture:4:$(half magenta.gif)" \
  --set picture_count=7
center_cursor
start_saver pictures.scr /s
# A picture that cannot be shown leaves the one before it on the screen for its pause
# too, so red stays for two pauses and blue for five: time enough for a few shots
# however slowly a loaded machine runs the transitions.
if wait_screen pictures_red 30 $(whole FF0000); then
  pass "the first good picture is shown after an entry that is no picture"
  # The screen before it had no caption: yellow there now, in this shot or the next
  # ones while red stays, could only come from the record cut short.
  captioned=0 name=pictures_red
  for _ in 1 2 3 4 5; do
    centre_is FF0000 $name || break
    [ "$(caption_pixels $name)" -eq 0 ] || captioned=1
    sleep 0.2
    name=pictures_red_later && shot $name
  done
  [ $captioned = 0 ] && pass "a caption record cut short gives no caption" || fail "a caption drawn from a record cut short"
else
  fail "the red picture never came"
fi
if wait_screen pictures_blue 30 $(whole 0000FF); then
  pass "the show went on past a JPEG cut short to the next good picture"
  until_shot pictures_blue 20 with_caption 0000FF && pass "the good caption is drawn" ||
    fail "no caption on the blue picture"
else
  fail "the blue picture never came"
fi
if wait_screen pictures_again 40 $(whole FF0000); then
  pass "past a GIF cut short and the missing entries, the show came round to the first good picture again"
  # Blue's caption goes with the transition that brings red in.
  until_shot pictures_again 20 without_caption FF0000 || fail "the blue picture's caption stayed on the red one"
else
  fail "the show did not come round again"
fi
ends_on_key pictures

# --- 2. music: an entry of size 0, one shorter than its tag, an unknown extension, and ----
# more tracks counted than there are. Tracks 0 and 3 are good one-second tones; the count
# says 7. Each track's file appears as it is written, so the order in which the files
# appear is the order in which the music went on.
ID_M=D0000000000000000000000000000002
make_saver music.scr $ID_M "${common[@]}" --picture red.gif --set audio_pause=0 --set shuffle_audio=0 \
  --tone 1 --tone 1 --tone 1:XYZ --tone 1 --tone 1 \
  --resize music:1:0 --resize music:4:2 --set music_count=7
center_cursor
start_saver music.scr /s
# The names of the files in the order they appeared, a name again each time it comes back.
appeared=() present=""
deadline=$((SECONDS + 60))
while [ $SECONDS -le $deadline ]; do
  now=$(temp_files $ID_M '*' | xargs -r -n1 basename | sort)
  for f in $now; do grep -qx "$f" <<<"$present" || appeared+=("$f"); done
  present=$now
  joined=" ${appeared[*]:-} "
  # Once round from track 2 to track 0 again.
  [[ "$joined" == *" ${ID_M}2.XYZ "*" ${ID_M}3.WAV "*" ${ID_M}0.WAV "* ]] && break
  sleep 0.1
done
echo "  files in the order they appeared: ${appeared[*]:-none}"
[[ "$joined" == *" ${ID_M}2.XYZ "* ]] && pass "the track of an unknown extension was written and passed over" ||
  fail "the track of an unknown extension never came"
[[ "$joined" == *" ${ID_M}3.WAV "* ]] && pass "the music went on past track 0 and the damaged tracks" ||
  fail "the music stopped before track 3"
[[ "$joined" == *" ${ID_M}3.WAV "*" ${ID_M}0.WAV "* ]] && pass "past the missing tracks the music came round to track 0" ||
  fail "the music did not come round to track 0 after track 3"
wait_screen music 30 "${centre[@]}" FF0000 && pass "the picture is shown with the damaged music" ||
  fail "the show with damaged music did not start"
ends_on_key music
sleep 0.3
left=$(temp_files $ID_M '*')
[ -z "$left" ] && pass "no temporary music file left" || fail "temporary files left: $left"

# --- 3. counts beyond every entry id ------------------------------------------------------
# 65539 pictures and tracks where there are two and three: ids above 65535 name no entry.
ID_K=D0000000000000000000000000000003
make_saver counts.scr $ID_K "${common[@]}" --picture red.gif --picture blue.jpg --set audio_pause=0 \
  --tone 1 --tone 1 --tone 1 --set picture_count=65539 --set music_count=65539
center_cursor
start_saver counts.scr /s
# Track 2's file is there only from a little after track 1 starts until track 2 ends:
# watched from the start. Blue, the last picture there is, then stays.
deadline=$((SECONDS + 40))
while [ $SECONDS -le $deadline ] && [ -z "$(temp_files $ID_K "2.WAV")" ]; do sleep 0.1; done
[ -n "$(temp_files $ID_K "2.WAV")" ] && pass "counts: the three tracks are played" || fail "counts: track 2 never came"
wait_screen counts 30 $(whole 0000FF) && pass "counts: the show went on to the second picture" ||
  fail "counts: the blue picture never came"
sleep 3  # missing pictures and tracks pass
ends_on_key counts

# --- 4. a configuration record of the wrong size: the program ends at once ----------------
n=0
for size in 743 745 0; do
  n=$((n + 1))
  make_saver "config$size.scr" D00000000000000000000000000000C$n "${common[@]}" --picture red.gif --tone 1 \
    --resize "config:0:$size"
  for args in "/s" "/c"; do
    start_saver "config$size.scr" $args
    if ends_within "$saver_pid" 8; then
      rc=$(exit_code "$saver_pid")
      [ "$rc" = 0 ] && pass "a $size-byte configuration: '$args' ends at once" || fail "$size bytes, '$args': exit code $rc"
    else
      fail "a $size-byte configuration: '$args' kept running"
      stop_saver
    fi
  done
done

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
