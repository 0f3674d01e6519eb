#include "runtime/linux/x11_errors.h"

#include <X11/Xproto.h>

#include <atomic>

namespace gd {
namespace {

std::atomic<uint64_t> g_errors{0};
std::atomic<unsigned long> g_gone_window{0};

int CountError(Display*, XErrorEvent* e) {
    ++g_errors;
    if (e->error_code == BadWindow || e->error_code == BadDrawable) g_gone_window = e->resourceid;
    return 0;
}

}  // namespace

void InstallX11ErrorHandler() {
    static const bool installed = [] {
        XSetErrorHandler(CountError);
        return true;
    }();
    (void)installed;
}

uint64_t X11ErrorCount() { return g_errors.load(); }

bool X11WindowGone(Window window) { return window != 0 && g_gone_window.load() == window; }

}  // namespace gd
