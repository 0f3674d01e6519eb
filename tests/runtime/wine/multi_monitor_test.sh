#!/usr/bin/env bash
# Made screensavers on several monitors under Wine. Xvfb cannot put two monitors side by
# side, so this test starts an X server of its own with the dummy video driver, whose
# RandR outputs are laid out with xrandr; Wine lists them as monitors.
#   - Each monitor mode on two monitors (right of, left of and above the primary) and on
#     three: mode 0 plays on the primary, the others black over a grey desktop; mode 1
#     shows the same picture on every monitor; mode 2 a different one on each.
#   - A display change during the show (mode 2): a monitor unplugged, then plugged in
#     again elsewhere; the show goes on and covers the monitors there are.
# The screenshots of every case are kept in SHOTS_DIR when it is given.
#   multi_monitor_test.sh REPO DIST_FOLDER MONITOR_PROBE [SHOTS_DIR]
set -euo pipefail
repo=$1 dist=$2 probe=$3 shots=${4:-}
im=/usr/bin/convert
work=$(mktemp -d)
xorg_pid="" pid=""
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
[ -z "$shots" ] || mkdir -p "$shots"

command -v Xorg >/dev/null && [ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "Xorg with the dummy video driver is missing (scripts/bootstrap installs it)"; exit 1; }

[ -f "$dist/data/data1.dat" ] || { echo "no runtime template in $dist/data"; exit 1; }
# Larger than every monitor and of their shape (4:3): each monitor is filled exactly.
$im -size 2048x1536 xc:'#E01010' "$work/red.jpg"
$im -size 2048x1536 xc:'#10C010' "$work/green.jpg"
$im -size 2048x1536 xc:'#1010E0' "$work/blue.jpg"
colors="red green blue"

# make_saver NAME [KEY=VALUE...]: a screensaver of the three pictures in order, 30 s each.
make_saver() {
  local name=$1
  shift
  "$dist/glimmerdeck" new "$work/$name.psm" --name "$name" --picture "$work/red.jpg" --output-folder "$work" \
    --standard >/dev/null
  "$dist/glimmerdeck" add "$work/$name.psm" "$work/green.jpg" "$work/blue.jpg" >/dev/null
  "$dist/glimmerdeck" set "$work/$name.psm" bMouseMove=0 bKeyboardEvent=1 bAutoAdjustSize=1 bShufflePic=0 \
    bMovePicture=0 nEffectMilliSecond=200 nPicturePause=30 bMuteMusic=1 crBgColor=0x000000 "$@" >/dev/null
  "$dist/glimmerdeck" make "$work/$name.psm" --yes >/dev/null
}
for mode in 0 1 2; do make_saver "Mode$mode" "nMonitorMode=$mode"; done

# The tests' Wine prefix, its server stopped so that the programs of this test start a
# desktop on the dummy server; stopped again at the end so the next test starts afresh
# on the usual display.
"$repo/scripts/wine-session" start
while IFS='=' read -r key value; do export "$key=$value"; done < <("$repo/scripts/wine-session" env)
wineserver_bin=/usr/lib/wine/wineserver
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver)
stop_wine() { "$wineserver_bin" -k 2>/dev/null || true; "$wineserver_bin" -w 2>/dev/null || true; }
stop_saver() {
  [ -n "$pid" ] || return 0
  xdotool key space
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
cleanup() {
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  stop_wine
  [ -n "$xorg_pid" ] && { kill "$xorg_pid" 2>/dev/null || true; wait "$xorg_pid" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
stop_wine

n=70
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
cat > "$work/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3072 1536
  EndSubSection
EndSection
CONF
Xorg ":$n" -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" >/dev/null 2>&1 &
xorg_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n"
xrandr >/dev/null 2>&1 || { echo "the dummy X server did not start"; cat "$work/xorg.log"; exit 1; }
xrandr --newmode m800 $(cvt 800 600 60 | sed -n 's/^Modeline "[^"]*" //p')
xrandr --addmode DUMMY1 m800
three=0
if xrandr | grep -q '^DUMMY2 '; then
  xrandr --addmode DUMMY2 m800
  three=1
fi
xsetroot -solid '#808080'

shot="$work/shot.png"
pixel() { $im "$shot" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
keep() { [ -z "$shots" ] || cp "$shot" "$shots/$1.png"; }
# The picture a pixel's colour is ("red", "green", "blue"), "black", or the colour itself:
# the JPEG pictures come back a step or two off their colours.
kind() {
  local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
  if [ $r -gt 180 ] && [ $g -lt 60 ] && [ $b -lt 60 ]; then echo red
  elif [ $g -gt 150 ] && [ $r -lt 60 ] && [ $b -lt 60 ]; then echo green
  elif [ $b -gt 180 ] && [ $r -lt 60 ] && [ $g -lt 60 ]; then echo blue
  elif [ $r -lt 8 ] && [ $g -lt 8 ] && [ $b -lt 8 ]; then echo black
  else echo "#$1"; fi
}
# What the middle and the four corners of a monitor ("X Y W H") show, when they all show
# the same; "mixed" otherwise.
filled_with() {
  local x=$1 y=$2 w=$3 h=$4 c p
  c=$(kind "$(pixel $((x + w / 2)) $((y + h / 2)))")
  for p in "$((x + 5)) $((y + 5))" "$((x + w - 6)) $((y + 5))" "$((x + 5)) $((y + h - 6))" "$((x + w - 6)) $((y + h - 6))"; do
    # shellcheck disable=SC2086
    [ "$(kind "$(pixel $p)")" = "$c" ] || { echo "mixed"; return; }
  done
  echo "$c"
}
is_picture() { [[ " $colors " == *" $1 "* ]]; }

# Lays the outputs out and waits until Wine lists `count` monitors.
layout() {
  local count=$1
  shift
  xrandr "$@"
  # Wine reads the server's last known outputs; a full query makes the server look at the
  # dummy outputs again, so the new layout is what Wine finds.
  xrandr >/dev/null
  local listed=0
  for _ in $(seq 10); do
    "$WINE" "$probe" 2>&1 | tr -d "\r" > "$work/monitors.txt" || true
    listed=$(grep -c . "$work/monitors.txt" || true)
    [ "$listed" -eq "$count" ] && return 0
    stop_wine
    sleep 0.5
  done
  fail "Wine lists $listed monitor(s), not $count: $(cat "$work/monitors.txt")"
  return 1
}

# Starts a screensaver and waits until the first monitor given is filled with a picture.
start() {
  local saver=$1 mx=$2 my=$3 mw=$4 mh=$5
  xdotool mousemove "$((mx + mw / 2))" "$((my + mh / 2))"
  "$WINE" "$work/$saver.scr" /s >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 60); do
    sleep 0.5
    $im x:root -depth 8 "$shot" 2>/dev/null || continue
    is_picture "$(filled_with "$mx" "$my" "$mw" "$mh")" && return 0
  done
  return 1
}

# check LABEL SAVER MODE PRIMARY OTHER...: each monitor "X Y W H" on the X screen.
check() {
  local label=$1 saver=$2 mode=$3 primary=$4
  shift 4
  # shellcheck disable=SC2086
  if ! start "$saver" $primary; then
    fail "$label: no picture filled the primary monitor"
    keep "$label"
    stop_saver
    return
  fi
  sleep 1  # the other monitors' first transitions
  $im x:root -depth 8 "$shot"
  keep "$label"
  local seen c m
  # shellcheck disable=SC2086
  seen=$(filled_with $primary)
  for m in "$@"; do
    # shellcheck disable=SC2086
    c=$(filled_with $m)
    case $mode in
      0) [ "$c" = black ] || fail "$label: a monitor beside the primary is $c, not black";;
      1) [ "$c" = "${seen%% *}" ] || fail "$label: a monitor shows $c, the primary ${seen%% *}";;
      2) if ! is_picture "$c"; then fail "$label: a monitor shows $c, no picture"
         elif [[ " $seen " == *" $c "* ]]; then fail "$label: two monitors show $c"; fi;;
    esac
    seen="$seen $c"
  done
  pass "$label: mode $mode shows $seen ($(tr '\n' ';' < "$work/monitors.txt"))"
  stop_saver
  stop_wine  # Wine reads the monitors again at its next start
}

primary="0 0 1024 768"
# Two monitors: the third output off.
two=(--output DUMMY0 --mode 1024x768 --primary)
[ $three = 0 ] || two=(--output DUMMY2 --off "${two[@]}")
for mode in 0 1 2; do
  layout 2 "${two[@]}" --pos 0x0 --output DUMMY1 --mode m800 --pos 1024x0 &&
    check "right-of-mode$mode" "Mode$mode" $mode "$primary" "1024 0 800 600"
  layout 2 "${two[@]}" --pos 800x0 --output DUMMY1 --mode m800 --pos 0x0 &&
    check "left-of-mode$mode" "Mode$mode" $mode "800 0 1024 768" "0 0 800 600"
  layout 2 "${two[@]}" --pos 0x600 --output DUMMY1 --mode m800 --pos 112x0 &&
    check "above-mode$mode" "Mode$mode" $mode "0 600 1024 768" "112 0 800 600"
done

if [ $three = 1 ]; then
  for mode in 0 1 2; do
    layout 3 --output DUMMY0 --mode 1024x768 --primary --pos 800x0 --output DUMMY1 --mode m800 --pos 0x100 \
      --output DUMMY2 --mode m800 --pos 1824x0 &&
      check "three-mode$mode" "Mode$mode" $mode "800 0 1024 768" "0 100 800 600" "1824 0 800 600"
  done
else
  fail "the dummy driver offers no third output (DUMMY2)"
fi

# A display change during the show: the secondary unplugged, then plugged in left of the
# primary. Wine tells the show window; the show goes on over the monitors there are.
if layout 2 "${two[@]}" --pos 0x0 --output DUMMY1 --mode m800 --pos 1024x0 &&
   start Mode2 0 0 1024 768; then
  sleep 1
  $im x:root -depth 8 "$shot"
  keep "change-1-two-monitors"
  before=$(filled_with 0 0 1024 768)
  xrandr --output DUMMY1 --off
  sleep 3
  $im x:root -depth 8 "$shot"
  keep "change-2-unplugged"
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "display change: the show ended when a monitor was unplugged"
  else
    [ "$(filled_with 0 0 1024 768)" = "$before" ] && pass "display change: the primary plays on with $before" ||
      fail "display change: the primary shows $(filled_with 0 0 1024 768), not $before"
    xrandr --output DUMMY0 --pos 800x0 --output DUMMY1 --mode m800 --pos 0x0
    xrandr >/dev/null
    got=""
    for _ in $(seq 20); do
      sleep 0.5
      $im x:root -depth 8 "$shot"
      got="$(filled_with 800 0 1024 768) $(filled_with 0 0 800 600)"
      is_picture "${got%% *}" && is_picture "${got##* }" && [ "${got%% *}" != "${got##* }" ] && break
    done
    keep "change-3-plugged-left"
    if is_picture "${got%% *}" && is_picture "${got##* }" && [ "${got%% *}" != "${got##* }" ]; then
      pass "display change: after plugging in on the left the monitors show $got"
    else
      fail "display change: after plugging in on the left the monitors show $got"
    fi
    kill -0 "$pid" 2>/dev/null || fail "display change: the show ended"
  fi
  stop_saver
  stop_wine
else
  fail "display change: the show did not start"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all passed"
