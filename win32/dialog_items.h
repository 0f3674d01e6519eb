#pragma once
// Small typed helpers for the controls of a dialog, reached by id.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace gd {

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, std::wstring_view text);

bool IsItemChecked(HWND dialog, int id);
void SetItemChecked(HWND dialog, int id, bool checked);

// Drop-down lists (combo boxes).
void AddComboItems(HWND dialog, int id, std::initializer_list<const wchar_t*> items);
int ComboItemCount(HWND dialog, int id);
std::wstring ComboItemText(HWND dialog, int id, int index);
// Selects the first item that begins with `text` (case-insensitive) and shows it; when
// none does, shows `text` itself with no item selected.
void ShowComboText(HWND dialog, int id, std::wstring_view text);

// The dots per inch `window` is drawn at: its monitor's where the platform tells it per
// window, else the screen's.
UINT WindowDpi(HWND window);
// `pixels` at 96 dots per inch, scaled to the window's.
int ScaleForWindow(HWND window, int pixels);

// The icon `id` of `instance` at the platform's large or small icon size.
HICON LoadSizedIcon(HINSTANCE instance, int id, bool large);

}  // namespace gd
