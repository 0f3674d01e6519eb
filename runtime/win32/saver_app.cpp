// The program's entry: load the configuration from the module itself, apply the
// settings file, read the command line, and act on the mode.

#include <windows.h>

#include <memory>

#include "common/profile_store.h"
#include "common/saver_command_line.h"
#include "common/saver_settings_file.h"
#include "runtime/payload_reader.h"
#include "runtime/win32/child_preview_wnd.h"
#include "runtime/win32/module_resources.h"
#include "runtime/win32/platform_services.h"
#include "runtime/win32/saver_wnd.h"

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
        case SaverMode::Configure:
        case SaverMode::Launcher:
            // The settings dialog and the launcher are not part of this program yet:
            // both end at once, as when they are closed.
            return 0;
        case SaverMode::None:
            return 0;
    }
    return 0;
}

}  // namespace
}  // namespace gd

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return gd::Run(instance); }
