#include "common/settings_values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace gd {
namespace {

int32_t Clamped(double value) {
    if (std::isnan(value)) return 0;
    if (value >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

}  // namespace

std::string SecondsText(int32_t seconds) { return std::to_string(seconds); }

std::string MillisecondsAsSecondsText(int32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(milliseconds) * 0.001);
    return text;
}

int32_t SecondsFromText(std::string_view text) {
    std::string copy(text);
    return Clamped(double(std::strtoll(copy.c_str(), nullptr, 10)));
}

int32_t MillisecondsFromSecondsText(std::string_view text) {
    std::string copy(text);
    double seconds = std::strtod(copy.c_str(), nullptr);
    // A decimal text is rarely exact in binary: 1.001 s is 1000.9999999999999 ms, which
    // would truncate to 1000. A nudge far below a millisecond keeps the typed value.
    double milliseconds = seconds * 1000.0;
    milliseconds += milliseconds >= 0 ? 1e-6 : -1e-6;
    return Clamped(std::trunc(milliseconds));
}

}  // namespace gd
