#include "maker/win32/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "common/web_addresses.h"
#include "maker/win32/dpi.h"
#include "maker/win32/general_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/state_window.h"
#include "maker/win32/ui_text.h"
#include "win32/high_contrast.h"

namespace gd {

namespace {

constexpr wchar_t kFrameClass[] = L"GlimmerdeckFrame";
constexpr int kFrameWidth = 740;
// Tall enough for the Settings page, the tallest, with its Show group.
constexpr int kFrameHeight = 605;
constexpr UINT_PTR kIndicatorTimer = 1;

}  // namespace

std::wstring FrameCaption(const std::string& title, bool modified) {
    return L"Glimmerdeck - " + std::wstring(modified ? L"*" : L"") + Wide(title);
}

CMainFrame::CMainFrame(MakerServices& services) : services_(services), doc_(services.program_folder) {
    doc_.SetTitleObserver([this] {
        if (window_) UpdateCaption();
    });
}

CMainFrame::~CMainFrame() {
    // The pages are windows of the frame: they go before it.
    pages_.reset();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool CMainFrame::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &StateWindowProc<CMainFrame>;
    wc.hInstance = services_.instance;
    wc.hIcon = LoadIconW(services_.instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hIconSm = static_cast<HICON>(LoadImageW(services_.instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
    wc.lpszClassName = kFrameClass;
    RegisterClassExW(&wc);
    accelerators_ = LoadAcceleratorsW(services_.instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    window_ = CreateWindowExW(0, kFrameClass, FrameCaption(doc_.GetTitle(), false).c_str(),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, kFrameWidth, kFrameHeight, nullptr, nullptr,
                              services_.instance, this);
    return window_ != nullptr && pages_ != nullptr;
}

BOOL CMainFrame::OnCreate(HWND, LPCREATESTRUCT) {
    dpi_ = WindowDpi(window_);
    SetWindowPos(window_, nullptr, 0, 0, ScaleForDpi(kFrameWidth, dpi_), ScaleForDpi(kFrameHeight, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!bars_.Create(services_.instance, window_)) return false;
    if (!navigation_.Create(services_.instance, window_, kNavigationBarId)) return false;
    menu_images_.Attach(services_.instance, GetMenu(window_), dpi_);
    if (services_.settings) recent_.Load(*services_.settings);
    UpdateRecentMenu();
    pages_ = std::make_unique<PageSwitcher>([this](int page) { return MakePage(page); });
    pages_->Start();
    navigation_.SetChecked(kGeneralPage);
    Layout();
    SetTimer(window_, kIndicatorTimer, 250, nullptr);
    return general_ != nullptr;
}

void CMainFrame::ShowCentred(int show_command) {
    RECT frame{};
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, show_command);
    UpdateWindow(window_);
    DragAcceptFiles(window_, TRUE);
}

void CMainFrame::Layout() {
    if (!pages_) return;
    bars_.Layout();
    RECT client{};
    GetClientRect(window_, &client);
    int top = bars_.ToolbarHeight();
    int bottom = client.bottom - bars_.StatusBarHeight();
    int nav_width = navigation_.Width();
    SetWindowPos(navigation_.hwnd(), nullptr, 0, top, nav_width, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (FramePage* page : frame_pages_) {
        if (page)
            SetWindowPos(page->hwnd(), nullptr, nav_width, top, client.right - nav_width, bottom - top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

PageContext CMainFrame::MakePageContext() {
    PageContext context;
    context.instance = services_.instance;
    context.frame = window_;
    context.doc = &doc_;
    context.services = &services_;
    return context;
}

std::unique_ptr<ProjectView> CMainFrame::MakePage(int page) {
    PageContext context = MakePageContext();
    std::unique_ptr<FramePage> made;
    if (page == kGeneralPage) {
        auto general = std::make_unique<CGeneralView>(context);
        if (general->Create()) {
            general_ = general.get();
            made = std::move(general);
        }
    } else {
        made = services_.make_page ? services_.make_page(page, context) : MakeMakerPage(page, context);
    }
    if (!made) return nullptr;
    frame_pages_[size_t(page)] = made.get();
    Layout();
    return made;
}

void CMainFrame::ShowPage(int page) {
    if (pages_->SwitchToPage(page)) navigation_.SetChecked(pages_->current());
    Layout();
}

std::wstring CMainFrame::Caption() const {
    wchar_t text[512] = {};
    GetWindowTextW(window_, text, int(std::size(text)));
    return text;
}

void CMainFrame::UpdateCaption() {
    SetWindowTextW(window_, FrameCaption(doc_.GetTitle(), doc_.IsModified()).c_str());
}

bool CMainFrame::PreTranslateMessage(MSG& message) {
    if (!window_) return false;
    const bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
    if (ours && message.message == WM_KEYDOWN && OnFrameKey(UINT(message.wParam))) return true;
    if (accelerators_ && ours && TranslateAcceleratorW(window_, accelerators_, &message)) return true;
    // The frame is one dialog for the keyboard: Tab goes through the navigation pane and
    // the shown page (hidden pages are skipped), and a page's mnemonics work.
    return IsDialogMessageW(window_, &message);
}

HWND CMainFrame::ShownPageWindow() const {
    FramePage* shown = pages_ ? frame_pages_[size_t(pages_->current())] : nullptr;
    return shown ? shown->hwnd() : nullptr;
}

// The keys that switch pages and panes, wherever the focus is in the frame.
bool CMainFrame::OnFrameKey(UINT key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_MENU) < 0) return false;
    int step = 0;
    if (control && key == VK_TAB) step = shift ? -1 : 1;
    else if (control && key == VK_NEXT) step = 1;
    else if (control && key == VK_PRIOR) step = -1;
    if (step != 0) {
        const int page = (pages_->current() - 1 + step + kPageCount) % kPageCount + 1;
        ShowPage(page);
        FocusPage();
        return true;
    }
    if (key == VK_F6 && !control) {
        // F6 moves between the navigation pane and the page.
        HWND focus = GetFocus();
        if (focus && IsChild(navigation_.hwnd(), focus)) FocusPage();
        else SetFocus(navigation_.Button(navigation_.checked()));
        return true;
    }
    return false;
}

void CMainFrame::FocusPage() {
    HWND page = ShownPageWindow();
    if (!page) return;
    if (HWND first = GetNextDlgTabItem(page, nullptr, FALSE)) SetFocus(first);
}

LRESULT CMainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window_, WM_CREATE, OnCreate);
        HANDLE_MSG(window_, WM_COMMAND, OnCommand);
        HANDLE_MSG(window_, WM_NOTIFY, OnNotify);
        HANDLE_MSG(window_, WM_INITMENU, OnInitMenu);
        HANDLE_MSG(window_, WM_TIMER, OnTimer);
        HANDLE_MSG(window_, WM_DROPFILES, OnDropFiles);
        HANDLE_MSG(window_, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(window_, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(window_, WM_CLOSE, OnClose);
        HANDLE_MSG(window_, WM_DESTROY, OnDestroy);
    case WM_MENUSELECT:
        bars_.OnMenuSelect(LOWORD(wParam), HIWORD(wParam), HMENU(lParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NEXTDLGCTL:
        OnNextControl(HWND(wParam), BOOL(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of new colours; the panes, samples and the
        // navigation pane draw with them (a high-contrast theme turned on or off).
        SpreadColorChange(window_);
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) SpreadColorChange(window_);
        return DefWindowProcW(window_, message, wParam, lParam);
    case kPreviewEndedMessage:
        if (pages_) pages_->ResumePlaying();
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CMainFrame::OnNotify(HWND, int id, NMHDR* header) {
    LRESULT result = 0;
    if (bars_.OnNotify(*header, &result)) return result;
    return FORWARD_WM_NOTIFY(window_, id, header, DefWindowProcW);
}

void CMainFrame::OnTimer(HWND, UINT id) {
    if (id == kIndicatorTimer) bars_.UpdateIndicators();
}

void CMainFrame::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    bars_.UpdateForDpi();
    navigation_.UpdateForDpi();
    menu_images_.Attach(services_.instance, GetMenu(window_), dpi_);
    Layout();
}

void CMainFrame::OnActivate(HWND, UINT state, HWND other, BOOL minimized) {
    // The control that had the focus gets it back when the window is active again.
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) last_focus_ = focus;
    }
    FORWARD_WM_ACTIVATE(window_, state, other, minimized, DefWindowProcW);
}

void CMainFrame::OnSetFocus(HWND, HWND) {
    if (last_focus_ && IsWindow(last_focus_) && IsWindowVisible(last_focus_) && IsWindowEnabled(last_focus_))
        SetFocus(last_focus_);
    else if (navigation_.hwnd())
        SetFocus(navigation_.Button(navigation_.checked()));
}

void CMainFrame::OnNextControl(HWND control, BOOL by_handle) {
    // The dialog manager moves the focus with this when a label's mnemonic is pressed:
    // first to the label, then on to the control after it. The frame is the dialog for
    // the keyboard, so it does what a dialog's own procedure does.
    if (by_handle) SetFocus(control);
    else if (HWND next = GetNextDlgTabItem(window_, GetFocus(), BOOL(WPARAM(control)))) SetFocus(next);
}

void CMainFrame::OnInitMenu(HWND, HMENU menu) {
    if (menu == GetMenu(window_)) EnsureTipOfTheDayItem(window_, menu);
}

void CMainFrame::OnDropFiles(HWND, HDROP drop) {
    // The first file is opened, as a document program does with a dropped file.
    UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(size_t(length) + 1, L'\0');
    DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(length);
    DragFinish(drop);
    SetForegroundWindow(window_);
    if (!path.empty()) OpenProjectFile(Utf8(path));
}

void CMainFrame::OnClose(HWND) {
    if (AskToSaveChanges()) DestroyWindow(window_);
}

void CMainFrame::OnDestroy(HWND) {
    KillTimer(window_, kIndicatorTimer);
    DragAcceptFiles(window_, FALSE);
    if (services_.settings) recent_.Save(*services_.settings);
    PostQuitMessage(0);
}

void CMainFrame::OnCommand(HWND, int id, HWND, UINT) {
    if (id > kNavigationCommandBase && id <= kNavigationCommandBase + kPageCount) {
        ShowPage(id - kNavigationCommandBase);
        return;
    }
    switch (id) {
    case ID_FILE_NEW: OnFileNew(); break;
    case ID_FILE_OPEN: OnFileOpen(); break;
    case ID_FILE_SAVE: OnFileSave(); break;
    case ID_FILE_SAVE_AS: OnFileSaveAs(); break;
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE2:
    case ID_FILE_MRU_FILE3:
    case ID_FILE_MRU_FILE4: OnRecentFile(size_t(id - ID_FILE_MRU_FILE1)); break;
    case ID_APP_EXIT: SendMessageW(window_, WM_CLOSE, 0, 0); break;
    case ID_MAKE_PREVIEW: OnPreview(); break;
    case ID_MAKE_SCR: OnMakeScr(); break;
    case ID_TIP_OF_THE_DAY: OnTipOfTheDay(); break;
    case ID_HELP_TOPICS: OnHelpPage("overview.html"); break;
    case ID_GETTING_STARTED: OnHelpPage("getting-started.html"); break;
    case ID_HOMEPAGE: OpenAddress(kProductPageAddress); break;
    case ID_TECHNICAL_SUPPORT: OpenAddress(kSupportMailAddress); break;
    case ID_APP_ABOUT: OnAbout(); break;
    default: break;
    }
}

}  // namespace gd
