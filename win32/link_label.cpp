// Draws its text with DrawTextW, which the layer's other files are built without (see
// CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>
#include <commctrl.h>

#include "win32/link_label.h"

#include "win32/dialog_items.h"
#include "win32/high_contrast.h"
#include "win32/web_address.h"

namespace gd {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C4B;  // "LK"
// The label notices that the mouse left it by comparing the cursor with its client
// rectangle every 100 ms while it is hovered.
constexpr UINT_PTR kLeaveTimerId = 1;
constexpr UINT kLeaveTimerMs = 100;
#ifndef WM_DPICHANGED_AFTERPARENT
constexpr UINT WM_DPICHANGED_AFTERPARENT = 0x02E3;
#endif

UINT TextFormat(HWND control) {
    LONG style = GetWindowLongW(control, GWL_STYLE);
    UINT format = DT_NOCLIP;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_LEFTNOWORDWRAP: format |= DT_SINGLELINE; break;
        default: format |= DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    return format;
}

}  // namespace

CLinkLabel::CLinkLabel()
    : prompter_(&SystemPrompter()),
      opener_([](const std::wstring& address, int show) { return OpenWebAddress(address, show); }) {}

CLinkLabel::~CLinkLabel() { Detach(); }

bool CLinkLabel::Attach(HWND control) {
    Detach();
    if (!control || !SetWindowSubclass(control, &CLinkLabel::SubclassProc, kSubclassId, DWORD_PTR(this))) {
        return false;
    }
    control_ = control;
    UpdateTooltip();
    InvalidateRect(control_, nullptr, TRUE);
    return true;
}

void CLinkLabel::Detach() {
    if (!control_) return;
    KillTimer(control_, kLeaveTimerId);
    RemoveWindowSubclass(control_, &CLinkLabel::SubclassProc, kSubclassId);
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    control_ = nullptr;
    hovered_ = false;
    DropFonts();
}

void CLinkLabel::SetAddress(std::wstring address) {
    address_ = std::move(address);
    UpdateTooltip();
}

void CLinkLabel::SetUnderline(UnderlineMode mode) {
    underline_ = mode;
    if (control_) InvalidateRect(control_, nullptr, TRUE);
}

bool CLinkLabel::Open() {
    intptr_t result = opener_(address_, SW_SHOWNORMAL);
    if (result > 32) {
        visited_ = true;
        if (control_) InvalidateRect(control_, nullptr, TRUE);
        return true;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    HWND root = control_ ? GetAncestor(control_, GA_ROOT) : nullptr;
    prompter_->Show(root, L"Unable to open hyperlink:\n\n" + HyperlinkErrorText(result), root ? WindowText(root) : L"",
                    MB_OK | MB_ICONEXCLAMATION);
    return false;
}

COLORREF CLinkLabel::TextColor() const {
    // A high-contrast theme has one colour for links.
    if (HighContrastOn()) return GetSysColor(COLOR_HOTLIGHT);
    if (hovered_) return kHoveredLinkColor;
    return visited_ ? kVisitedLinkColor : kLinkColor;
}

bool CLinkLabel::DrawsUnderlined() const {
    switch (underline_) {
        case UnderlineMode::kWhileHovered: return hovered_;
        case UnderlineMode::kAlways: return true;
        case UnderlineMode::kNever: return false;
    }
    return false;
}

LRESULT CALLBACK CLinkLabel::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* label = reinterpret_cast<CLinkLabel*>(self);
    if (message == WM_NCDESTROY) {
        label->Detach();
        return DefSubclassProc(window, message, wparam, lparam);
    }
    return label->Handle(message, wparam, lparam);
}

LRESULT CLinkLabel::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTCLIENT;  // a static without SS_NOTIFY would let the mouse through
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
            return TRUE;
        case WM_MOUSEMOVE:
            SetHovered(true);
            return 0;
        case WM_TIMER:
            if (wparam != kLeaveTimerId) break;
            CheckCursorLeft();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            return 0;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                Open();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the background
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFONT:
        case WM_DPICHANGED_AFTERPARENT:
            DropFonts();
            InvalidateRect(control_, nullptr, TRUE);
            break;
    }
    return DefSubclassProc(control_, message, wparam, lparam);
}

void CLinkLabel::SetHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    if (hovered) {
        SetTimer(control_, kLeaveTimerId, kLeaveTimerMs, nullptr);
    } else {
        KillTimer(control_, kLeaveTimerId);
        pressed_ = false;
    }
    InvalidateRect(control_, nullptr, TRUE);
}

void CLinkLabel::CheckCursorLeft() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(control_, &cursor);
    RECT client{};
    GetClientRect(control_, &client);
    if (!PtInRect(&client, cursor)) SetHovered(false);
}

void CLinkLabel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control_, &ps);
    RECT client{};
    GetClientRect(control_, &client);
    // The parent's background for statics: the label is drawn "transparent" on it.
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control_), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control_)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    HFONT base = reinterpret_cast<HFONT>(SendMessageW(control_, WM_GETFONT, 0, 0));
    if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HFONT font = DrawsUnderlined() ? UnderlinedFont(base) : base;
    HGDIOBJ previous = SelectObject(dc, font ? font : base);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColor());
    std::wstring text = WindowText(control_);
    DrawTextW(dc, text.c_str(), int(text.size()), &client, TextFormat(control_));
    SelectObject(dc, previous);
    EndPaint(control_, &ps);
}

HFONT CLinkLabel::UnderlinedFont(HFONT base) {
    if (underlined_ && underlined_base_ == base) return underlined_;
    DropFonts();
    LOGFONTW description{};
    if (!GetObjectW(base, sizeof description, &description)) return nullptr;
    description.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectW(&description);
    underlined_base_ = base;
    return underlined_;
}

void CLinkLabel::DropFonts() {
    if (underlined_) DeleteObject(underlined_);
    underlined_ = nullptr;
    underlined_base_ = nullptr;
}

void CLinkLabel::UpdateTooltip() {
    if (!control_) return;
    HWND parent = GetParent(control_);
    if (!tooltip_) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_) return;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = UINT_PTR(control_);
        tool.lpszText = const_cast<wchar_t*>(address_.c_str());
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = parent;
    tool.uId = UINT_PTR(control_);
    tool.lpszText = const_cast<wchar_t*>(address_.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
}

}  // namespace gd
