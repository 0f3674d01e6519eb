#pragma once
// X errors in a program whose windows may belong to someone else: a window that its
// owner destroyed while the show still draws on it gives errors, not the end of the
// program. The handler counts them and remembers the last window named by a BadWindow
// or BadDrawable error; the loop that owns the window asks.

#include <X11/Xlib.h>

#include <cstdint>

namespace gd {

// Installs the handler for every connection of the process (once).
void InstallX11ErrorHandler();
uint64_t X11ErrorCount();
// True once a request on `window` failed because it no longer exists.
bool X11WindowGone(Window window);

}  // namespace gd
