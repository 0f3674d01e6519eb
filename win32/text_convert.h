#pragma once
// Text in the records and settings files is in the system's ANSI code page; windows and
// paths are handled as wide text so names outside that code page survive.

#include <string>
#include <string_view>

namespace gd {

std::wstring WidenAnsi(std::string_view text);
// Characters the code page cannot hold become its default character.
std::string NarrowAnsi(std::wstring_view text);

}  // namespace gd
