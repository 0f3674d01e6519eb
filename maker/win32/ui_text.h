#pragma once
// The project keeps its texts as UTF-8; windows show UTF-16. These helpers read and
// write a control's text in the project's form.

#include <windows.h>

#include <string>
#include <string_view>

namespace gd {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

std::string ItemUtf8(HWND dialog, int id);
void SetItemUtf8(HWND dialog, int id, std::string_view text);

// A string of the program's string table; empty when there is none.
std::wstring ResourceString(HINSTANCE instance, UINT id);

// The status-bar prompt and the tooltip of a command: the two halves of its string,
// "prompt\ntooltip" (a string without a line break is all prompt).
std::wstring CommandPrompt(HINSTANCE instance, UINT command);
std::wstring CommandTooltip(HINSTANCE instance, UINT command);

}  // namespace gd
