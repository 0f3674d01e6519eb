#!/usr/bin/env bash
# End-to-end test of the show's newer options under Wine on the virtual display, at 96
# and at 192 DPI: the maker makes the screensavers from the shipped template, as a user
# would, and they play full screen.
#   1. Cross-fade as the only effect, with pan and zoom: the first picture fades in from
#      black, drifts through its pause, and the second fades in over the drifted first.
#      Screenshots mid-fade and mid-drift are kept as fade-DPI.png and drift-DPI.png.
#      Its settings dialog's Settings tab is kept as settings-dialog-DPI.png.
#   2. A fine 1-pixel checkerboard shown shrunk: even grey with smooth scaling, black and
#      white pixels without (checker-smooth-DPI.png, checker-nearest-DPI.png).
#   3. The banner at the monitor's DPI: with text scaling as tall as the DPI over 96 times
#      the banner without it (banner-1-DPI.png, banner-0-DPI.png).
#
#   show_options_test.sh REPO MAKER_FOLDER WORKDIR
# MAKER_FOLDER is the program folder: the Linux maker `glimmerdeck` and data/data1.dat.
set -euo pipefail

repo=$1 maker_folder=$2 work=$3
template="$maker_folder/data/data1.dat" fixture=unused
# shellcheck source=saver_show_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/saver_show_steps.sh"
maker() { GD_PROGRAM_FOLDER="$maker_folder" "$maker_folder/glimmerdeck" "$@"; }
set_dpi() {
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT

# Vertical stripes 32 pixels wide, so that any zoom moves their edges; the first picture
# red and yellow, the second blue and cyan: the screen's size, 1024 x 768.
$convert -size 32x768 xc:'#E00000' xc:'#E0E000' +append -write mpr:s +delete \
  -size 1024x768 tile:mpr:s -quality 92 first.jpg
$convert -size 32x768 xc:'#0000E0' xc:'#00E0E0' +append -write mpr:s +delete \
  -size 1024x768 tile:mpr:s -quality 92 second.jpg
# A 1-pixel checkerboard about one and a half times the screen's size (a GIF, so the
# maker keeps it as it is). Not twice: dropping every other row and column of that would
# keep one colour only, where any other factor keeps a pattern of both.
$convert -size 1500x1125 pattern:gray50 -type bilevel checker.gif
$convert -size 1024x768 xc:black -quality 92 black.jpg

# Project settings: maker defaults, the picture centred at its place, no exit on mouse.
only_cross_fade="bEffectOn=0$(printf '0%.0s' $(seq 1 44))1$(printf '0%.0s' $(seq 46 63))"
make_project() {  # NAME PICTURES... -- SETTINGS...
  local name=$1
  shift
  local pictures=()
  while [ "$1" != "--" ]; do pictures+=(--picture "$1"); shift; done
  shift
  rm -f "$name.psm" "$name.scr"
  maker new "$name.psm" --name "$name" "${pictures[@]}" --output-folder "$work" --standard >/dev/null
  maker set "$name.psm" bMovePicture=0 bMouseMove=0 bShufflePic=0 "$@" >/dev/null
  maker make "$name.psm" >/dev/null
  [ -f "$name.scr" ] || { fail "$name.scr was not made"; return 1; }
}
channel() { echo $((16#${1:$2:2})); }  # channel RRGGBB OFFSET(0 red, 2 green, 4 blue)

for dpi in 96 192; do
  set_dpi "$dpi"
  # --- 1. cross-fade with pan and zoom ----------------------------------------------------
  make_project "Fade$dpi" first.jpg second.jpg -- "$only_cross_fade" bPanZoom=1 nPanZoom=25 \
    nEffectMilliSecond=4000 nPicturePause=6 bAutoAdjustSize=1 || continue
  center_cursor
  start_saver "Fade$dpi.scr" /s
  # Mid-fade from black: a red stripe neither black nor full yet.
  mid=""
  for _ in $(seq 60); do
    shot "fade-$dpi"
    p=$(pixel "fade-$dpi" 16 384)
    r=$(channel "$p" 0)
    if [ "$r" -ge 40 ] && [ "$r" -le 170 ] && [ "$(channel "$p" 4)" -le 40 ]; then mid=$p; break; fi
    sleep 0.2
  done
  [ -n "$mid" ] && pass "$dpi DPI: the first picture fades in (red stripe at #$mid mid-fade)" \
    || fail "$dpi DPI: no frame mid-fade from black"
  # The fade ends on the picture; then it drifts: the stripes' edges move.
  if wait_screen "drift-a-$dpi" 12 16 384 E00000; then
    sleep 0.5
    shot "drift-a-$dpi"
    sleep 1.5
    shot "drift-$dpi"
    moved=$($convert "drift-a-$dpi.png" "drift-$dpi.png" -compose difference -composite -threshold 20% \
      -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$moved" -gt 2000 ] && pass "$dpi DPI: the picture drifts during its pause ($moved pixels changed in 1.5 s)" \
      || fail "$dpi DPI: the picture stood still during its pause ($moved pixels changed)"
    # Never the background (black) where the picture covers the screen.
    dark=$($convert "drift-$dpi.png" -colorspace gray -threshold 6% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$dark" -lt 100 ] && pass "$dpi DPI: no background shows while it drifts" || fail "$dpi DPI: $dark background pixels"
  else
    fail "$dpi DPI: the first picture never arrived"
  fi
  # The second picture fades in over the drifted first: blue and red at once somewhere.
  blend=""
  for _ in $(seq 80); do
    shot "fade2-$dpi"
    p=$(pixel "fade2-$dpi" 16 384)
    if [ "$(channel "$p" 0)" -ge 40 ] && [ "$(channel "$p" 4)" -ge 40 ]; then blend=$p; break; fi
    sleep 0.2
  done
  [ -n "$blend" ] && pass "$dpi DPI: the second picture fades in over the first (#$blend)" \
    || fail "$dpi DPI: no frame blending the two pictures"
  xdotool key Escape
  ends_within "$saver_pid" 3 || { fail "$dpi DPI: Escape did not end the show"; stop_saver; }

  # The screensaver's own settings dialog, its Settings tab with the Show group.
  start_saver "Fade$dpi.scr" /c
  if w=$(timeout 20 xdotool search --sync --onlyvisible --name "^Fade$dpi\$" 2>/dev/null | head -1); then
    sleep 0.8
    eval "$(xdotool getwindowgeometry --shell "$w")"
    xdotool mousemove $((X + 107 * dpi / 96)) $((Y + 43 * dpi / 96)) click 1  # the "Settings" tab
    sleep 0.8
    $convert x:root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "settings-dialog-$dpi.png"
    pass "$dpi DPI: the settings dialog (settings-dialog-$dpi.png)"
    xdotool key Escape
  else
    fail "$dpi DPI: no settings dialog"
  fi
  ends_within "$saver_pid" 5 || { fail "$dpi DPI: the settings dialog stayed"; stop_saver; }

  # --- 2. a fine checkerboard, shrunk, with and without smooth scaling -------------------
  for smooth in 1 0; do
    name="Checker-$smooth-$dpi"
    make_project "$name" checker.gif -- bSmoothScaling="$smooth" bAutoAdjustSize=1 nEffectMilliSecond=100 \
      nPicturePause=30 bEffectOn=0$(printf '0%.0s' $(seq 1 63)) || continue
    center_cursor
    start_saver "$name.scr" /s
    label=$([ "$smooth" = 1 ] && echo smooth || echo nearest)
    sleep 3
    shot "checker-$label-$dpi"
    grey=$(count "checker-$label-$dpi" 400 300 312 234 808080)
    if [ "$smooth" = 1 ]; then
      [ "$grey" -gt 118000 ] && pass "$dpi DPI: with smooth scaling the checkerboard is even grey ($grey of 120000)" \
        || fail "$dpi DPI: smooth scaling left $((120000 - grey)) of 120000 pixels not grey"
    else
      white=$(count "checker-$label-$dpi" 400 300 312 234 FFFFFF)
      if [ "$grey" -lt 1200 ] && [ "$white" -gt 20000 ] && [ "$white" -lt 100000 ]; then
        pass "$dpi DPI: without it the checkerboard shows a pattern of black and white ($white white, $grey grey of 120000)"
      else
        fail "$dpi DPI: without smooth scaling $grey grey and $white white of 120000 pixels"
      fi
    fi
    xdotool key Escape
    ends_within "$saver_pid" 3 || { fail "$dpi DPI: Escape did not end $name"; stop_saver; }
  done

  # --- 3. the banner at the monitor's DPI -----------------------------------------------
  declare -A tall=()
  for scale in 1 0; do
    name="Banner-$scale-$dpi"
    make_project "$name" black.jpg -- bScaleTexts="$scale" "szBanner=Glimmer Deck" lfBanner.lfHeight=-24       crBanner=#FFFFFF nBannerPos=0 crBgColor=0x000000 bAutoAdjustSize=1 nEffectMilliSecond=100 nPicturePause=30       bEffectOn=0$(printf '0%.0s' $(seq 1 63)) || continue
    center_cursor
    start_saver "$name.scr" /s
    sleep 3
    shot "banner-$scale-$dpi"
    # The height of what is lit in the top quarter: the banner's letters.
    tall[$scale]=$($convert "banner-$scale-$dpi.png" -crop 1024x192+0+0 +repage -threshold 50% -trim       -format '%h' info: 2>/dev/null || echo 0)
    xdotool key Escape
    ends_within "$saver_pid" 3 || { fail "$dpi DPI: Escape did not end $name"; stop_saver; }
  done
  if [ -n "${tall[1]:-}" ] && [ -n "${tall[0]:-}" ] && [ "${tall[0]}" -gt 4 ]; then
    # The letters' height scales with the DPI, within a pixel or two of rounding.
    want=$((tall[0] * dpi / 96))
    if [ "${tall[1]}" -ge $((want - 2 - want / 10)) ] && [ "${tall[1]}" -le $((want + 2 + want / 10)) ]; then
      pass "$dpi DPI: the banner is ${tall[1]} pixels tall scaled, ${tall[0]} unscaled"
    else
      fail "$dpi DPI: the banner is ${tall[1]} pixels tall scaled, ${tall[0]} unscaled (about $want expected)"
    fi
  else
    fail "$dpi DPI: no banner to measure (${tall[1]:-none} scaled, ${tall[0]:-none} unscaled)"
  fi
  unset tall
done

echo "show_options_test: $failures failure(s)"
[ "$failures" -eq 0 ]
