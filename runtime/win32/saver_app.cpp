// The program's entry: load the configuration from the module itself, apply the
// settings file, read the command line, and act on the mode.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "common/profile_store.h"
#include "common/saver_command_line.h"
#include "common/saver_settings_file.h"
#include "runtime/payload_reader.h"
#include "runtime/win32/child_preview_wnd.h"
#include "runtime/win32/launcher_dlg.h"
#include "runtime/win32/module_resources.h"
#include "runtime/win32/platform_services.h"
#include "runtime/win32/saver_wnd.h"
#include "runtime/win32/settings_dlg.h"
#include "win32/prompter.h"

namespace gd {
namespace {

// The application object: the mode chosen at start, its window handle and the window
// whose destruction ends the program.
struct CSaverApp {
    SaverCommand command;
    HWND main_window = nullptr;
    SaverConfig config;  // the process-wide configuration every reader sees
};

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// Window handles carry 32 significant bits and are sign-extended on 64-bit Windows.
HWND HandleToWindow(uint32_t handle) { return reinterpret_cast<HWND>(intptr_t(int32_t(handle))); }

std::wstring ProgramPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) return std::wstring(path.data(), n);
        path.resize(path.size() * 2);
    }
}

SettingsDialogContext DialogContext(HINSTANCE instance, SaverConfig& config) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SettingsDialogContext context;
    context.instance = instance;
    context.config = &config;
    context.store = &PlatformProfileStore();
    context.folders = PlatformSettingsFolders();
    context.prompter = &SystemPrompter();
    return context;
}

int Run(HINSTANCE instance) {
    auto resources = std::make_shared<ModuleResources>(instance);
    auto config = LoadSaverConfig(*resources);
    if (!config) return 0;  // not a made screensaver: end without a word

    static CSaverApp app;
    app.config = *config;
    ApplyIniOverrides(app.config, PlatformProfileStore(), PlatformSettingsFolders());
    app.command = ParseSaverCommandLine(GetCommandLineA(), [] {
        return uint32_t(uintptr_t(GetForegroundWindow()));
    });

    switch (app.command.mode) {
        case SaverMode::ChangePassword:
            ChangePassword(HandleToWindow(app.command.handle));
            return 0;
        case SaverMode::Preview: {
            auto* preview = CChildPreviewWnd::Create(instance, HandleToWindow(app.command.handle), app.config,
                                                     resources);
            if (!preview) return 0;  // the handle names no window
            app.main_window = preview->hwnd();
            return RunMessageLoop();
        }
        case SaverMode::FullScreen: {
            auto* saver = CSaverWnd::Create(instance, app.config, resources);
            if (!saver) return 0;
            app.main_window = saver->hwnd();
            return RunMessageLoop();
        }
        case SaverMode::Configure: {
            // The owner named on the command line, the host's settings page; a handle
            // that names no window gives no owner rather than no dialog.
            HWND owner = HandleToWindow(app.command.handle);
            if (owner && !IsWindow(owner)) owner = nullptr;
            app.main_window = owner;
            CSettingsDlg settings(DialogContext(instance, app.config));
            settings.DoModal(owner);
            return 0;
        }
        case SaverMode::Launcher: {
            LauncherContext context;
            context.settings = DialogContext(instance, app.config);
            context.program_path = ProgramPath();
            CLauncherDlg launcher(std::move(context));
            launcher.DoModal(nullptr);
            return 0;
        }
        case SaverMode::None:
            return 0;
    }
    return 0;
}

}  // namespace
}  // namespace gd

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return gd::Run(instance); }
