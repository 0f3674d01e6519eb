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
# shellcheck source=../screen_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/../screen_steps.sh"

# --- a saver maker --------------------------------------------------------------------
make_saver() {  # OUT ID [fixture options...]
  local out=$1 id=$2
  shift 2
  local runner=("$wine_run")
  [[ "$fixture" == *.exe ]] || runner=()  # a native build of the fixture runs directly
  "${runner[@]}" "$fixture" --template "$template" --out "$out" --id "$id" "$@"
}

# --- processes --------------------------------------------------------------------------
start_saver() {  # FILE ARGS... ; sets saver_pid
  "$wine_run" "$@" >/dev/null 2>&1 &
  saver_pid=$!
}
stop_saver() { kill "$saver_pid" 2>/dev/null || true; wait "$saver_pid" 2>/dev/null || true; }
# temp_files ID [PATTERN]: the temporary music files of that screensaver (default: WAV)
temp_files() {
  find "$WINEPREFIX/drive_c/users" -iname "$1${2:-*.wav}" 2>/dev/null
}
temp_tracks() { temp_files "$1"; }
center_cursor() { xdotool mousemove 512 384; }
