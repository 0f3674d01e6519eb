# A virtual display of the test's own (Xvfb, 1024 x 768), so the native end-to-end tests
# run beside the Wine tests without sharing their screen. Sourced; sets DISPLAY and
# ends the server when the script exits. -noreset: without it the server resets whenever
# its last client leaves, and a client connecting meanwhile is refused.
own_display() {
  local n=140
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
  # The clean-up never changes the script's result: under set -e a kill of a process
  # already gone would otherwise end the trap, and the script, with its failure.
  trap 'rc=$?; set +e; kill $(jobs -p) 2>/dev/null; kill $xvfb_pid 2>/dev/null; wait 2>/dev/null; exit $rc' EXIT
}
