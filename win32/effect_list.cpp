#include "win32/effect_list.h"

#include <commctrl.h>

#include <string>

#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd {

namespace {

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
}

}  // namespace

void FillEffectList(HWND list, std::span<const std::string_view> names) {
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = ScaleForWindow(list, 200);
    column.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, LPARAM(&column));
    for (size_t row = 0; row < names.size(); ++row) {
        std::wstring name = WidenAnsi(names[row]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(row);
        item.pszText = name.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item));
    }
}

int EffectRowCount(HWND list) { return int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool IsEffectRowChecked(HWND list, int row) {
    return ((SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void SetEffectRowChecked(HWND list, int row, bool checked) {
    SetRowState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int SelectedEffectRow(HWND list) { return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

void SelectEffectRow(HWND list, int row) {
    if (row < 0) {
        SetRowState(list, -1, 0, LVIS_SELECTED);
        return;
    }
    SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

}  // namespace gd
