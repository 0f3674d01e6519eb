#include "runtime/win32/launcher_dlg.h"

#include <shellapi.h>

#include "runtime/win32/saver_info.h"
#include "runtime/win32/saver_installer.h"
#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd {

CLauncherDlg::CLauncherDlg(LauncherContext context) : context_(std::move(context)) {
    if (!context_.install) context_.install = &SystemInstallPlatform();
    if (!context_.play) {
        // A second process shows the show; the launcher stays, and a failure is silent.
        context_.play = [](HWND owner, const std::wstring& path) {
            ShellExecuteW(owner, L"open", path.c_str(), L"s", nullptr, SW_SHOWNORMAL);
        };
    }
    if (!context_.open_settings) {
        context_.open_settings = [this](HWND owner) {
            CSettingsDlg settings(context_.settings);
            settings.DoModal(owner);
        };
    }
}

CLauncherDlg::~CLauncherDlg() {
    if (large_icon_) DestroyIcon(large_icon_);
    if (small_icon_) DestroyIcon(small_icon_);
}

INT_PTR CLauncherDlg::OnMessage(UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        OnInitDialog();
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wparam)) {
        case IDC_PLAY:
            context_.play(hwnd(), context_.program_path);
            return TRUE;
        case IDC_INSTALL:
            InstallSaver(hwnd(), context_.program_path, *context_.settings.prompter, *context_.install);
            return TRUE;
        case IDC_SETTINGS:
            context_.open_settings(hwnd());
            return TRUE;
        case IDCANCEL:
            End(IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

void CLauncherDlg::OnInitDialog() {
    const SaverConfig& config = *context_.settings.config;
    SetWindowTextW(hwnd(), (ShownText(config, &SaverConfig::name, &SaverTexts::name) + L" Screensaver Installation").c_str());
    large_icon_ = LoadSizedIcon(context_.settings.instance, IDR_MAINFRAME, true);
    small_icon_ = LoadSizedIcon(context_.settings.instance, IDR_MAINFRAME, false);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, LPARAM(large_icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, LPARAM(small_icon_));
    ShowSaverInfo(hwnd(), config, links_, *context_.settings.prompter);
}

}  // namespace gd
