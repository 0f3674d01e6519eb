#include "maker/ui/setting_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/text_trim.h"
#include "maker/project/param_data.h"
#include "maker/project/payload_text.h"

namespace gd {
namespace {

int32_t Clamped(double value) {
    if (std::isnan(value)) return 0;
    if (value >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Case does not matter, as with the list control's own search.
bool BeginsWith(std::string_view entry, std::string_view text) {
    if (text.size() > entry.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (LowerAscii(entry[i]) != LowerAscii(text[i])) return false;
    return true;
}

}  // namespace

std::string WholeSecondsText(int32_t seconds) { return std::to_string(seconds); }

std::string DurationSecondsText(int32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(milliseconds) * 0.001);
    return text;
}

int EntryForText(std::span<const std::string_view> entries, std::string_view text, int previous) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (BeginsWith(entries[i], text)) return int(i);
    return previous;
}

int32_t SecondsFromEntry(std::string_view entry) {
    std::string copy(entry);
    return Clamped(double(std::strtoll(copy.c_str(), nullptr, 10)));
}

int32_t MillisecondsFromEntry(std::string_view entry) {
    std::string copy(entry);
    // Every entry is exact in binary; a nudge far below a millisecond keeps a typed-like
    // value such as 1.001 from truncating to 1000.
    double milliseconds = std::strtod(copy.c_str(), nullptr) * 1000.0;
    milliseconds += milliseconds >= 0 ? 1e-6 : -1e-6;
    return Clamped(std::trunc(milliseconds));
}

std::string BannerNote(std::string_view banner, std::string_view face_name) {
    // The screensaver draws the banner trimmed, so blanks around it cost nothing.
    if (auto reason = CheckRecordText(TrimWhiteSpace(banner), kMaxBanner))
        return "The banner can't go into the screensaver: " + *reason;
    if (auto reason = CheckRecordText(face_name, 0)) return "The banner font can't go into the screensaver: " + *reason;
    return {};
}

}  // namespace gd
