#!/usr/bin/env bash
# End-to-end test of the Windows runtime under Wine on the virtual display: makes test
# screensavers with saver_fixture, runs them full screen and as a preview, looks at
# screenshots and ends them with key presses and mouse moves.
#
#   show_test.sh REPO TEMPLATE FIXTURE PREVIEW_HOST PASSWORD_STUBS WORKDIR
set -euo pipefail

repo=$1 template=$2 fixture=$3 host=$4 password_stubs=$5 work=$6
# shellcheck source=saver_show_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/saver_show_steps.sh"

# Left half red, right half blue, 512 x 384: on the 1024 x 768 screen it keeps its size
# and is centred at (256, 192).
$convert -size 256x384 xc:'#FF0000' -size 256x384 xc:'#0000FF' +append halves.gif
$convert -size 256x384 xc:'#FF0000' -size 256x384 xc:'#0000FF' +append -quality 90 halves.jpg

ID_A=A0000000000000000000000000000001
ID_B=B0000000000000000000000000000002
ID_C=C0000000000000000000000000000003
ID_E=E0000000000000000000000000000005

common=(--picture halves.gif --set bg=00FF00 --set picture_pause=30 --set effect_ms=300
        --set move_picture=0 --set auto_adjust=1
        --caption 0:7:FFFF00:40:CAPTION --banner BANNER --banner-style FFFFFF:30:0)

# --- 1. /s: placement, colours, caption, banner, music files, a key ends it -------------
make_saver a.scr $ID_A "${common[@]}" --set keyboard=1 --tone 3 --tone 3
center_cursor
start_saver a.scr /s
if wait_screen show 20 300 300 FF0000 700 300 0000FF 100 100 00FF00 1000 750 00FF00; then
  pass "picture centred on the background colour"
  # The sample points may be drawn before the transition has finished elsewhere: look
  # again once it surely has (300 ms, and a loaded machine).
  sleep 1.5
  shot show
  [ "$(count show 400 60 312 655 FFFF00)" -gt 40 ] && pass "caption at the bottom centre" || fail "no caption at the bottom"
  [ "$(count show 400 100 312 5 FFFF00)" -eq 0 ] || fail "caption drawn at the top"
  [ "$(count show 400 45 312 5 FFFFFF)" -gt 40 ] && pass "banner at the top centre" || fail "no banner at the top"
  [ "$(count show 256 384 256 192 FFFFFF)" -eq 0 ] || fail "banner drawn over the picture"
else
  fail "the picture did not appear as expected"
fi
sleep 1
if [ -n "$(temp_tracks $ID_A)" ]; then pass "temporary music files while playing: $(temp_tracks $ID_A | xargs -n1 basename | xargs)"
else fail "no temporary music file while playing"; fi
xdotool key a
if ends_within "$saver_pid" 1; then pass "a key press ends the show"; else fail "a key press did not end the show"; stop_saver; fi
sleep 0.3
[ -z "$(temp_tracks $ID_A)" ] && pass "temporary music files removed" || fail "temporary files left: $(temp_tracks $ID_A)"

# --- 2. mouse movement: within the threshold nothing, beyond it the end -----------------
make_saver b.scr $ID_B "${common[@]}" --set mouse_move=1
center_cursor
start_saver b.scr /s
wait_screen mouse 20 300 300 FF0000 || fail "show b did not start"
xdotool mousemove 515 387
sleep 1
kill -0 "$saver_pid" 2>/dev/null && pass "3 pixels of movement are ignored" || fail "3 pixels ended the show"
xdotool mousemove 530 400
if ends_within "$saver_pid" 1; then pass "movement beyond the threshold ends the show"; else fail "movement did not end the show"; stop_saver; fi

# --- 3. every flag off: a letter does nothing, Escape ends ------------------------------
make_saver c.scr $ID_C "${common[@]}" --set mouse_move=0 --set keyboard=0 --set left=0 --set right=0
center_cursor
start_saver c.scr /s
wait_screen flagsoff 20 300 300 FF0000 || fail "show c did not start"
xdotool key a
xdotool mousemove 700 600
xdotool click 1
sleep 1
kill -0 "$saver_pid" 2>/dev/null && pass "letter, movement and left click ignored with the flags off" || fail "the show ended with every flag off"
xdotool key Escape
if ends_within "$saver_pid" 1; then pass "Escape ends the show"; else fail "Escape did not end the show"; stop_saver; fi

# --- 4. no configuration record: every command line ends at once ------------------------
make_saver none.scr $ID_C --picture halves.gif --no-config
for args in "/s" "/p 65552" "/c" "/c:0" "/a 0" ""; do
  start_saver none.scr $args
  if ends_within "$saver_pid" 8; then pass "no configuration: '$args' ends"; else fail "no configuration: '$args' kept running"; stop_saver; fi
done
start_saver a.scr /p 1234567
if ends_within "$saver_pid" 8; then pass "a preview handle that names no window ends"; else fail "bad preview handle kept running"; stop_saver; fi

# --- 5. the settings file overrides colour and pause ------------------------------------
make_saver e.scr $ID_E "${common[@]}" --set keyboard=1
sysdir="$WINEPREFIX/drive_c/windows/system32"
printf '[param]\r\ncrBgColor=%d\r\nnPicturePause=1\r\n' $((0xFF00FF)) > "$sysdir/$ID_E.ini"
center_cursor
start_saver e.scr /s
if wait_screen ini 20 100 100 FF00FF 300 300 FF0000; then
  pass "settings file colour used"
  # One picture alternates with an empty frame after a 1-second pause (not 30).
  if wait_screen ini_empty 8 100 100 FF00FF 300 300 FF00FF; then pass "settings file pause used"
  else fail "the picture stayed: pause not taken from the settings file"; fi
else
  fail "settings file colour not used"
fi
xdotool key Escape
ends_within "$saver_pid" 2 >/dev/null || stop_saver
rm -f "$sysdir/$ID_E.ini"

# --- 6. /p HANDLE: the preview child fills the host window, which ends it when it goes ---
# The child's drawing cannot be seen here: this Wine draws a window that is the child of
# another process's window into nothing, so the host checks the child's place instead.
# (runtime_preview_window reads the child's pixels in a host window of its own.)
"$wine_run" "$host" a.scr 100 100 320 240 4000 > host.log 2>&1 && host_result=0 || host_result=$?
case $host_result in
  0) pass "preview child fills the host window and ends with it" ;;
  3) fail "no preview child in the host window" ;;
  4) fail "the preview kept running after the host window went" ;;
  5) fail "the preview child does not fill the host's client area" ;;
  *) fail "preview host failed ($host_result): $(cat host.log)" ;;
esac

# --- 7. the older platform family: the show waits for the music; the password ----------
# Wine tells a program the version of the platform named for its file name.
older() {
  "$wine_run" reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /d win98 /f >/dev/null 2>&1
}
savers_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'
ID_F=F0000000000000000000000000000006
ID_G=A1000000000000000000000000000007

# The first track starts on the first music tick and the show one second after it, so
# the picture comes at least a second after the track's temporary file appears.
make_saver oldmusic.scr $ID_F "${common[@]}" --set keyboard=1 --tone 3
older oldmusic.scr
center_cursor
start_saver oldmusic.scr /s
for _ in $(seq 400); do [ -n "$(temp_tracks $ID_F)" ] && break; sleep 0.025; done
track_seen=$(date +%s%N)
if wait_screen oldmusic 20 300 300 FF0000 700 300 0000FF; then
  gap=$((($(date +%s%N) - track_seen) / 1000000))
  if [ "$gap" -ge 800 ]; then pass "older family: the show started ${gap} ms after the music's first file"
  else fail "older family: the show did not wait for the music (${gap} ms after its file)"; fi
else
  fail "older family: the show held back for the music never started"
fi
xdotool key Escape
ends_within "$saver_pid" 2 >/dev/null || { fail "older family: Escape did not end the show"; stop_saver; }

# The password library beside the screensaver: refused, the window stays and is black;
# the next key asks again; accepted, the show ends.
cp "$password_stubs" PASSWORD.CPL
cp "$password_stubs" MPR.DLL
calls() { [ -f password_calls.txt ] && grep -c "$1" password_calls.txt || echo 0; }
make_saver oldpass.scr $ID_G "${common[@]}" --set keyboard=1
older oldpass.scr
rm -f password_calls.txt && echo 0 > password_answer.txt
"$wine_run" reg delete "$savers_key" /v "Password Delay" /f >/dev/null 2>&1 || true  # left by a broken run
center_cursor
start_saver oldpass.scr /s
wait_screen oldpass 20 300 300 FF0000 || fail "show oldpass did not start"
xdotool key a
sleep 1.5
if kill -0 "$saver_pid" 2>/dev/null && [ "$(calls 'verify window')" = 1 ]; then
  pass "older family: a refused password keeps the window"
  wait_screen refused 5 300 300 000000 700 300 000000 100 100 000000 || fail "the refused window is not black"
  echo 1 > password_answer.txt
  xdotool key b
  if ends_within "$saver_pid" 3 && [ "$(calls verify)" = 2 ]; then pass "older family: asked again, accepted, ended"
  else fail "older family: the second key did not ask again and end ($(calls verify) checks)"; stop_saver; fi
else
  fail "older family: refused password: running $(kill -0 "$saver_pid" 2>/dev/null && echo yes || echo no), $(calls verify) checks"
  stop_saver
fi

# Within the password delay no password is asked.
"$wine_run" reg add "$savers_key" /v "Password Delay" /t REG_DWORD /d 600 /f >/dev/null 2>&1
rm -f password_calls.txt && echo 0 > password_answer.txt
start_saver oldpass.scr /s
wait_screen delay 20 300 300 FF0000 || fail "show oldpass did not start again"
xdotool key a
if ends_within "$saver_pid" 2 && [ "$(calls verify)" = 0 ]; then pass "older family: no password within the delay"
else fail "older family: the password delay was not kept ($(calls verify) checks)"; stop_saver; fi
"$wine_run" reg delete "$savers_key" /v "Password Delay" /f >/dev/null 2>&1

# The newer family never asks, even with the library beside it.
rm -f password_calls.txt
start_saver a.scr /s
wait_screen newer 20 300 300 FF0000 || fail "show a did not start again"
xdotool key a
if ends_within "$saver_pid" 2 && [ "$(calls verify)" = 0 ]; then pass "newer family: no password asked"
else fail "newer family: a password was asked ($(calls verify) checks)"; stop_saver; fi

# The password change goes to the library with the provider name and the owner window.
# Wine would take its own MPR.DLL; the override lets the one beside the screensaver in.
rm -f password_calls.txt
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mpr=n" "$WINE" "$host" --password oldpass.scr > change.log 2>&1 || true
[ "$(calls 'change SCRSAVE window')" = 1 ] && pass "/a asks the password library to change the password" \
  || fail "/a: $(cat password_calls.txt 2>/dev/null) $(cat change.log)"
rm -f PASSWORD.CPL MPR.DLL

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
