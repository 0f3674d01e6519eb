#include "maker/ui/setting_rules.h"

#include "common/text_trim.h"
#include "maker/project/param_data.h"
#include "maker/project/payload_text.h"

namespace gd {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Case does not matter, as with the list control's own search.
bool BeginsWith(std::string_view entry, std::string_view text) {
    if (text.size() > entry.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (LowerAscii(entry[i]) != LowerAscii(text[i])) return false;
    return true;
}

}  // namespace

int EntryForText(std::span<const std::string_view> entries, std::string_view text, int previous) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (BeginsWith(entries[i], text)) return int(i);
    return previous;
}

std::string BannerNote(std::string_view banner, std::string_view face_name) {
    // The screensaver draws the banner trimmed, so blanks around it cost nothing.
    if (auto reason = CheckRecordText(TrimWhiteSpace(banner), kMaxBanner))
        return "The banner can't go into the screensaver: " + *reason;
    if (auto reason = CheckRecordText(face_name, 0)) return "The banner font can't go into the screensaver: " + *reason;
    return {};
}

}  // namespace gd
