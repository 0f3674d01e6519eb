#include "maker/win32/tip_dialog.h"

#include "maker/project/path_rules.h"
#include "maker/win32/dpi.h"
#include "maker/win32/heading_font.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"
#include "win32/high_contrast.h"

namespace gd {

namespace {
constexpr int kBulbSize = 32;
// The tip's panel: white, or the theme's window colour in high contrast.
COLORREF PanelColor() { return ThemedColor(RGB(255, 255, 255), COLOR_WINDOW); }
}  // namespace

std::string TipsFilePath(const std::string& program_folder) {
    return JoinPath(JoinPath(program_folder, "data"), "Tips.txt");
}

CTipDlg::~CTipDlg() {
    if (header_font_) DeleteObject(header_font_);
    if (bulb_) DeleteObject(bulb_);
}

INT_PTR CTipDlg::Run(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    return RunModal(instance, IDD_TIP, owner);
}

HWND CTipDlg::CreateForTest(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    return CreateModeless(instance, IDD_TIP, owner);
}

INT_PTR CTipDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_TIP_NEXT:
            tips_.NextTip();
            ShowTip();
            return TRUE;
        case IDOK:  // "&Close" remembers the box; the close box does not
            tips_.Close(IsItemChecked(hwnd(), IDC_TIP_STARTUP));
            End(IDOK);
            return TRUE;
        case IDCANCEL:
            End(IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_DRAWITEM:
        DrawBulb(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        int id = GetDlgCtrlID(HWND(lparam));
        if (id != IDC_TIP_HEADER && id != IDC_TIP_TEXT && id != IDC_TIP_FOOTER) return FALSE;
        SetBkColor(HDC(wparam), PanelColor());
        SetTextColor(HDC(wparam), GetSysColor(COLOR_WINDOWTEXT));
        return INT_PTR(HighContrastOn() ? GetSysColorBrush(COLOR_WINDOW) : GetStockObject(WHITE_BRUSH));
    }
    default:
        return FALSE;
    }
}

void CTipDlg::OnInitDialog() {
    SetItemChecked(hwnd(), IDC_TIP_STARTUP, tips_.ShowAtStartup());
    header_font_ = MakeHeadingFont(hwnd());
    SendDlgItemMessageW(hwnd(), IDC_TIP_HEADER, WM_SETFONT, WPARAM(header_font_), FALSE);
    int size = ScaleForDpi(kBulbSize, WindowDpi(hwnd()));
    bulb_ = static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(size > kBulbSize ? IDB_BULB_2X : IDB_BULB),
                                            IMAGE_BITMAP, 0, 0, 0));
    ShowTip();
    EnableWindow(Item(IDC_TIP_NEXT), tips_.CanShowNext());
}

void CTipDlg::ShowTip() {
    const Tip& tip = tips_.tip();
    SetItemUtf8(hwnd(), IDC_TIP_HEADER, tip.header);
    SetItemUtf8(hwnd(), IDC_TIP_TEXT, tip.text);
    SetItemUtf8(hwnd(), IDC_TIP_FOOTER, tip.footer);
    if (!tips_.CanShowNext()) EnableWindow(Item(IDC_TIP_NEXT), FALSE);
}

void CTipDlg::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    // The white panel fills the frame; the bulb's column is drawn by its own control.
    RECT panel{};
    GetWindowRect(Item(IDC_TIP_FRAME), &panel);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&panel), 2);
    DrawEdge(dc, &panel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &panel, HighContrastOn() ? GetSysColorBrush(COLOR_WINDOW) : HBRUSH(GetStockObject(WHITE_BRUSH)));
    EndPaint(hwnd(), &paint);
}

void CTipDlg::DrawBulb(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
    if (!bulb_) return;
    BITMAP info{};
    GetObjectW(bulb_, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bulb_);
    int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - info.bmWidth) / 2;
    int y = item.rcItem.top + ScaleForDpi(6, WindowDpi(hwnd()));
    // The bulb's white background takes the column's colour.
    TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth, info.bmHeight,
                   RGB(255, 255, 255));
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace gd
