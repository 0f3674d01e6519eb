#include "win32/list_page.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "common/utf16.h"

namespace gd {

namespace {

constexpr UINT_PTR kKeysSubclass = 0x4C4B4559;  // "LKEY"
constexpr int kFlexibleMinimum = 80;

int Scale(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), 96); }

struct ListKeys {
    std::function<bool(UINT)> on_key;
    ListLetters letters;
};

LRESULT CALLBACK ListKeysProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
    auto* keys = reinterpret_cast<ListKeys*>(data);
    switch (message) {
    case WM_KEYDOWN:
        if (keys->on_key(UINT(wparam))) return 0;
        break;
    case WM_CHAR:
        // Tab and Escape go on to the dialog; letters would move the list's selection.
        if (keys->letters == ListLetters::kIgnored && wparam != VK_TAB && wparam != VK_ESCAPE) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(list, &ListKeysProc, id);
        delete keys;
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wparam, lparam);
}

}  // namespace

void AddListColumns(HWND list, std::span<const ListColumn> columns, int flexible, UINT dpi) {
    RECT client{};
    GetClientRect(list, &client);
    int others = 0;
    for (size_t i = 0; i < columns.size(); ++i)
        if (int(i) != flexible) others += Scale(columns[i].width, dpi);
    const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - others;
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = Scale(columns[i].width, dpi);
        if (int(i) == flexible) column.cx = std::clamp(room, Scale(kFlexibleMinimum, dpi), column.cx);
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.iSubItem = int(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    }
}

HWND CreateTooltips(HINSTANCE instance, HWND owner) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
}

void AddTooltip(HWND tooltips, HWND owner, HWND control, const wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = UINT_PTR(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, LPARAM(&tool));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if ((style & (BS_ICON | BS_BITMAP)) && GetWindowTextLengthW(control) == 0) SetWindowTextW(control, text);
}

void ControlTips::Create(HINSTANCE instance, HWND dialog) {
    dialog_ = dialog;
    tips_ = CreateTooltips(instance, dialog);
}

void ControlTips::Add(int id, const wchar_t* text) const {
    AddTooltip(tips_, dialog_, GetDlgItem(dialog_, id), text);
}

void SetListCell(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&item));
}

void HighlightListRow(HWND list, int row) {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&none));
    if (row < 0) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

POINT ListMenuPoint(HWND list, int selected, POINT screen) {
    if (screen.x != -1 || screen.y != -1) return screen;
    RECT r{};
    r.left = LVIR_LABEL;
    POINT at{4, 4};
    if (selected >= 0 && SendMessageW(list, LVM_GETITEMRECT, WPARAM(selected), LPARAM(&r))) at = {r.left + 4, r.bottom};
    ClientToScreen(list, &at);
    return at;
}

int ListRowAt(HWND list, POINT screen) {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list, &hit.pt);
    return int(SendMessageW(list, LVM_HITTEST, 0, LPARAM(&hit)));
}

void HandleListKeys(HWND list, std::function<bool(UINT key)> on_key, ListLetters letters) {
    auto* kept = new ListKeys{std::move(on_key), letters};
    if (!SetWindowSubclass(list, &ListKeysProc, kKeysSubclass, DWORD_PTR(kept))) delete kept;
}

std::optional<long long> OpenedFileSize(const std::string& path) {
    HANDLE file = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    const bool known = GetFileSizeEx(file, &size) != 0;
    CloseHandle(file);
    return known ? size.QuadPart : 0;
}

}  // namespace gd
