#include "maker/win32/frame_bars.h"

#include <commctrl.h>
#include <oleacc.h>

#include <iterator>
#include <memory>

#include "maker/win32/bitmap_strip.h"
#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/accessible_window.h"

namespace gd {

namespace {

// The toolbar for screen readers: one push button per command, named by its caption.
class ToolbarAccessible final : public AccessibleModel {
public:
    explicit ToolbarAccessible(HWND toolbar) : toolbar_(toolbar) {}
    long Count() const override { return long(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0)); }
    std::wstring Name(long child) const override {
        if (child == CHILDID_SELF) return L"Toolbar";
        const TBBUTTON b = Button(child);
        wchar_t text[128] = {};
        if (!(b.fsStyle & BTNS_SEP)) SendMessageW(toolbar_, TB_GETBUTTONTEXTW, WPARAM(b.idCommand), LPARAM(text));
        return text;
    }
    long Role(long child) const override {
        if (child == CHILDID_SELF) return ROLE_SYSTEM_TOOLBAR;
        return (Button(child).fsStyle & BTNS_SEP) ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_PUSHBUTTON;
    }
    long State(long child) const override {
        if (child == CHILDID_SELF) return 0;
        const TBBUTTON b = Button(child);
        long state = 0;
        if (!(b.fsState & TBSTATE_ENABLED)) state |= STATE_SYSTEM_UNAVAILABLE;
        if (b.fsState & TBSTATE_PRESSED) state |= STATE_SYSTEM_PRESSED;
        if (b.fsState & TBSTATE_HIDDEN) state |= STATE_SYSTEM_INVISIBLE;
        if (SendMessageW(toolbar_, TB_GETHOTITEM, 0, 0) == child - 1) state |= STATE_SYSTEM_HOTTRACKED;
        return state;
    }
    RECT Bounds(long child) const override {
        RECT r{};
        SendMessageW(toolbar_, TB_GETITEMRECT, WPARAM(child - 1), LPARAM(&r));
        return r;
    }
    std::wstring DefaultAction(long child) const override { return child == CHILDID_SELF ? L"" : L"Press"; }
    void DoDefaultAction(long child) const override {
        const TBBUTTON b = Button(child);
        if (child != CHILDID_SELF && !(b.fsStyle & BTNS_SEP) && (b.fsState & TBSTATE_ENABLED))
            PostMessageW(GetParent(toolbar_), WM_COMMAND, MAKEWPARAM(b.idCommand, 0), LPARAM(toolbar_));
    }

private:
    TBBUTTON Button(long child) const {
        TBBUTTON b{};
        SendMessageW(toolbar_, TB_GETBUTTON, WPARAM(child - 1), LPARAM(&b));
        return b;
    }
    HWND toolbar_;
};

constexpr int kImageSize = 32;

struct ToolbarButton {
    int command;  // 0: a separator
    int image;
    const wchar_t* caption;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {ID_FILE_NEW, 0, L"New"},
    {ID_FILE_OPEN, 1, L"Open"},
    {ID_FILE_SAVE, 2, L"Save"},
    {0, 0, nullptr},
    {ID_MAKE_PREVIEW, 3, L"Preview"},
    {ID_MAKE_SCR, 4, L"Make SCR"},
    {0, 0, nullptr},
    {ID_HOMEPAGE, 5, L"Homepage"},
    {ID_APP_ABOUT, 6, L"About"},
    {ID_HELP_TOPICS, 7, L"Help"},
};

constexpr int kIndicatorStrings[] = {IDS_INDICATOR_CAPS, IDS_INDICATOR_NUM, IDS_INDICATOR_SCRL};
constexpr int kIndicatorKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};

}  // namespace

FrameBars::~FrameBars() {
    if (images_) ImageList_Destroy(images_);
}

bool FrameBars::Create(HINSTANCE instance, HWND frame) {
    instance_ = instance;
    frame_ = frame;
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0,
                               0, 0, 0, frame, HMENU(INT_PTR(kToolbarId)), instance, nullptr);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0, frame,
                              HMENU(INT_PTR(kStatusBarId)), instance, nullptr);
    if (!toolbar_ || !status_) return false;
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetImages();
    AddButtons();
    MakeAccessible(toolbar_, std::make_unique<ToolbarAccessible>(toolbar_));
    SetStatusParts();
    ShowIdle();
    UpdateIndicators();
    return true;
}

void FrameBars::SetImages() {
    int size = ScaleForDpi(kImageSize, WindowDpi(frame_));
    HIMAGELIST images = MakeStripImageList(instance_, size, IDB_TOOLBAR, IDB_TOOLBAR_2X, kImageSize);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, LPARAM(images));
    if (images_) ImageList_Destroy(images_);
    images_ = images;
}

void FrameBars::AddButtons() {
    for (const ToolbarButton& b : kToolbarButtons) {
        TBBUTTON button{};
        if (b.command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = b.image;
            button.idCommand = b.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            button.iString = INT_PTR(b.caption);
        }
        SendMessageW(toolbar_, TB_ADDBUTTONSW, 1, LPARAM(&button));
    }
    // Every button as large as New once all captions are set.
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT first{};
    SendMessageW(toolbar_, TB_GETITEMRECT, 0, LPARAM(&first));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(first.right - first.left, first.bottom - first.top));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

void FrameBars::UpdateForDpi() {
    SetImages();
    // The button size follows the new images and the captions.
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT first{};
    SendMessageW(toolbar_, TB_GETITEMRECT, 0, LPARAM(&first));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(first.right - first.left, first.bottom - first.top));
    SetStatusParts();
    Layout();
}

int FrameBars::ToolbarHeight() const {
    RECT r{};
    GetWindowRect(toolbar_, &r);
    return r.bottom - r.top;
}

int FrameBars::StatusBarHeight() const {
    RECT r{};
    GetWindowRect(status_, &r);
    return r.bottom - r.top;
}

void FrameBars::Layout() {
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    SetStatusParts();
}

void FrameBars::SetStatusParts() {
    RECT client{};
    GetClientRect(frame_, &client);
    HDC dc = GetDC(status_);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(status_, WM_GETFONT, 0, 0)));
    int widths[4];
    int right = client.right;
    for (int i = 2; i >= 0; --i) {
        std::wstring text = ResourceString(instance_, UINT(kIndicatorStrings[i]));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        widths[i + 1] = right;
        right -= size.cx + ScaleForDpi(12, WindowDpi(frame_));
    }
    widths[0] = right;
    SelectObject(dc, old);
    ReleaseDC(status_, dc);
    SendMessageW(status_, SB_SETPARTS, 4, LPARAM(widths));
}

void FrameBars::SetMessage(const std::wstring& text) {
    SendMessageW(status_, SB_SETTEXTW, 0, LPARAM(text.c_str()));
}

std::wstring FrameBars::Message() const { return Indicator(0); }

std::wstring FrameBars::Indicator(int pane) const {
    LRESULT length = LOWORD(SendMessageW(status_, SB_GETTEXTLENGTHW, WPARAM(pane), 0));
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(status_, SB_GETTEXTW, WPARAM(pane), LPARAM(text.data()));
    text.resize(size_t(length));
    return text;
}

void FrameBars::ShowIdle() { SetMessage(ResourceString(instance_, IDS_IDLE_MESSAGE)); }

void FrameBars::ShowPrompt(UINT command) {
    std::wstring prompt = CommandPrompt(instance_, command);
    SetMessage(prompt);
}

void FrameBars::UpdateIndicators() {
    for (int i = 0; i < 3; ++i) {
        bool on = (GetKeyState(kIndicatorKeys[i]) & 1) != 0;
        std::wstring text = on ? ResourceString(instance_, UINT(kIndicatorStrings[i])) : std::wstring();
        if (Indicator(i + 1) != text) SendMessageW(status_, SB_SETTEXTW, WPARAM(i + 1), LPARAM(text.c_str()));
    }
}

bool FrameBars::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        if (info.uFlags & TTF_IDISHWND) return false;
        tooltip_ = CommandTooltip(instance_, UINT(header.idFrom));
        info.lpszText = tooltip_.data();
        *result = 0;
        return true;
    }
    if (header.hwndFrom == toolbar_ && header.code == TBN_HOTITEMCHANGE) {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if (hot.dwFlags & HICF_LEAVING)
            ShowIdle();
        else
            ShowPrompt(UINT(hot.idNew));
        *result = 0;
        return true;
    }
    return false;
}

void FrameBars::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        ShowIdle();  // the menu closed
    } else if (flags & (MF_POPUP | MF_SEPARATOR)) {
        SetMessage(L"");
    } else {
        ShowPrompt(item);
    }
}

}  // namespace gd
