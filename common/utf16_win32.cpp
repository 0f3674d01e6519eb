#include "common/utf16.h"

#include "common/unicode_text.h"

namespace gd {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide-character API takes UTF-16");

std::wstring Utf8ToUtf16(std::string_view text) {
    std::u16string units = ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

std::string Utf16ToUtf8(std::wstring_view text) {
    return FromUtf16(std::u16string(text.begin(), text.end()));
}

}  // namespace gd
