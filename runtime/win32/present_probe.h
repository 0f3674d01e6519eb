#pragma once
// A start-up measurement's view of the full-screen show: when the environment variable
// REELHOST_PRESENT_LOG names a file, the show appends one line to it as its first frame
// reaches the window:
//
//   first_present_us=T process_created_us=C
//
// T is the time then and C the time the process was created, both in microseconds since
// 1970-01-01 UTC (the clock a Linux benchmark reads as CLOCK_REALTIME under Wine).
// Without the variable nothing is read, written or timed.

#include <functional>

namespace gd {

// The hook to run at the first present, or an empty one when no log is asked for.
std::function<void()> FirstPresentProbeFromEnvironment();

}  // namespace gd
