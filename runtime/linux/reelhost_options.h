#pragma once
// The command line of the Linux runtime:
//
//   reelhost [MODE] [--effect-ms N] [--picture-pause N] [--geometry WxH] [--file] FILE
//
// MODE is one of
//   --window            an ordinary window of its own, for trying a show (the default
//                       when the screensaver host gave no window)
//   --fullscreen        its own window over the whole screen, ended by the input the
//                       screensaver's author chose (and always by Escape, Alt keys, the
//                       middle button and leaving the window)
//   --root              the screen's root window, or the window the screensaver host
//                       names in $XSCREENSAVER_WINDOW
//   --window-id ID      a window someone else made (hexadecimal with 0x, or decimal)
// With no MODE, $XSCREENSAVER_WINDOW decides: that window when it is set, else --window.
// Options may be written with one dash as well (-root), as screensaver hosts do.
// --effect-ms and --picture-pause override the screensaver's own values and its
// settings file for this run (the host's settings screen passes them).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gd {

enum class ReelhostMode { kWindow, kFullScreen, kRoot, kForeignWindow };

struct ReelhostOptions {
    ReelhostMode mode = ReelhostMode::kWindow;
    unsigned long window_id = 0;  // kForeignWindow
    std::string file;
    std::optional<int32_t> effect_ms;
    std::optional<int32_t> picture_pause_s;
    int width = 0, height = 0;  // --window's size; 0: the default
    bool help = false;
};

struct ReelhostParse {
    ReelhostOptions options;
    std::string error;  // empty when the command line is good
};

// `args` without the program name; `host_window` is $XSCREENSAVER_WINDOW (null or empty
// when unset).
ReelhostParse ParseReelhostOptions(std::span<const std::string_view> args, const char* host_window);

// A window id as X names it: "0x1e00003" or "31457283"; nothing when it is no number or 0.
std::optional<unsigned long> ParseWindowId(std::string_view text);

extern const char kReelhostUsage[];

}  // namespace gd
