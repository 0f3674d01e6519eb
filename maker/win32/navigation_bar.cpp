// Draws its captions with DrawTextW, which the shared Windows layer's users are built
// without (see win32/CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "maker/win32/navigation_bar.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <memory>

#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/accessible_window.h"
#include "win32/high_contrast.h"
#include "win32/state_window.h"

namespace gd {

namespace {

constexpr wchar_t kClassName[] = L"GlimmerdeckNavigationBar";
constexpr int kButtonWidth = 112;
constexpr int kButtonHeight = 68;
constexpr int kIconSize = 48;

struct NavigationButton {
    const wchar_t* caption;
    const wchar_t* tooltip;
    int icon;
};

// Index = page number; entry 0 is unused.
constexpr NavigationButton kButtons[] = {
    {nullptr, nullptr, 0},
    {L"General", L"General Settings", IDI_NAV_GENERAL},
    {L"Pictures", L"Add pictures", IDI_NAV_PICTURES},
    {L"Music", L"Add musics", IDI_NAV_MUSIC},
    {L"Settings", L"Set Paramters", IDI_NAV_SETTINGS},
    {L"Effects", L"Select Effects", IDI_NAV_EFFECTS},
};

int PageOfButton(int control) { return control - kNavigationCommandBase; }

}  // namespace

// A navigation button for screen readers: a page tab named by its caption, selected
// while its page is shown.
class CNavigationBar::ButtonAccessible final : public AccessibleModel {
public:
    ButtonAccessible(const CNavigationBar& bar, int page) : bar_(bar), page_(page) {}
    std::wstring Name(long) const override { return AccessibleText(bar_.Button(page_)); }
    long Role(long) const override { return ROLE_SYSTEM_PAGETAB; }
    long State(long) const override {
        long state = STATE_SYSTEM_SELECTABLE;
        if (bar_.checked() == page_) state |= STATE_SYSTEM_SELECTED;
        if (bar_.hovered() == page_) state |= STATE_SYSTEM_HOTTRACKED;
        return state;
    }
    std::wstring DefaultAction(long) const override { return L"Switch"; }
    void DoDefaultAction(long) const override { PostMessageW(bar_.Button(page_), BM_CLICK, 0, 0); }

private:
    const CNavigationBar& bar_;
    int page_;
};

CNavigationBar::~CNavigationBar() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    DropResources();
}

void CNavigationBar::DropResources() {
    for (HICON& icon : icons_) {
        if (icon) DestroyIcon(icon);
        icon = nullptr;
    }
    if (font_) DeleteObject(font_);
    font_ = nullptr;
    if (background_) DeleteObject(background_);
    background_ = nullptr;
}

bool CNavigationBar::Create(HINSTANCE instance, HWND parent, int id) {
    instance_ = instance;
    id_ = id;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &StateWindowProc<CNavigationBar>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    // A control parent: Tab and the dialog keys of the frame reach the buttons.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Pages", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              0, 0, parent,
                              HMENU(INT_PTR(id)), instance, this);
    if (!window_) return false;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
    for (int page = 1; page <= 5; ++page) {
        buttons_[page] = CreateWindowExW(0, L"BUTTON", kButtons[page].caption,
                                         WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | (page == 1 ? WS_GROUP : 0), 0, 0, 0,
                                         0, window_,
                                         HMENU(INT_PTR(kNavigationCommandBase + page)), instance, nullptr);
        SetWindowSubclass(buttons_[page], &CNavigationBar::ButtonProc, UINT_PTR(page), DWORD_PTR(this));
        MakeAccessible(buttons_[page], std::make_unique<ButtonAccessible>(*this, page));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = UINT_PTR(buttons_[page]);
        tool.lpszText = const_cast<wchar_t*>(kButtons[page].tooltip);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
    UpdateForDpi();
    return true;
}

HWND CNavigationBar::Button(int page) const { return page >= 1 && page <= 5 ? buttons_[page] : nullptr; }

int CNavigationBar::Width() const { return ScaleForDpi(kButtonWidth, dpi_); }

void CNavigationBar::UpdateForDpi() {
    dpi_ = WindowDpi(window_);
    DropResources();
    UpdateColors();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = -MulDiv(9, int(dpi_), 72);
    metrics.lfMessageFont.lfWeight = FW_BOLD;
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    LoadIcons();
    for (int page = 1; page <= 5; ++page) {
        SetWindowPos(buttons_[page], nullptr, 0, ScaleForDpi((page - 1) * kButtonHeight, dpi_), Width(),
                     ScaleForDpi(kButtonHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void CNavigationBar::UpdateColors() {
    if (background_) DeleteObject(background_);
    background_ = CreateSolidBrush(ThemedColor(kNavigationColor, COLOR_BTNFACE));
    InvalidateRect(window_, nullptr, TRUE);
    for (HWND button : buttons_)
        if (button) InvalidateRect(button, nullptr, FALSE);
}

void CNavigationBar::LoadIcons() {
    int size = ScaleForDpi(kIconSize, dpi_);
    for (int page = 1; page <= 5; ++page) {
        icons_[page] = static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(kButtons[page].icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
}

void CNavigationBar::SetChecked(int page) {
    if (page < 1 || page > 5) return;
    checked_ = page;
    for (int n = 1; n <= 5; ++n) {
        // Tab stops at the checked button only, as in a group of option buttons; the
        // arrow keys move within the pane.
        const LONG style = GetWindowLongW(buttons_[n], GWL_STYLE);
        SetWindowLongW(buttons_[n], GWL_STYLE, n == page ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        InvalidateRect(buttons_[n], nullptr, FALSE);
    }
    NotifyWinEvent(EVENT_OBJECT_SELECTION, buttons_[page], OBJID_CLIENT, CHILDID_SELF);
}

void CNavigationBar::OnArrowKey(int page, UINT key) {
    int next = page;
    switch (key) {
    case VK_UP:
    case VK_LEFT: next = page == 1 ? 5 : page - 1; break;
    case VK_DOWN:
    case VK_RIGHT: next = page == 5 ? 1 : page + 1; break;
    case VK_HOME: next = 1; break;
    case VK_END: next = 5; break;
    default: return;
    }
    // As in a tab list: the page follows the focus.
    SetFocus(buttons_[next]);
    OnCommand(window_, kNavigationCommandBase + next, buttons_[next], BN_CLICKED);
}

void CNavigationBar::SetHovered(int page) {
    if (page == hovered_) return;
    int previous = hovered_;
    hovered_ = page;
    if (HWND old = Button(previous)) InvalidateRect(old, nullptr, FALSE);
    if (HWND now = Button(page)) InvalidateRect(now, nullptr, FALSE);
}

void CNavigationBar::OnCommand(HWND, int control, HWND, UINT code) {
    int page = PageOfButton(control);
    if (code != BN_CLICKED || page < 1 || page > 5 || page == checked_) return;
    SetChecked(page);
    SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(kNavigationCommandBase + page, 0), LPARAM(window_));
}

void CNavigationBar::DrawButton(const DRAWITEMSTRUCT& item) {
    int page = PageOfButton(int(item.CtlID));
    if (page < 1 || page > 5) return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool checked = page == checked_;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    // In a high-contrast theme the shown page's button is marked as a selection is, in
    // the theme's highlight: a sunken edge alone is hard to see there.
    const bool marked = checked && HighContrastOn();
    FillRect(dc, &r, marked ? GetSysColorBrush(COLOR_HIGHLIGHT) : background_);
    if (checked || pressed) {
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    } else if (page == hovered_) {
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    int shift = checked || pressed ? ScaleForDpi(1, dpi_) : 0;
    int icon_size = ScaleForDpi(kIconSize, dpi_);
    int icon_x = r.left + (r.right - r.left - icon_size) / 2 + shift;
    int icon_y = r.top + ScaleForDpi(3, dpi_) + shift;
    if (icons_[page]) DrawIconEx(dc, icon_x, icon_y, icons_[page], icon_size, icon_size, 0, nullptr, DI_NORMAL);
    // The caption sits on the bottom, inside the focus rectangle (it ran into it).
    RECT text = r;
    text.top = icon_y + icon_size - ScaleForDpi(3, dpi_);
    text.bottom = r.bottom - ScaleForDpi(5, dpi_);
    OffsetRect(&text, shift, shift);
    HGDIOBJ old_font = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, marked ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ThemedColor(RGB(0, 0, 0), COLOR_BTNTEXT));
    DrawTextW(dc, kButtons[page].caption, -1, &text, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -ScaleForDpi(3, dpi_), -ScaleForDpi(3, dpi_));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT CNavigationBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window_, WM_COMMAND, OnCommand);
        HANDLE_MSG(window_, WM_DRAWITEM, OnDrawItem);
        HANDLE_MSG(window_, WM_ERASEBKGND, OnEraseBkgnd);
    case WM_SYSCOLORCHANGE:
        UpdateColors();
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

BOOL CNavigationBar::OnEraseBkgnd(HWND, HDC dc) {
    RECT r;
    GetClientRect(window_, &r);
    FillRect(dc, &r, background_);
    return TRUE;
}

// Hover tracking of one button: the raised look while the mouse is over it.
LRESULT CALLBACK CNavigationBar::ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                            DWORD_PTR self_data) {
    auto* self = reinterpret_cast<CNavigationBar*>(self_data);
    switch (message) {
    case WM_MOUSEMOVE:
        if (self->hovered_ != int(id)) {
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = button;
            TrackMouseEvent(&track);
            self->SetHovered(int(id));
        }
        break;
    case WM_MOUSELEAVE:
        self->SetHovered(0);
        break;
    case WM_ERASEBKGND:
        return TRUE;  // the owner draw paints every pixel
    case WM_GETDLGCODE:
        return DefSubclassProc(button, message, wparam, lparam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (wparam == VK_UP || wparam == VK_DOWN || wparam == VK_LEFT || wparam == VK_RIGHT || wparam == VK_HOME ||
            wparam == VK_END) {
            self->OnArrowKey(int(id), UINT(wparam));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, &CNavigationBar::ButtonProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wparam, lparam);
}

}  // namespace gd
