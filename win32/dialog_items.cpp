#include "win32/dialog_items.h"

#include <vector>

namespace gd {

std::wstring WindowText(HWND window) {
    int n = GetWindowTextLengthW(window);
    if (n <= 0) return {};
    std::vector<wchar_t> buffer(size_t(n) + 1);
    n = GetWindowTextW(window, buffer.data(), n + 1);
    return std::wstring(buffer.data(), size_t(n));
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, std::wstring_view text) {
    SetDlgItemTextW(dialog, id, std::wstring(text).c_str());
}

bool IsItemChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetItemChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void AddComboItems(HWND dialog, int id, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, LPARAM(item));
}

int ComboItemCount(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0)); }

std::wstring ComboItemText(HWND dialog, int id, int index) {
    LRESULT n = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (n == CB_ERR) return {};
    std::vector<wchar_t> buffer(size_t(n) + 1);
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, WPARAM(index), LPARAM(buffer.data()));
    return buffer.data();
}

void ShowComboText(HWND dialog, int id, std::wstring_view text) {
    std::wstring copy(text);
    // CB_SELECTSTRING searches from the start for the first item that begins with the
    // text; it selects nothing and returns CB_ERR when no item does.
    LRESULT found = SendDlgItemMessageW(dialog, id, CB_SELECTSTRING, WPARAM(-1), LPARAM(copy.c_str()));
    if (found == CB_ERR) SetDlgItemTextW(dialog, id, copy.c_str());
}

UINT WindowDpi(HWND window) {
    // Looked up at run time: older platforms have no per-window DPI.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get_dpi && window) {
        if (UINT dpi = get_dpi(window)) return dpi;
    }
    HDC dc = GetDC(window);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi > 0 ? UINT(dpi) : 96;
}

int ScaleForWindow(HWND window, int pixels) { return MulDiv(pixels, int(WindowDpi(window)), 96); }

HICON LoadSizedIcon(HINSTANCE instance, int id, bool large) {
    int cx = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    int cy = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

}  // namespace gd
