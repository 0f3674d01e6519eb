#include "maker/win32/ui_text.h"

#include "common/utf16.h"
#include "win32/dialog_items.h"

namespace gd {

std::wstring Wide(std::string_view utf8) { return Utf8ToUtf16(utf8); }
std::string Utf8(std::wstring_view wide) { return Utf16ToUtf8(wide); }

std::string ItemUtf8(HWND dialog, int id) { return Utf8(ItemText(dialog, id)); }
void SetItemUtf8(HWND dialog, int id, std::string_view text) { SetItemText(dialog, id, Wide(text)); }

std::wstring ResourceString(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size the call hands out a pointer into the resource itself.
    int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, size_t(length)) : std::wstring();
}

std::wstring CommandPrompt(HINSTANCE instance, UINT command) {
    std::wstring text = ResourceString(instance, command);
    return text.substr(0, text.find(L'\n'));
}

std::wstring CommandTooltip(HINSTANCE instance, UINT command) {
    std::wstring text = ResourceString(instance, command);
    size_t line_break = text.find(L'\n');
    return line_break == text.npos ? std::wstring() : text.substr(line_break + 1);
}

}  // namespace gd
