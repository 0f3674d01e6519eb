#!/usr/bin/env bash
# A made screensaver on several monitors under Wine. Xvfb cannot put two monitors side by
# side, so this test starts an X server of its own with the dummy video driver, whose
# RandR outputs are laid out with xrandr; Wine lists them as monitors. For each layout the
# show must cover every monitor: the picture on the primary one, the others black over a
# grey desktop.
#   multi_monitor_test.sh REPO DIST_FOLDER MONITOR_PROBE
set -euo pipefail
repo=$1 dist=$2 probe=$3
im=/usr/bin/convert
work=$(mktemp -d)
xorg_pid="" pid=""
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

command -v Xorg >/dev/null && [ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "Xorg with the dummy video driver is missing (scripts/bootstrap installs it)"; exit 1; }

[ -f "$dist/data/data1.dat" ] || { echo "no runtime template in $dist/data"; exit 1; }
# Larger than the primary monitor and of its shape: fitted to it, it fills it exactly.
$im -size 2048x1536 xc:'#E01010' "$work/red.jpg"
"$dist/glimmerdeck" new "$work/mm.psm" --name "Monitors" --picture "$work/red.jpg" --output-folder "$work" \
  --standard >/dev/null
"$dist/glimmerdeck" set "$work/mm.psm" bMouseMove=0 bKeyboardEvent=1 bAutoAdjustSize=1 nEffectMilliSecond=200 \
  nPicturePause=30 bMuteMusic=1 crBgColor=0x000000 >/dev/null
"$dist/glimmerdeck" make "$work/mm.psm" --yes >/dev/null

# The tests' Wine prefix, its server stopped so that the programs of this test start a
# desktop on the dummy server; stopped again at the end so the next test starts afresh
# on the usual display.
"$repo/scripts/wine-session" start
while IFS='=' read -r key value; do export "$key=$value"; done < <("$repo/scripts/wine-session" env)
wineserver_bin=/usr/lib/wine/wineserver
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver)
stop_wine() { "$wineserver_bin" -k 2>/dev/null || true; "$wineserver_bin" -w 2>/dev/null || true; }
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
    Virtual 2048 2048
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
xsetroot -solid '#808080'

# check LAYOUT PRIMARY_X PRIMARY_Y SECONDARY_X SECONDARY_Y XRANDR_PLACEMENT...
#   positions are the monitors' top left corners on the X screen
check() {
  local label=$1 px=$2 py=$3 sx=$4 sy=$5
  shift 5
  xrandr --output DUMMY0 --mode 1024x768 --primary "$@"
  # Wine reads the server's last known outputs; a full query makes the server look at the
  # dummy outputs again, so the new layout is what Wine finds.
  xrandr >/dev/null
  local listed=0
  for _ in $(seq 10); do
    "$WINE" "$probe" 2>&1 | tr -d "\r" > "$work/monitors.txt" || true
    listed=$(grep -c . "$work/monitors.txt" || true)
    [ "$listed" -eq 2 ] && break
    stop_wine
    sleep 0.5
  done
  if [ "$listed" -ne 2 ]; then
    fail "$label: Wine lists $listed monitor(s), not 2: $(cat "$work/monitors.txt")"
    stop_wine
    return
  fi
  xdotool mousemove $((px + 512)) $((py + 384))
  "$WINE" "$work/Monitors.scr" /s >/dev/null 2>&1 &
  pid=$!
  local shown=0 shot="$work/$label.png"
  for _ in $(seq 60); do
    sleep 0.5
    $im x:root -depth 8 "$shot" 2>/dev/null || continue
    pixel() { $im "$shot" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
    if [ "$(pixel $((px + 512)) $((py + 384)))" = E01010 ] && [ "$(pixel $((px + 5)) $((py + 5)))" = E01010 ] &&
       [ "$(pixel $((px + 1018)) $((py + 762)))" = E01010 ]; then
      shown=1
      break
    fi
  done
  if [ $shown = 1 ]; then
    pass "$label: the picture fills the primary monitor ($(tr '\n' ';' < "$work/monitors.txt"))"
    local black=1 p
    for p in "$((sx + 5)) $((sy + 5))" "$((sx + 400)) $((sy + 300))" "$((sx + 794)) $((sy + 594))"; do
      # shellcheck disable=SC2086
      [ "$(pixel $p)" = 000000 ] || black=0
    done
    [ $black = 1 ] && pass "$label: the other monitor is black, not the grey desktop" ||
      { fail "$label: the other monitor shows the desktop"; cp "$shot" "/tmp/multi_monitor_$label.png" 2>/dev/null || true; }
  else
    fail "$label: the picture did not fill the primary monitor"
    cp "$shot" "/tmp/multi_monitor_$label.png" 2>/dev/null || true
  fi
  xdotool key space
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
  stop_wine  # Wine reads the monitors again at its next start
}

check right-of 0 0 1024 0 --pos 0x0 --output DUMMY1 --mode m800 --pos 1024x0
check left-of 800 0 0 0 --pos 800x0 --output DUMMY1 --mode m800 --pos 0x0
check above 0 600 112 0 --pos 0x600 --output DUMMY1 --mode m800 --pos 112x0

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all passed"
