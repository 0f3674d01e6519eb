#pragma once
// The length-prefixed text of the project file, in two forms (the rule that picks one is
// in code_page.h):
//
//   narrow: a length, then that many bytes of code-page text, no terminator;
//   wide:   0xFF, the two bytes 0xFE 0xFF, then a length in UTF-16 units and that many
//           UTF-16 units, little-endian, no terminator.
//
// A length 0..254 takes one byte; 255..65533 takes 0xFF and two bytes; longer takes 0xFF,
// 0xFF 0xFF and four bytes. The two-byte value 0xFFFE never is a length (65534 already
// takes four bytes), which is what marks the wide form; files written before the wide
// form existed never hold it.

#include <optional>
#include <string>
#include <string_view>

#include "common/byte_io.h"

namespace gd {

// Writes a UTF-8 text: narrow when the code page holds it and its code-page bytes read
// back as the same text, wide otherwise. Fails
// (writing nothing) only for a text too long for a 32-bit length.
bool WriteArchiveString(ByteWriter& out, std::string_view text);

// Reads either form as UTF-8. Fails the reader, without allocating, when the input ends
// inside the prefix, the length is longer than the bytes that remain, or a wide marker
// follows a wide marker.
std::optional<std::string> ReadArchiveString(ByteReader& in);

}  // namespace gd
