#pragma once
// The Settings page's rules that need no window: how a project's number picks an entry
// of a drop-down list, and what the page says about a banner that a made screensaver
// cannot hold. The lists' entries, and how a number is written as an entry and read back
// from one, are the options table's (common/show_options.h), which the screensaver's
// settings dialog shares.
//
// A number list is set by text: the number is written as the list shows its entries
// (whole seconds "%d", an effect duration as seconds "%g") and the first entry that
// begins with that text is selected. A number without such an entry leaves the list's
// selection as it was, and storing then writes that entry's value (0 with none).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/settings_values.h"
#include "common/show_options.h"

namespace gd {

// The entry a list selects for `text`: the first that begins with it, or `previous`
// (-1 for none) when no entry does.
int EntryForText(std::span<const std::string_view> entries, std::string_view text, int previous);

// What the page says under the banner when the screensaver cannot hold it: a byte that is
// not UTF-8 (in the text or the font's face name) or a text longer than the banner's 64
// characters. Empty when the banner is fine.
std::string BannerNote(std::string_view banner, std::string_view face_name);

}  // namespace gd
