#include "win32/control_names.h"

#include "win32/accessible_window.h"

namespace gd {

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return name;
}

// Controls whose window text is their content, or nothing: they need a label's name.
bool ShowsNoName(HWND control) {
    const std::wstring kind = ClassOf(control);
    return _wcsicmp(kind.c_str(), L"Edit") == 0 || _wcsicmp(kind.c_str(), L"ComboBox") == 0 ||
           kind == L"SysListView32" || kind == L"msctls_trackbar32" || kind == L"SysTreeView32";
}

bool IsLabel(HWND window) {
    const std::wstring kind = ClassOf(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
               type == SS_LEFTNOWORDWRAP;
    }
    return _wcsicmp(kind.c_str(), L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

void NameControlsForScreenReaders(HWND dialog, std::span<const ControlName> names) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!ShowsNoName(control)) continue;
        HWND before = GetWindow(control, GW_HWNDPREV);
        if (!before || !IsLabel(before)) continue;
        wchar_t text[256] = {};
        GetWindowTextW(before, text, int(std::size(text)));
        const std::wstring name = LabelAsName(text);
        if (!name.empty()) LabelForScreenReaders(control, AccessibleLabel{name, 0, {}});
    }
    for (const ControlName& given : names)
        if (HWND control = GetDlgItem(dialog, given.id))
            LabelForScreenReaders(control, AccessibleLabel{given.name, 0, {}});
}

}  // namespace gd
