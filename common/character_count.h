#pragma once
// Characters as a user sees them, for the limits of the screensaver's texts.
//
// A character here is a code point together with everything that only extends it: the
// combining marks after a letter ("e" + U+0301 is one "é"), variation selectors, the
// Japanese voicing marks, emoji skin tones and tags, a code point after a zero-width
// joiner, the second of a pair of regional indicators (one flag), and the LF of a CR LF.
// It is a close approximation of the platform's user-perceived characters (grapheme
// clusters), enough that a limit never counts bytes or UTF-16 units. A byte that is not
// UTF-8 counts as one character.

#include <cstddef>
#include <string_view>

namespace gd {

size_t CountCharacters(std::string_view utf8);

// The longest start of the text with at most `limit` characters; never splits a
// character (nor a UTF-8 sequence).
std::string_view CutToCharacters(std::string_view utf8, size_t limit);

// True for a code point that extends the character before it (see above).
bool ExtendsCharacter(char32_t c);

}  // namespace gd
