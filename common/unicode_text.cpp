#include "common/unicode_text.h"

#include <cstdio>

namespace gd {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

Utf8Char Escaped(unsigned char byte) { return {char32_t(0xDC00 + byte), 1, false}; }

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, size_t pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1, true};
    size_t length;
    char32_t c, least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return Escaped(lead);
    }
    if (text.size() - pos < length) return Escaped(lead);
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(next)) return Escaped(lead);
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || IsSurrogate(c)) return Escaped(lead);
    return {c, length, true};
}

bool IsWellFormedUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        Utf8Char ch = DecodeUtf8(text, pos);
        if (!ch.well_formed) return false;
        pos += ch.length;
    }
    return true;
}

bool HasNonAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return true;
    return false;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (unsigned byte = EscapedByte(c)) {
        out += char(byte);
        return;
    }
    if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        Utf8Char ch = DecodeUtf8(text, pos);
        pos += ch.length;
        if (ch.code_point >= 0x10000) {
            char32_t v = ch.code_point - 0x10000;
            out += char16_t(0xD800 + (v >> 10));
            out += char16_t(0xDC00 + (v & 0x3FF));
        } else {
            out += char16_t(ch.code_point);
        }
    }
    return out;
}

std::string FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);  // lone surrogates: the escaped bytes come back, others become U+FFFD
    }
    return out;
}

std::string DescribeCharacter(char32_t c) {
    char number[48];
    if (unsigned byte = EscapedByte(c)) {
        std::snprintf(number, sizeof number, "the byte 0x%02X (not UTF-8)", byte);
        return number;
    }
    std::snprintf(number, sizeof number, "U+%04X", unsigned(c));
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || IsSurrogate(c)) return number;
    std::string text = "'";
    AppendUtf8(text, c);
    return text + "' (" + number + ")";
}

}  // namespace gd
