#pragma once
// The platform services of the screensaver protocol: its registry values, the password
// of the older platform family, and the platform version.

#include <windows.h>

#include "runtime/exit_rules.h"

namespace gd {

// "Password Delay" and "Mouse Threshold" of the current user's screensaver key; a
// missing key or value keeps the default.
ScreenSaverValues ReadScreenSaverValues();

// True when the show may end: always on the NT family (its logon protects the desktop),
// otherwise what the platform's password check answers (true when it is missing).
bool VerifyPassword(HWND window);
// Whether VerifyPassword may ask the user anything: never on the NT family.
bool PasswordCheckAsks();

// The password-change request of the older platform family; ends silently where the
// service is missing.
void ChangePassword(HWND owner);

int PlatformMajorVersion();

}  // namespace gd
