// The Linux runtime's entry: reads the command line and plays the screensaver file.

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "runtime/linux/reelhost_app.h"
#include "runtime/linux/reelhost_options.h"

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    gd::ReelhostParse parsed = gd::ParseReelhostOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (parsed.options.help) {
        std::fputs(gd::kReelhostUsage, stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "reelhost: %s\n%s", parsed.error.c_str(), gd::kReelhostUsage);
        return 2;
    }
    // The show thread presents on a display connection of its own.
    XInitThreads();
    return gd::RunReelhost(parsed.options);
}
