// A window made by someone else, as a screensaver host makes one: grey, at (0, 0) of
// the size asked for. Prints its id in hexadecimal and lives until it is killed; the
// test resizes it from outside (xdotool windowsize).
//
//   host_window WIDTH HEIGHT

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: host_window WIDTH HEIGHT\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int screen = DefaultScreen(d);
    XSetWindowAttributes a{};
    a.background_pixel = 0x808080;
    a.override_redirect = True;  // no window manager places it
    Window w = XCreateWindow(d, RootWindow(d, screen), 0, 0, unsigned(std::atoi(argv[1])), unsigned(std::atoi(argv[2])),
                             0, DefaultDepth(d, screen), InputOutput, DefaultVisual(d, screen),
                             CWBackPixel | CWOverrideRedirect, &a);
    XSelectInput(d, w, ExposureMask);
    XMapRaised(d, w);
    XSync(d, False);
    std::printf("0x%lx\n", w);
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
    }
}
