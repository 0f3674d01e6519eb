#pragma once
// The runtime's command line: which of its roles a start asks for, and the window the
// role belongs to.

#include <cstdint>
#include <functional>
#include <string_view>

namespace gd {

enum class SaverMode : int32_t {
    None = 0,
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    FullScreen = 4,
    Launcher = 5,
};

struct SaverCommand {
    SaverMode mode = SaverMode::None;
    // A 32-bit window handle given in decimal; 0 when none. A negative number gives its
    // 32-bit two's complement, as the platform sign-extends handles.
    uint32_t handle = 0;

    friend bool operator==(const SaverCommand&, const SaverCommand&) = default;
};

// Parses the full command line as the platform reports it, program name included.
// `foreground_window` is asked only for a settings request without a window number.
SaverCommand ParseSaverCommandLine(std::string_view text, const std::function<uint32_t()>& foreground_window);

// The decimal value at the start of `text` the way the C library's atoi reads it:
// leading white space, an optional sign, digits up to the first non-digit; 0 when there
// are none. Overflow wraps modulo 2^32 instead of being undefined.
uint32_t LeadingDecimal(std::string_view text);

}  // namespace gd
