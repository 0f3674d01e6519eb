#!/usr/bin/env bash
# The Linux runtime end to end on a virtual display of its own: test screensavers made
# from the Windows runtime template with saver_fixture, played by reelhost in each of its
# modes. The root window shows the pictures; a window a host made is drawn in and
# followed when it grows; $XSCREENSAVER_WINDOW wins over the root window; SIGTERM ends
# a show at once with exit code 0 and no temporary music file left; the full-screen
# show ends as its author chose; damaged screensavers skip what they cannot use.
#
#   runtime_x11_test.sh REELHOST TEMPLATE FIXTURE HOST_WINDOW WORKDIR
set -euo pipefail

reelhost=$1 template=$2 fixture=$3 host_window=$4 work=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work"
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=../screen_steps.sh
source "$here/../screen_steps.sh"
# shellcheck source=own_display.sh
source "$here/own_display.sh"
own_display
export SDL_AUDIODRIVER=dummy TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config"
mkdir -p "$TMPDIR"
unset XSCREENSAVER_WINDOW

make_saver() { "$fixture" --template "$template" --out "$1" --id "$2" "${@:3}"; }
start() { "$reelhost" "$@" >"$work/reelhost.log" 2>&1 & pid=$!; }
# term NAME: SIGTERM ends the show at once and cleanly
term() {
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "$1: reelhost ended by itself: $(cat "$work/reelhost.log")"
    return
  fi
  kill -TERM "$pid"
  if ends_within "$pid" 1; then
    local rc
    rc=$(exit_code "$pid")
    [ "$rc" = 0 ] && pass "$1: SIGTERM ends the show at once" || fail "$1: exit code $rc after SIGTERM"
  else
    fail "$1: still running a second after SIGTERM"
    kill -KILL "$pid" 2>/dev/null || true
  fi
}

/usr/bin/convert -size 512x384 xc:'#FF0000' red.gif
/usr/bin/convert -size 512x384 xc:'#0000FF' -quality 90 blue.jpg
common=(--set bg=00FF00 --set picture_pause=2 --set effect_ms=200 --set move_picture=0 --set auto_adjust=1
        --set shuffle_pic=0 --set keyboard=1 --set mouse_move=0)
make_saver plain.scr E0000000000000000000000000000001 "${common[@]}" --picture red.gif --picture blue.jpg \
  --tone 2 --tone 2

# --- the root window ---------------------------------------------------------------------
start --root plain.scr
wait_screen root 20 512 384 FF0000 100 100 00FF00 && pass "--root shows the first picture on the background" ||
  fail "--root: the red picture never came"
wait_screen root_next 20 512 384 0000FF && pass "--root goes on to the next picture" ||
  fail "--root: the blue picture never came"
tracks=$(find "$TMPDIR" -name 'E0000000000000000000000000000001*' | wc -l)
[ "$tracks" -ge 1 ] && pass "the music's tracks are written while the show plays" || fail "no track file was written"
term root
left=$(find "$TMPDIR" -type f | wc -l)
[ "$left" = 0 ] && pass "no temporary music file is left" || fail "$left temporary files left"

# --- a window someone else made, that grows ------------------------------------------------
"$host_window" 320 240 >host.id &
host_pid=$!
for _ in $(seq 50); do [ -s host.id ] && break; sleep 0.05; done
host=$(cat host.id)
start --window-id "$host" plain.scr
# 512 x 384 pictures shrink into 320 x 240 (the automatic size adjustment).
wait_screen window_small 20 160 120 FF0000 &&
  pass "--window-id draws the show in the host's window" || fail "--window-id: no picture in the window"
xdotool windowsize "$host" 800 600
wait_screen window_large 20 400 300 FF0000 600 300 FF0000 780 300 00FF00 ||
  wait_screen window_large 20 400 300 0000FF 600 300 0000FF 780 300 00FF00 &&
  pass "--window-id follows the window when it grows" || fail "--window-id: the show kept its old size"
term window_id

# --- the screensaver host's window wins over the root window -------------------------------
XSCREENSAVER_WINDOW=$host start --root plain.scr
sleep 0.5
wait_screen host_window 20 400 300 FF0000 900 700 000000 &&
  pass "--root with \$XSCREENSAVER_WINDOW draws in the host's window, not on the root" ||
  fail "\$XSCREENSAVER_WINDOW was not used"
term host_variable
kill "$host_pid" 2>/dev/null || true

# --- full screen: the author's exit rules -------------------------------------------------
make_saver keys_off.scr E0000000000000000000000000000002 "${common[@]}" --set keyboard=0 --picture red.gif
xdotool mousemove 512 384
start --fullscreen keys_off.scr
if wait_screen full 20 512 384 FF0000 100 100 00FF00; then
  pass "--fullscreen shows the picture over the whole screen"
  xdotool key a
  sleep 1
  kill -0 "$pid" 2>/dev/null && pass "with the keyboard rule off a letter does not end the show" ||
    fail "a letter ended the show with the keyboard rule off"
  xdotool mousemove 515 387
  sleep 0.5
  kill -0 "$pid" 2>/dev/null && pass "a move of 3 pixels does not end the show" || fail "a 3-pixel move ended it"
  xdotool key Escape
  if ends_within "$pid" 2; then
    rc=$(exit_code "$pid")
    [ "$rc" = 0 ] && pass "Escape ends the full-screen show" || fail "Escape: exit code $rc"
  else
    fail "Escape did not end the full-screen show"
    term full_leftover
  fi
else
  fail "--fullscreen: the picture never came"
  term full_none
fi
make_saver keys_on.scr E0000000000000000000000000000003 "${common[@]}" --set mouse_move=1 --picture blue.jpg
xdotool mousemove 512 384
start --fullscreen keys_on.scr
if wait_screen full_move 20 512 384 0000FF; then
  xdotool mousemove 530 400
  ends_within "$pid" 2 && pass "with the mouse rule on a move ends the show" || { fail "a move did not end it"; term m; }
else
  fail "--fullscreen (mouse rule): the picture never came"
  term full_move
fi

# --- an ordinary window ---------------------------------------------------------------------
start --window --geometry 400x300 plain.scr
wait_screen own_window 20 200 150 FF0000 && pass "--window shows the show in a window of its own" ||
  fail "--window: no picture"
term own_window

# --- damaged screensavers: skip what cannot be used, never crash ----------------------------
for _ in $(seq 64); do echo "These bytes are no picture at all."; done > not_a_picture.txt
make_saver damaged.scr E0000000000000000000000000000004 "${common[@]}" --picture not_a_picture.txt \
  --picture red.gif --picture blue.jpg --resize "picture:2:100" --caption 1:7:FFFF00:40:CAPTION \
  --resize caption:1:100 --tone 1 --tone 1:XYZ --resize music:0:2 --set picture_count=5 --set music_count=4
start --root damaged.scr
wait_screen damaged 30 512 384 FF0000 100 100 00FF00 &&
  pass "a damaged screensaver shows the good picture past one that is no picture" ||
  fail "damaged: the good picture never came"
sleep 6  # round the broken picture, the missing ones and the damaged tracks
term damaged
for size in 743 0; do
  make_saver "config$size.scr" E00000000000000000000000000000C1 "${common[@]}" --picture red.gif --resize "config:0:$size"
  rc=0
  timeout 5 "$reelhost" --root "config$size.scr" 2>config.err || rc=$?
  [ "$rc" = 1 ] && grep -q "no screensaver made with Glimmerdeck" config.err &&
    pass "a $size-byte configuration ends at once with a message" || fail "$size-byte configuration: exit $rc"
done
rc=0
timeout 5 "$reelhost" --root not_a_picture.txt 2>notpe.err || rc=$?
[ "$rc" = 1 ] && pass "a file that is no screensaver ends at once with a message: $(cat notpe.err)" ||
  fail "a file that is no screensaver: exit $rc"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
