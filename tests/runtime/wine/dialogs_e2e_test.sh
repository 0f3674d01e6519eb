#!/usr/bin/env bash
# End to end under Wine on the tests' display, on a screensaver made by glimmerdeck:
#  1. /s before any settings: a mouse movement does not end the show (the project's own
#     exit conditions);
#  2. /c opens the settings dialog titled with the screensaver's name; the effect duration
#     set to 2.5 and "Mouse move" turned on, OK writes the settings file;
#  3. /s again: the new setting is used, a mouse movement ends the show;
#  4. started without arguments, the launcher's Install puts "<name>.scr" into the system
#     folder and makes it the active screensaver, and Play starts the show.
#   dialogs_e2e_test.sh REPO DIST_FOLDER
set -euo pipefail
repo=$1 dist=$2
im=/usr/bin/convert
work=$(mktemp -d)
name="Dialog Check"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

[ -f "$dist/data/data1.dat" ] || { echo "no runtime template in $dist/data"; exit 1; }
$im -size 640x480 xc:'#E01010' "$work/red.jpg"
"$dist/glimmerdeck" new "$work/check.psm" --name "$name" --picture "$work/red.jpg" --output-folder "$work" --standard
"$dist/glimmerdeck" set "$work/check.psm" bMouseMove=0 bKeyboardEvent=1 nEffectMilliSecond=300 nPicturePause=30 \
  bMuteMusic=1 bAutoAdjustSize=1 crBgColor=0x000000 >/dev/null
"$dist/glimmerdeck" make "$work/check.psm" --yes >/dev/null
saver="$work/$name.scr"
id=$("$dist/glimmerdeck" info "$saver" --json | sed -n 's/.*"identifier":"\([0-9A-Fa-f]*\)".*/\1/p')
[ ${#id} -eq 32 ] || { echo "no identifier in the made screensaver"; exit 1; }

"$repo/scripts/wine-session" start
while IFS='=' read -r key value; do export "$key=$value"; done < <("$repo/scripts/wine-session" env)
system32="$WINEPREFIX/drive_c/windows/system32"
settings="$system32/$id.ini"
rm -f "$settings" "$system32/$name.scr"

start() {  # ARGS...: runs the made screensaver; sets pid
  "$WINE" "$saver" "$@" >/dev/null 2>&1 &
  pid=$!
  pids+=("$pid")
}
ends_within() {  # SECONDS
  local deadline=$((SECONDS + $1))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -le "$deadline" ] || return 1
    sleep 0.1
  done
}
# The window of that exact title, waited for up to 20 seconds; prints its id.
window() {
  local w
  w=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || return 1
  echo "$w"
}
# Waits until the red picture covers most of the screen.
shows_picture() {
  local red
  for _ in $(seq 60); do
    sleep 0.5
    $im x:root "$work/shot.png" 2>/dev/null || continue
    red=$($im "$work/shot.png" -fuzz 15% -fill white -opaque '#E01010' -fill black +opaque white \
          -colorspace Gray -format '%[fx:mean]' info:)
    awk -v r="$red" 'BEGIN { exit !(r > 0.3) }' && return 0
  done
  return 1
}
# Clicks at (DX, DY) from the top left of window W.
click_at() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

# --- 1. the project's settings: the mouse does not end the show -------------------------
xdotool mousemove 512 384
start /s
shows_picture && pass "the made screensaver shows its picture" || fail "the picture did not appear"
xdotool mousemove 900 700
sleep 1.5
kill -0 "$pid" 2>/dev/null && pass "a mouse movement is ignored by the project's settings" \
  || fail "a mouse movement ended the show before the settings changed it"
xdotool key space
ends_within 5 || { fail "a key did not end the show"; kill "$pid"; }

# --- 2. the settings dialog ---------------------------------------------------------------
start /c
if w=$(window "$name"); then
  pass "/c opens the settings dialog titled \"$name\""
  sleep 0.5
  click_at "$w" 107 43           # the "Settings" tab
  sleep 0.5
  click_at "$w" 237 109          # the edit field of "Duration of effects (second)"
  xdotool key ctrl+a
  xdotool type "2.5"
  xdotool key alt+m              # "Mouse &move"
  sleep 0.3
  xdotool key Return             # OK
  ends_within 10 && pass "OK closes the dialog and the program" || { fail "the dialog stayed"; kill "$pid"; }
else
  fail "no settings dialog titled \"$name\""
fi
if grep -q "^nEffectMilliSecond=2500" "$settings" 2>/dev/null && grep -q "^bMouseMove=1" "$settings"; then
  pass "the settings file holds nEffectMilliSecond=2500 and bMouseMove=1"
else
  fail "the settings file lacks the new values: $(cat "$settings" 2>/dev/null || echo missing)"
fi

# --- 3. the next show uses them ---------------------------------------------------------
xdotool mousemove 512 384
start /s
shows_picture || fail "the picture did not appear the second time"
sleep 1
xdotool mousemove 100 100
if ends_within 5; then pass "the next show ends on a mouse movement, as set in the dialog"
else fail "the next show ignored the new setting"; kill "$pid"; fi

# --- 4. the launcher installs and sets the screensaver active ---------------------------
# The questions are message boxes titled with the base name; OK is the default button.
answer_boxes() {  # COUNT: presses Enter in that many successive boxes
  local last="" box
  for _ in $(seq "$1"); do
    for _ in $(seq 100); do
      box=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1 || true)
      [ -n "$box" ] && [ "$box" != "$last" ] && break
      sleep 0.2
    done
    [ -n "$box" ] && [ "$box" != "$last" ] || return 1
    sleep 0.3
    xdotool key Return
    last=$box
  done
}
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveActive /d 0 /f >/dev/null 2>&1
start
if w=$(window "$name Screensaver Installation"); then
  pass "the launcher is titled \"$name Screensaver Installation\""
  xdotool key alt+i                # "&Install"
  # Install? OK; set as default? OK; "  Installation completed!   " OK.
  answer_boxes 3 || fail "the installation's questions did not come"
  sleep 0.5
  if cmp -s "$saver" "$system32/$name.scr"; then pass "installed as $name.scr in the system folder"
  else fail "no $name.scr in the system folder"; fi
  active=$(grep -i '^SCRNSAVE.EXE=' "$WINEPREFIX/drive_c/windows/system.ini" | tail -1 | cut -d= -f2- | tr -d '\r')
  case "$active" in
    *'~'*.SCR|*'~'*.scr) pass "system.ini names it by its short path: $active" ;;
    *) fail "system.ini holds \"$active\", not the short path of $name.scr" ;;
  esac
  if "$WINE" reg query 'HKCU\Control Panel\Desktop' /v ScreenSaveActive 2>/dev/null | grep -Eq 'REG_SZ\s+1'; then
    pass "screen saving is active"
  else
    fail "screen saving was not turned on"
  fi
  # Play starts the program itself full screen, in a second process; the launcher stays.
  $im -size 1x1 xc:black "$work/shot.png"
  xdotool key alt+p                # "&Play"
  if shows_picture; then
    pass "Play starts the show"
    xdotool key space
    sleep 2
  else
    fail "Play did not start the show"
  fi
  kill -0 "$pid" 2>/dev/null && pass "the launcher stays open" || fail "the launcher ended"
  click_at "$w" 200 60             # back to the launcher (an empty spot of it)
  sleep 0.3
  xdotool key alt+e                # "&Exit"
  ends_within 10 || { fail "Exit did not end the launcher"; kill "$pid"; }
else
  fail "no launcher window"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all passed"
