#pragma once
// A command interrupted by a signal (Ctrl+C, a kill, a closed pipe) or ending in a crash
// first removes the files its build had in flight (maker/project/temporary_files.h), then
// ends as the signal would have ended it. The screensaver that was there before stays.
// A write beyond the file-size limit fails with an error instead of ending the process,
// so it is reported like a full disk.

namespace gd::cli {

void InstallInterruptCleanup();

}  // namespace gd::cli
