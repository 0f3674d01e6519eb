#pragma once
// The length-prefixed text of the project file: a length, then that many bytes of ANSI
// text with no terminator. Lengths 0..254 take one byte; 255..65533 take 0xFF and two
// bytes; longer texts take 0xFF, 0xFF 0xFF and four bytes.

#include <optional>
#include <string>
#include <string_view>

#include "common/byte_io.h"

namespace gd {

// Fails (writing nothing) only for a text too long for a 32-bit length.
bool WriteArchiveString(ByteWriter& out, std::string_view text);

// Fails the reader, without allocating, when the input ends inside the prefix or the
// length is longer than the bytes that remain.
std::optional<std::string> ReadArchiveString(ByteReader& in);

}  // namespace gd
