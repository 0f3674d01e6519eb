// The maker's start: settings, document type, the main window with the project named on
// the command line, the tip of the day, and the message loop.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "common/path_parts.h"
#include "maker/project/build_hooks.h"
#include "maker/ui/tip_of_the_day.h"
#include "maker/preview/preview_plan.h"
#include "maker/win32/main_frame.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_window.h"
#include "maker/win32/registry_settings.h"
#include "maker/win32/saver_preview_thread.h"
#include "maker/win32/shell_registration.h"
#include "maker/win32/tip_dialog.h"
#include "maker/win32/ui_text.h"
#include "win32/common_dialogs.h"
#include "win32/web_address.h"

#if GD_MAKER_HAS_BUILD
#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#endif

namespace gd {

namespace {

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string FolderOf(const std::wstring& path) {
    return Utf8(std::wstring(PathFolder(std::wstring_view(path), kWindowsSeparators)));
}

int RunMessageLoop(CMainFrame& frame) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (frame.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace

int RunMakerWindow(HINSTANCE instance, const std::vector<std::wstring>& args) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    // The folder browser and the desktop's "open" want COM on this thread.
    OleInitialize(nullptr);

    std::wstring program = ProgramPath();
    RegistrySettings settings;
    MakerServices services;
    services.instance = instance;
    services.program_folder = FolderOf(program);
    services.prompter = &SystemPrompter();
    services.files = &SystemFilePrompts();
    services.choose_font = ChooseScreenFont;
    services.settings = &settings;
    services.open_address = [](const std::wstring& address) { return OpenWebAddress(address, SW_SHOWNORMAL); };
#if GD_MAKER_HAS_BUILD
    static CxPictureEncoder encoder;
    static EditorTargetFactory resources;
    services.encoder = &encoder;
    services.resources = &resources;
#endif
    services.screensaver_platform = &HostScreensaverPlatform();
    services.make_page = MakeMakerPage;
    services.choose_color = ChooseColorFullyOpen;
    // Outlives the frame: a preview still closing is waited for after the window went.
    PreviewLauncher previews(instance);
    services.start_preview = [&previews](HWND frame, CScreenSaverDoc& doc) {
        previews.Start(frame, MakePreviewPlan(doc.project()));
    };

    RegisterProjectFileType(program);
    int exit_code = 0;
    {
        CMainFrame frame(services);
        if (!frame.Create()) return 1;
        if (!args.empty()) frame.OpenProjectFile(Utf8(args.front()));
        frame.ShowCentred(SW_SHOW);
        {
            // Made (and so moved on by one tip) at every start, shown only when wanted.
            TipOfTheDay tips(ReadTipsFile(TipsFilePath(services.program_folder)), settings);
            if (tips.ShowAtStartup()) CTipDlg(tips).Run(instance, frame.hwnd());
        }
        exit_code = RunMessageLoop(frame);
    }
    OleUninitialize();
    return exit_code;
}

}  // namespace gd
