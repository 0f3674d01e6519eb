#pragma once
// The Settings page's rules that need no window: the entries of its drop-down lists, how
// a project's number picks an entry, how an entry reads back as a number, and what the
// page says about a banner that a made screensaver cannot hold.
//
// A number list is set by text: the number is written as the list shows its entries
// (whole seconds "%d", an effect duration as seconds "%g": the texts and readings of
// common/settings_values.h, which the screensaver's settings dialog shares) and the
// first entry that begins with that text is selected. A number without such an entry leaves the list's
// selection as it was, and storing then writes that entry's value (0 with none).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/settings_values.h"

namespace gd {

inline constexpr std::array<std::string_view, 10> kPicturePauseEntries = {"1", "2", "3", "4", "5",
                                                                         "6", "7", "8", "9", "10"};
inline constexpr std::array<std::string_view, 12> kEffectDurationEntries = {"1", "1.5", "2", "2.5", "3", "4",
                                                                           "5", "6", "7", "8", "9", "10"};
// "25 " ends in a blank, as the list has always shown it; it reads as 25.
inline constexpr std::array<std::string_view, 14> kMusicPauseEntries = {"1", "2", "3",  "4",  "5",   "6",  "7",
                                                                       "8", "9", "10", "15", "20", "25 ", "30"};
inline constexpr std::array<std::string_view, 2> kBannerPositionEntries = {"Top center", "Bottom center"};

// The entry a list selects for `text`: the first that begins with it, or `previous`
// (-1 for none) when no entry does.
int EntryForText(std::span<const std::string_view> entries, std::string_view text, int previous);

// What the page says under the banner when the screensaver cannot hold it: a character
// outside the screensaver's code page (in the text or the font's face name) or a text
// longer than the banner's 64 characters. Empty when the banner is fine.
std::string BannerNote(std::string_view banner, std::string_view face_name);

}  // namespace gd
