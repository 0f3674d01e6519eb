# Looking at the screen and watching processes, for the end-to-end tests of a show on
# an X display (under Wine or native). Sourced by a test script after it has set `work`,
# the folder its screenshots go to.

convert=/usr/bin/convert
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

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
