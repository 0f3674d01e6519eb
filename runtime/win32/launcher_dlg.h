#pragma once
// The launcher of a screensaver started without arguments: its information and the
// buttons Play, Install, Settings and Exit.

#include <windows.h>

#include <functional>
#include <string>

#include "runtime/win32/resource_ids.h"
#include "runtime/win32/saver_info.h"
#include "runtime/win32/settings_dlg.h"
#include "win32/dialog_window.h"
#include "win32/saver_install.h"

namespace gd {

struct LauncherContext {
    SettingsDialogContext settings;  // also the module, the configuration and the prompter
    std::wstring program_path;       // the running program's own file
    InstallPlatform* install = nullptr;
    // Play: starts the program's own file with the parameter "s". Unset: the desktop's
    // "open" of it.
    std::function<void(HWND owner, const std::wstring& program_path)> play;
    // Settings: the settings dialog, modal over the launcher. Unset: CSettingsDlg.
    std::function<void(HWND owner)> open_settings;
};

class CLauncherDlg final : public DialogWindow {
public:
    explicit CLauncherDlg(LauncherContext context);
    ~CLauncherDlg() override;

    INT_PTR DoModal(HWND owner) { return RunModal(context_.settings.instance, IDD_LAUNCHER, owner); }
    HWND Create(HWND owner) { return CreateModeless(context_.settings.instance, IDD_LAUNCHER, owner); }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();

    LauncherContext context_;
    SaverInfoLinks links_;
    HICON large_icon_ = nullptr;
    HICON small_icon_ = nullptr;
};

}  // namespace gd
