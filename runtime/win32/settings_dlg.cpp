#include "runtime/win32/settings_dlg.h"

#include <commctrl.h>

#include "runtime/win32/saver_info.h"
#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

constexpr UINT_PTR kTabSubclassId = 0x5442;  // "TB"
constexpr const wchar_t* kTabNames[] = {L"Gerneral", L"Settings", L"Effects"};
constexpr int kPageTemplates[] = {IDD_ABOUT_PAGE, IDD_OPTIONS_PAGE, IDD_EFFECTS_PAGE};

}  // namespace

CSettingsDlg::CSettingsDlg(SettingsDialogContext context)
    : context_(std::move(context)),
      about_(*context_.config, *context_.prompter),
      options_(*context_.config, context_.choose_color),
      effects_(*context_.config),
      pages_{&about_, &options_, &effects_} {}

CSettingsDlg::~CSettingsDlg() {
    if (large_icon_) DestroyIcon(large_icon_);
    if (small_icon_) DestroyIcon(small_icon_);
}

INT_PTR CSettingsDlg::OnMessage(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            // The tab control, not the first field of the first page (the dialog manager
            // would pick the description, since the pages are within the tab control).
            SetFocus(Item(IDC_TAB));
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                End(IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_PAINT:
            return PaintMinimised();
        case WM_QUERYDRAGICON:
            SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, LONG_PTR(small_icon_));
            return TRUE;
        case WM_NCDESTROY:
            RemoveWindowSubclass(Item(IDC_TAB), &CSettingsDlg::TabProc, kTabSubclassId);
            return FALSE;
    }
    return FALSE;
}

void CSettingsDlg::OnInitDialog() {
    SetWindowTextW(hwnd(), ShownText(*context_.config, &SaverConfig::name, &SaverTexts::name).c_str());
    large_icon_ = LoadSizedIcon(context_.instance, IDR_MAINFRAME, true);
    small_icon_ = LoadSizedIcon(context_.instance, IDR_MAINFRAME, false);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, LPARAM(large_icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, LPARAM(small_icon_));

    HWND tab = Item(IDC_TAB);
    // The pages are the tab control's children: let dialog navigation go into them.
    SetWindowLongPtrW(tab, GWL_EXSTYLE, GetWindowLongPtrW(tab, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabNames[i]);
        SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
    }
    for (int i = 0; i < kPageCount; ++i) pages_[size_t(i)]->CreateModeless(context_.instance, kPageTemplates[i], tab);
    PlacePages();
    ShowPage(0);
    SetWindowSubclass(tab, &CSettingsDlg::TabProc, kTabSubclassId, DWORD_PTR(this));
}

// Every page covers the tab control's client area below the tab row, in the tab
// control's coordinates, measured from the first tab.
void CSettingsDlg::PlacePages() {
    HWND tab = Item(IDC_TAB);
    RECT first{};
    SendMessageW(tab, TCM_GETITEMRECT, 0, LPARAM(&first));
    RECT client{};
    GetClientRect(tab, &client);
    for (DialogWindow* page : pages_) {
        SetWindowPos(page->hwnd(), HWND_TOP, first.left - 1, first.bottom + 1, client.right - first.left - 1,
                     client.bottom - first.bottom - 2, SWP_NOACTIVATE);
    }
}

void CSettingsDlg::ShowPage(int index) {
    for (int i = 0; i < kPageCount; ++i) {
        if (i != index) ShowWindow(pages_[size_t(i)]->hwnd(), SW_HIDE);
    }
    ShowWindow(pages_[size_t(index)]->hwnd(), SW_SHOW);
    shown_ = index;
}

// Pages follow the mouse only: a tab chosen from the keyboard leaves the page shown.
void CSettingsDlg::OnTabMouseDown() {
    int focus = int(SendMessageW(Item(IDC_TAB), TCM_GETCURFOCUS, 0, 0));
    if (focus < 0 || focus >= kPageCount || focus == shown_) return;
    ShowWindow(pages_[size_t(shown_)]->hwnd(), SW_HIDE);
    ShowWindow(pages_[size_t(focus)]->hwnd(), SW_SHOW);
    SetFocus(pages_[size_t(focus)]->hwnd());
    shown_ = focus;
}

LRESULT CALLBACK CSettingsDlg::TabProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR self) {
    LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    if (message == WM_LBUTTONDOWN) reinterpret_cast<CSettingsDlg*>(self)->OnTabMouseDown();
    return result;
}

void CSettingsDlg::OnOK() {
    SaverConfig& config = *context_.config;
    options_.Save(config);
    effects_.Save(config);
    SaveIniSettings(config, *context_.store, context_.folders);
    End(IDOK);
}

// A minimised dialog shows its icon centred in the window.
bool CSettingsDlg::PaintMinimised() {
    if (!IsIconic(hwnd())) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    SendMessageW(hwnd(), WM_ICONERASEBKGND, WPARAM(dc), 0);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, large_icon_);
    EndPaint(hwnd(), &ps);
    return true;
}

}  // namespace gd
