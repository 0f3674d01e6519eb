#include "common/code_page.h"

#include "common/character_count.h"
#include "common/unicode_text.h"

namespace gd {

namespace {

// 0x80..0x9F of Windows-1252; every other byte is the code point of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

char32_t CodePageToUnicode(uint8_t byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

std::optional<uint8_t> UnicodeToCodePage(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return uint8_t(c);
    for (size_t i = 0; i < 32; ++i)
        if (kHigh[i] == c) return uint8_t(0x80 + i);
    return std::nullopt;
}

namespace {

// Converts a UTF-8 text character by character; `refused` is told each character the code
// page cannot hold and says whether to go on (with `out` extended by what it appended).
template <class Refused> void ToCodePage(std::string_view text, std::string& out, Refused refused) {
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        Utf8Char ch = DecodeUtf8(text, pos);
        pos += ch.length;
        std::optional<uint8_t> byte = ch.well_formed ? UnicodeToCodePage(ch.code_point) : std::nullopt;
        if (byte) out += char(*byte);
        else if (!refused(ch.code_point)) return;
    }
}

}  // namespace

CodePageResult Utf8ToCodePage(std::string_view text) {
    CodePageResult result;
    ToCodePage(text, result.bytes, [&](char32_t c) {
        result.bytes.clear();
        result.refused = c;
        return false;
    });
    return result;
}

std::string CodePageToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) AppendUtf8(out, CodePageToUnicode(b));
    return out;
}

std::string NarrowFileTextToUtf8(std::string_view bytes) {
    if (HasNonAscii(bytes) && IsWellFormedUtf8(bytes)) return std::string(bytes);
    return CodePageToUtf8(bytes);
}

namespace {

// The base letters of Latin Extended-A (U+0100..U+017F), sixteen a row; the letters the
// code page holds (Œ, œ, Š, š, Ÿ, Ž, ž) never get here.
constexpr std::string_view kLatinExtendedA[8] = {
    "AaAaAaCcCcCcCcDd", "DdEeEeEeEeEeGgGg", "GgGgHhHhIiIiIiIi", "IiIiJjKkkLlLlLlL",
    "lLlNnNnNnnNnOoOo", "OoOoRrRrRrSsSsSs", "SsTtTtTtUuUuUuUu", "UuUuWwYyYZzZzZzs",
};

// The best-fit byte of a character the code page lacks; 0 when it is dropped.
char BestFitByte(char32_t c) {
    if (c >= 0x0100 && c <= 0x017F) return kLatinExtendedA[(c - 0x100) / 16][(c - 0x100) % 16];
    if (ExtendsCharacter(c) || c == 0x200B || c == 0xFEFF) return 0;
    if ((c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000) return ' ';
    if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212) return '-';
    if (c == 0x2032) return '\'';
    return '?';
}

}  // namespace

std::string BestFitCodePage(std::string_view text) {
    std::string out;
    ToCodePage(text, out, [&](char32_t c) {
        if (char byte = EscapedByte(c) ? '?' : BestFitByte(c)) out += byte;
        return true;
    });
    return out;
}

}  // namespace gd
