#pragma once
// UTF-8 text to and from the UTF-16 of the Windows wide-character API. The Windows maker
// keeps file paths as UTF-8 in memory, like the Linux one, and converts only where it
// calls the system, so any file name the system allows can be used. The conversion is
// the portable one of unicode_text.h: nothing is lost either way.

#include <string>
#include <string_view>

namespace gd {

std::wstring Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::wstring_view text);

}  // namespace gd
