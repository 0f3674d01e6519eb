#pragma once
// The one notation of colours in what the command line prints: "#RRGGBB".

#include <cstdio>
#include <string>

#include "common/color_ref.h"

namespace gd::cli {

// A colour 0x00BBGGRR (red in the low byte, as stored) as "#RRGGBB".
inline std::string ColorText(ColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
                  unsigned((color >> 16) & 0xFF));
    return text;
}

}  // namespace gd::cli
