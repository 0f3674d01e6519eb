#pragma once
// UTF-8 and UTF-16 for the maker's texts, which are UTF-8 in memory (see code_page.h for
// the whole text rule).
//
// A Linux file name need not be UTF-8: its bytes are kept in memory as they are. So that
// such a name survives a trip through UTF-16 (the wide form of a project file's texts, the
// wide-character file functions of Windows), every byte that is not part of well-formed
// UTF-8 becomes one lone low surrogate U+DC80..U+DCFF, and that surrogate becomes the
// byte again on the way back. Both conversions therefore lose nothing.

#include <cstddef>
#include <string>
#include <string_view>

namespace gd {

// One character decoded from UTF-8 at `pos`: its code point and how many bytes it took.
// A byte that does not start well-formed UTF-8 (a stray continuation byte, an overlong
// or cut-short sequence, an encoded surrogate, a value above U+10FFFF) is one byte long
// and its code point is the escape U+DC80 + byte.
struct Utf8Char {
    char32_t code_point = 0;
    size_t length = 1;
    bool well_formed = true;
};
Utf8Char DecodeUtf8(std::string_view text, size_t pos);

// The code point of a byte kept as it was (U+DC80..U+DCFF), else 0.
constexpr unsigned EscapedByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF ? unsigned(c - 0xDC00) : 0; }

bool IsWellFormedUtf8(std::string_view text);
// True when the text holds a byte above 0x7F.
bool HasNonAscii(std::string_view text);

// Appends a code point as UTF-8; an escaped byte (U+DC80..U+DCFF) is appended as that
// byte, any other surrogate as U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// UTF-16 of a UTF-8 text (the Windows maker's wide forms are in utf16.h).
std::u16string ToUtf16(std::string_view text);
// Lone surrogates other than the escaped bytes become U+FFFD.
std::string FromUtf16(std::u16string_view text);

// How a message names a character: 'é' (U+00E9); a control character or an escaped byte
// by its number alone: U+000A, the byte 0xE9 (not UTF-8).
std::string DescribeCharacter(char32_t c);

}  // namespace gd
