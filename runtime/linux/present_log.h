#pragma once
// A start-up measurement's view of the Linux runtime, the same as the Windows runtime's:
// when REELHOST_PRESENT_LOG names a file, the show appends
//
//   first_present_us=T process_created_us=C
//
// as its first frame reaches the window (T: then, C: when the process started, both in
// microseconds since 1970-01-01 UTC). Without the variable nothing is read or written.

#include <functional>

namespace gd {

// The hook to run at the first present, or an empty one.
std::function<void()> FirstPresentLogFromEnvironment();

}  // namespace gd
