// Shows one scene of the maker's window for scripts/screenshots, which photographs the
// virtual display and ends this program:
//   maker_window_shots SCENE PROGRAM_FOLDER [PICTURE_FOLDER]
// SCENE: general, pictures, music, music-playing, settings, effects, menu-file, menu-help,
// making, file-dialog, icon-dialog, about, tip.
// The window runs with a sample project and every message box answered "Cancel"; with
// GD_HIGH_CONTRAST=1 in the environment it draws as in a high-contrast theme.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "maker/ui/tip_of_the_day.h"
#include "maker/win32/about_dialog.h"
#include "maker/win32/effect_view.h"
#include "maker/win32/general_view.h"
#include "maker/win32/main_frame.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/music_view.h"
#include "maker/win32/picture_preview.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/preview_file_dialog.h"
#include "maker/win32/registry_settings.h"
#include "maker/win32/tip_dialog.h"
#include "maker/win32/ui_text.h"
#include "win32/common_dialogs.h"
#include "win32/high_contrast.h"
#include "win32/effect_list.h"

namespace gd {
namespace {

class CancellingPrompter final : public Prompter {
public:
    int Show(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDCANCEL; }
};

// Pictures "encoded" as their own path: the making dialog's log, not real entries.
class PathEncoder final : public PictureEncoder {
public:
    PictureEntry Encode(const std::string& path, int, const PictureShape&) const override {
        PictureEntry entry;
        entry.outcome = PictureOutcome::kOk;
        entry.bytes.assign(path.begin(), path.end());
        return entry;
    }
};

class NullTarget final : public ResourceTarget {
public:
    bool Write(uint16_t, uint16_t, std::span<const uint8_t>) override { return true; }
    bool ReplaceIcon(const std::string&) override { return true; }
    bool Commit() override { return true; }
    std::string FailureReason() const override { return {}; }
};

class NullTargets final : public ResourceTargetFactory {
public:
    std::unique_ptr<ResourceTarget> Open(const std::string&) override { return std::make_unique<NullTarget>(); }
};

void FillSampleProject(CMainFrame& frame, const std::string& program_folder, const std::string& pictures) {
    CParamData& project = frame.doc().project();
    project.szName = "Summer 2024";
    project.szAuthor = "Ann Example";
    project.szEmail = "ann@example.org";
    project.szHomePage = "https://www.example.org/ann/";
    project.szCopyright = "(C) 2024 Ann Example";
    project.szDescription = "Pictures of a summer by the sea, with the music we played on the way.";
    project.szIconFile = program_folder + "\\icons\\Sunset.ico";
    // The show's settings, a banner among them.
    project.nPicturePause = 4;
    project.nEffectMilliSecond = 1500;
    project.nAudioPause = 25;
    project.bAutoAdjustSize = 1;
    project.bMuteMusic = 0;
    project.bMouseMove = 0;
    project.crBgColor = 0x00402010;
    project.szBanner = "Summer by the sea";
    project.lfBanner.face_name = "Tahoma";
    project.lfBanner.height = -26;
    project.lfBanner.weight = 700;
    project.crBanner = 0x0040C8F8;
    project.nBannerPos = 1;
    // A folder of its own, emptied, so that making never asks to replace a file.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring output = std::wstring(temp) + L"Glimmerdeck screenshots";
    CreateDirectoryW(output.c_str(), nullptr);
    DeleteFileW((output + L"\\Summer 2024.exe").c_str());
    project.szOutputFolder = Utf8(output);
    struct Sample {
        const char* name;
        const char* caption;
    };
    for (const Sample& sample : {Sample{"sunrise.jpg", "Sunrise over the bay"}, Sample{"meadow.png", "The meadow"},
                                 Sample{"waves.gif", ""}, Sample{"city.bmp", "Back in town"}}) {
        project.pictureList.push_back(CPictureData((pictures.empty() ? program_folder : pictures) + "\\" + sample.name,
                                                   frame.doc().DefaultCaptionStyle()));
        project.pictureList.back().szCaption = sample.caption;
    }
    project.pictureList[1].lfCaptionFont.face_name = "Georgia";
    project.pictureList[1].lfCaptionFont.italic = 1;
    project.pictureList[1].crCaptionColor = 0x00F0F0F0;
    project.pictureList[1].nCaptionPos = 0;
    frame.general_view()->LoadFromProject();
}

// The sample music, and copies under the names of the other kinds the list marks, in the
// screenshots' own folder.
void FillSampleMusic(CMainFrame& frame, const std::string& samples) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"Glimmerdeck screenshots";
    const std::wstring chimes = Wide(samples) + L"\\chimes.wav";
    std::vector<std::string>& music = frame.doc().project().musicList;
    music = {samples + "\\chimes.wav", samples + "\\theme.mid", samples + "\\drone.wav"};
    for (const wchar_t* name : {L"Harbour at dusk.mp3", L"Interview.wma", L"Holiday film.mpg"}) {
        const std::wstring copy = folder + L"\\" + name;
        CopyFileW(chimes.c_str(), copy.c_str(), FALSE);
        music.push_back(Utf8(copy));
    }
}

// A media layer that plays every file for a minute and a half, without a sound device.
class SteadyMedia final : public MediaPlayer {
public:
    bool Open(const std::string&, std::string* = nullptr) override { return true; }
    bool PlayFrom(uint32_t from_ms, std::string* = nullptr) override {
        start_ = GetTickCount() - from_ms;
        playing_ = true;
        return true;
    }
    void Halt() override { playing_ = false; }
    void Close() override { playing_ = false; }
    bool IsOpen() const override { return true; }
    uint32_t Length() const override { return 94000; }
    uint32_t Position() override { return playing_ ? std::min<uint32_t>(GetTickCount() - start_, 94000) : 0; }
    bool Playing() override { return playing_; }
    bool Stopped() override { return !playing_; }

private:
    DWORD start_ = 0;
    bool playing_ = false;
};

const wchar_t* g_select = L"";

// Selects the file of the open dialog's list whose name holds g_select, as a click would.
void SelectFile(HWND hook) {
    HWND dialog = GetParent(hook);
    HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    if (!list) return;
    int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = {};
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(i), LPARAM(&item));
        if (std::wstring(text).find(g_select) == std::wstring::npos) continue;
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, WPARAM(i), LPARAM(&state));
        return;
    }
}

CPreviewFileDialog* g_file_dialog = nullptr;

void CALLBACK SelectLater(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_file_dialog || !g_file_dialog->hwnd()) return;
    KillTimer(nullptr, timer);
    SelectFile(g_file_dialog->hwnd());
}

void CALLBACK OpenMenuLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, timer);
}

int Run(HINSTANCE instance, const std::vector<std::wstring>& args) {
    if (args.size() < 2) return 2;
    std::wstring scene = args[0];
    std::string program_folder = Utf8(args[1]);
    std::string pictures = args.size() > 2 ? Utf8(args[2]) : std::string();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);

    CancellingPrompter prompter;
    MemoryUserSettings settings;
    settings.SetString("Recent File List", "File1", program_folder + "\\Summer 2024.psm");
    settings.SetString("Recent File List", "File2", "C:\\Users\\ann\\Documents\\Shows & Trips\\Winter walks.psm");
    PathEncoder encoder;
    NullTargets targets;
    MakerServices services;
    services.instance = instance;
    services.program_folder = program_folder;
    services.prompter = &prompter;
    services.files = &SystemFilePrompts();
    services.choose_font = ChooseScreenFont;
    services.settings = &settings;
    services.encoder = &encoder;
    services.resources = &targets;
    services.screensaver_platform = &HostScreensaverPlatform();
    services.make_page = MakeMakerPage;
    services.choose_color = ChooseColorFullyOpen;
    if (scene == L"music-playing") {
        services.make_audition_media = [] { return std::make_unique<SteadyMedia>(); };
    }

    CMainFrame frame(services);
    if (!frame.Create()) return 1;
    FillSampleProject(frame, program_folder, pictures);
    frame.ShowCentred(SW_SHOW);
    SendMessageW(frame.hwnd(), WM_INITMENU, WPARAM(GetMenu(frame.hwnd())), 0);
    // Let the frame appear on the display before a dialog covers it.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 1000;) {
        MSG pending;
        while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
        Sleep(10);
    }

    if (scene == L"pictures") {
        // The first picture selected: its caption and its preview.
        SendMessageW(frame.navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
        if (auto* pictures_page = dynamic_cast<CPictureView*>(frame.pages().page(kPicturesPage)))
            pictures_page->ClickRow(0);
    } else if (scene == L"music" || scene == L"music-playing") {
        // The real player says whether it can play the chosen tune here; the steady one
        // shows the player half-way through a file.
        FillSampleMusic(frame, pictures.empty() ? program_folder : pictures);
        SendMessageW(frame.navigation().Button(kMusicPage), BM_CLICK, 0, 0);
        if (auto* music = dynamic_cast<CMusicView*>(frame.pages().page(kMusicPage))) {
            music->ClickRow(scene == L"music" ? 1 : 3);
            if (scene == L"music-playing") music->PlayerSeek(41000);
        }
    } else if (scene == L"effects") {
        // "Clock" demonstrated, a few effects left out of the screensaver.
        SendMessageW(frame.navigation().Button(kEffectsPage), BM_CLICK, 0, 0);
        if (auto* effects = dynamic_cast<CEffectView*>(frame.pages().page(kEffectsPage))) {
            for (int row : {2, 5, 6, 19}) SetEffectRowChecked(effects->list(), row, false);
            effects->SelectRow(20);
        }
    } else if (scene == L"settings") {
        SendMessageW(frame.navigation().Button(kSettingsPage), BM_CLICK, 0, 0);
    } else if (scene == L"menu-file" || scene == L"menu-help") {
        SetTimer(frame.hwnd(), scene == L"menu-help" ? 'h' : 'f', 300, &OpenMenuLater);
    } else if (scene == L"making") {
        SendMessageW(frame.hwnd(), WM_COMMAND, ID_MAKE_SCR, 0);
    } else if (scene == L"about") {
        CAboutDlg(services).Run(frame.hwnd());
    } else if (scene == L"tip") {
        TipOfTheDay tips(ReadTipsFile(TipsFilePath(program_folder)), settings);
        CTipDlg(tips).Run(instance, frame.hwnd());
    } else if (scene == L"file-dialog") {
        CPicturePreview preview;
        FileDialogOptions options;
        options.title = L"Add image files to list";
        options.filter = L"All Support Image Files|*.bmp;*.jpg;*.jpeg;*.gif;*.png|JPG (*.jpg)|*.jpg||";
        options.initial_folder = pictures;
        options.multiple = true;
        options.name_buffer = 4096;
        CPreviewFileDialog dialog(preview, options);
        g_file_dialog = &dialog;
        g_select = L"sunrise";
        SetTimer(nullptr, 0, 700, &SelectLater);
        dialog.Run(instance, frame.hwnd());
    } else if (scene == L"icon-dialog") {
        CPicturePreview preview;
        CPreviewFileDialog dialog(preview, IconDialogOptions(program_folder + "\\icons"));
        g_file_dialog = &dialog;
        g_select = L"Heart";
        SetTimer(nullptr, 0, 700, &SelectLater);
        dialog.Run(instance, frame.hwnd());
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (frame.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace
}  // namespace gd

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(argv + 1, argv + count);
    LocalFree(argv);
    // Wine keeps no high-contrast switch: the screenshots' theme run says it is on, with
    // the theme's colours in the prefix's registry.
    wchar_t on[8] = {};
    if (GetEnvironmentVariableW(L"GD_HIGH_CONTRAST", on, 8) && on[0] == L'1') gd::OverrideHighContrast(true);
    return gd::Run(instance, args);
}
