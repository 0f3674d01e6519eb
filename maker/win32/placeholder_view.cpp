#include "maker/win32/placeholder_view.h"

#include "maker/win32/heading_font.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/dialog_items.h"

namespace gd {

namespace {

const wchar_t* PageName(int page) {
    switch (page) {
    case kPicturesPage: return L"Pictures";
    case kMusicPage: return L"Music";
    case kSettingsPage: return L"Settings";
    case kEffectsPage: return L"Effects";
    default: return L"";
    }
}

}  // namespace

CPlaceholderView::~CPlaceholderView() {
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    if (title_font_) DeleteObject(title_font_);
}

bool CPlaceholderView::Create() {
    return CreateModeless(context_.instance, IDD_PLACEHOLDER_PAGE, context_.frame) != nullptr;
}

INT_PTR CPlaceholderView::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    std::wstring name = PageName(page_);
    SetItemText(hwnd(), IDC_PLACEHOLDER_TITLE, name);
    SetItemText(hwnd(), IDC_PLACEHOLDER_TEXT,
                L"The " + name +
                    L" page is not part of this version of Glimmerdeck yet. What the project holds for it is kept "
                    L"as it is and goes into the screensaver you make.");
    title_font_ = MakeHeadingFont(hwnd());
    SendDlgItemMessageW(hwnd(), IDC_PLACEHOLDER_TITLE, WM_SETFONT, WPARAM(title_font_), FALSE);
    return FALSE;
}

}  // namespace gd
