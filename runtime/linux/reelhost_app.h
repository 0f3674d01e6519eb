#pragma once
// The Linux runtime's program: open the screensaver file, read its configuration (the
// 744-byte record, the show extras over it, the settings file over both, this run's
// options last), open the window the mode names, and play the show there with its
// music until the mode's end: the window closed, the input that ends a full-screen show,
// the window gone, or SIGTERM, SIGINT or SIGHUP. Every end goes through the session's
// close: the show stops, the music stops and its temporary files are removed.

#include "runtime/linux/reelhost_options.h"

namespace gd {

// The exit code: 0 after a show, 1 when the file or the window cannot be used.
int RunReelhost(const ReelhostOptions& options);

}  // namespace gd
