# The steps the end-to-end tests of a made screensaver share: the Wine session on the
# virtual display, making a test screensaver with saver_fixture, looking at the screen,
# and starting, watching and ending the screensaver's process. Sourced by a test script
# after it has set:
#   repo      the source tree (for scripts/wine-run and scripts/wine-session)
#   template  the runtime template the screensavers are made from
#   fixture   saver_fixture (a Windows build runs under Wine, a native one directly)
#   work      a folder of the test's own, emptied here; the script works inside it

wine_run="$repo/scripts/wine-run"
"$repo/scripts/wine-session" start
while IFS='=' read -r key value; do export "$key=$value"; done < <("$repo/scripts/wine-session" env)
export WINEDEBUG=-all
rm -rf "$work" && mkdir -p "$work" && cd "$work"
# Without a window manager on the virtual display, Wine waits up to two seconds for one
# when a managed full-screen window goes away; unmanaged windows close at once, as on a
# desktop.
"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
convert=/usr/bin/convert
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# --- a saver maker --------------------------------------------------------------------
make_saver() {  # OUT ID [fixture options...]
  local out=$1 id=$2
  shift 2
  local runner=("$wine_run")
  [[ "$fixture" == *.exe ]] || runner=()  # a native build of the fixture runs directly
  "${runner[@]}" "$fixture" --template "$template" --out "$out" --id "$id" "$@"
}

# --- looking at the screen --------------------------------------------------------------
shot() { $convert x:root -depth 8 "$work/$1.png"; }
pixel() { $convert "$work/$1.png" -depth 8 -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# near HEX RRGGBB: every channel within 48
near() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local x=$((16#${a:i:2})) y=$((16#${b:i:2}))
    local d=$((x > y ? x - y : y - x))
    [ "$d" -le 48 ] || return 1
  done
}
# count SHOT W H X Y RRGGBB: pixels of about that colour in the rectangle
count() {
  $convert "$work/$1.png" -crop "$2x$3+$4+$5" +repage -fuzz 20% -fill black +opaque "#$6" \
    -fill white -opaque "#$6" -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
# wait_screen NAME SECONDS X Y RRGGBB [X Y RRGGBB]...: until every pixel matches
wait_screen() {
  local name=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -le $deadline ]; do
    shot "$name"
    local ok=1 args=("$@") i
    for ((i = 0; i < ${#args[@]}; i += 3)); do
      near "$(pixel "$name" "${args[i]}" "${args[i+1]}")" "${args[i+2]}" || { ok=0; break; }
    done
    [ $ok = 1 ] && return 0
    sleep 0.3
  done
  return 1
}

# --- processes --------------------------------------------------------------------------
start_saver() {  # FILE ARGS... ; sets saver_pid
  "$wine_run" "$@" >/dev/null 2>&1 &
  saver_pid=$!
}
# ends_within PID SECONDS
ends_within() {
  local pid=$1 limit=$2 t0 now
  t0=$(date +%s%N)
  while kill -0 "$pid" 2>/dev/null; do
    now=$(date +%s%N)
    [ $(((now - t0) / 1000000)) -le $((limit * 1000)) ] || return 1
    sleep 0.05
  done
  echo "  ended after $((($(date +%s%N) - t0) / 1000000)) ms"
}
# exit_code PID: the exit code of a process of this shell that has ended
exit_code() { local rc=0; wait "$1" 2>/dev/null || rc=$?; echo "$rc"; }
stop_saver() { kill "$saver_pid" 2>/dev/null || true; wait "$saver_pid" 2>/dev/null || true; }
# temp_files ID [PATTERN]: the temporary music files of that screensaver (default: WAV)
temp_files() {
  find "$WINEPREFIX/drive_c/users" -iname "$1${2:-*.wav}" 2>/dev/null
}
temp_tracks() { temp_files "$1"; }
center_cursor() { xdotool mousemove 512 384; }
