#pragma once
// How the settings dialogs show a configuration's numbers as the texts of their
// drop-down lists, and how they read the texts back: the screensaver's own dialog and
// the maker's Settings page use the same rules.

#include <cstdint>
#include <string>
#include <string_view>

namespace gd {

// A whole number of seconds, "%d".
std::string SecondsText(int32_t seconds);
// Milliseconds shown as seconds with "%g": 1500 gives "1.5", 12 gives "0.012".
std::string MillisecondsAsSecondsText(int32_t milliseconds);

// The decimal number at the start of the text (blanks, sign, digits); 0 when the text is
// not a number. Values beyond the 32-bit range are held at its ends.
int32_t SecondsFromText(std::string_view text);
// The text's decimal number of seconds as milliseconds, truncated toward zero: "2.5"
// gives 2500; 0 when the text is not a number.
int32_t MillisecondsFromSecondsText(std::string_view text);

}  // namespace gd
