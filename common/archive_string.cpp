#include "common/archive_string.h"

#include <cstdint>

#include "common/code_page.h"
#include "common/unicode_text.h"

namespace gd {
namespace {
constexpr uint8_t kLongPrefix = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr uint16_t kLongerPrefix = 0xFFFF;
constexpr size_t kLongestShort = 254;
constexpr size_t kLongestMedium = 65533;

void WriteLength(ByteWriter& out, size_t n) {
    if (n <= kLongestShort) {
        out.U8(uint8_t(n));
    } else if (n <= kLongestMedium) {
        out.U8(kLongPrefix);
        out.U16(uint16_t(n));
    } else {
        out.U8(kLongPrefix);
        out.U16(kLongerPrefix);
        out.U32(uint32_t(n));
    }
}

// The length, or the wide marker (reported through `wide`).
size_t ReadLength(ByteReader& in, bool& wide) {
    wide = false;
    size_t n = in.U8();
    if (n != kLongPrefix) return n;
    n = in.U16();
    if (n == kWideMarker) {
        wide = true;
        return 0;
    }
    return n == kLongerPrefix ? in.U32() : n;
}

std::optional<std::string> ReadWide(ByteReader& in) {
    bool again = false;
    size_t units = ReadLength(in, again);
    if (again || units > in.remaining() / 2) {
        in.Fail();
        return std::nullopt;
    }
    auto bytes = in.Bytes(units * 2);
    if (!in.ok()) return std::nullopt;
    std::u16string text(units, u'\0');
    for (size_t i = 0; i < units; ++i) text[i] = char16_t(ReadU16(bytes.data() + 2 * i));
    return FromUtf16(text);
}

}  // namespace

bool WriteArchiveString(ByteWriter& out, std::string_view text) {
    CodePageResult narrow = Utf8ToCodePage(text);
    // Code-page bytes that happen to be well-formed UTF-8 ("Ã©" is C3 A9) would read back
    // as another text ("é"): such a text takes the wide form like one the code page lacks.
    if (narrow.ok() && NarrowFileTextToUtf8(narrow.bytes) == text) {
        if (narrow.bytes.size() > UINT32_MAX) return false;
        WriteLength(out, narrow.bytes.size());
        out.Text(narrow.bytes);
        return true;
    }
    std::u16string wide = ToUtf16(text);
    if (wide.size() > UINT32_MAX) return false;
    out.U8(kLongPrefix);
    out.U16(kWideMarker);
    WriteLength(out, wide.size());
    for (char16_t unit : wide) out.U16(unit);
    return true;
}

std::optional<std::string> ReadArchiveString(ByteReader& in) {
    bool wide = false;
    size_t n = ReadLength(in, wide);
    if (wide) return ReadWide(in);
    // Bytes() checks the length against what remains before anything is copied.
    auto bytes = in.Bytes(n);
    if (!in.ok()) return std::nullopt;
    return NarrowFileTextToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace gd
