// The launcher and its installer in the test's own process: questions answered through
// a prompter, the install's platform in memory.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "runtime/win32/launcher_dlg.h"
#include "tests/runtime/wine/dialog_fixture.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/saver_installer.h"
#include "tests/runtime/wine/message_pump.h"
#include "tests/win32/fake_install_platform.h"
#include "tests/win32/fake_prompter.h"
#include "win32/dialog_items.h"

namespace gd {
namespace {

const std::wstring kProgram = L"D:\\made\\My Show.exe";
const std::wstring kSystemTarget = L"C:\\windows\\system32\\My Show.scr";
constexpr UINT kQuestion = MB_OKCANCEL | MB_ICONINFORMATION;

TEST(SaverBaseName, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(SaverBaseName(L"C:\\x\\My Show.exe"), L"My Show");
    EXPECT_EQ(SaverBaseName(L"C:\\x\\a.b.scr"), L"a.b");
    EXPECT_EQ(SaverBaseName(L"show.scr"), L"show");
    // Without an extension the name is kept whole, not emptied into a file named ".scr".
    EXPECT_EQ(SaverBaseName(L"C:\\dir.v2\\show"), L"show");
}

class Installer : public ::testing::Test {
protected:
    Installer() { platform_.files[kProgram] = "new"; }
    void Run(std::initializer_list<int> answers) {
        prompter_.answers.assign(answers);
        InstallSaver(nullptr, kProgram, prompter_, platform_);
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const ShownPrompt& p : prompter_.shown) texts.push_back(p.text);
        return texts;
    }

    FakeInstallPlatform platform_;
    FakePrompter prompter_;
};

TEST_F(Installer, CancellingTheFirstQuestionChangesNothing) {
    Run({IDCANCEL});
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].text, L"Do you wish to install the Screensaver:\"My Show\"?");
    EXPECT_EQ(prompter_.shown[0].title, L"My Show");
    EXPECT_EQ(prompter_.shown[0].type, kQuestion);
    EXPECT_TRUE(platform_.copies.empty());
}

TEST_F(Installer, InstallsAndSetsTheDefaultWithTheShortPath) {
    Run({IDOK, IDOK});
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Do you wish to install the Screensaver:\"My Show\"?",
                                                   L"Do you want to set \"My Show\" as your default Screensaver? ",
                                                   L"  Installation completed!   "}));
    EXPECT_EQ(prompter_.shown[1].type, kQuestion);
    EXPECT_EQ(prompter_.shown[2].type, UINT(MB_OK));
    EXPECT_EQ(prompter_.shown[2].title, L"My Show");
    EXPECT_EQ(platform_.files[kSystemTarget], "new");
    EXPECT_EQ(platform_.system_ini_saver, L"C:\\WINDOWS\\SYSTEM32\\MYSHOW.SCR");
    EXPECT_TRUE(platform_.screen_save_active);
}

TEST_F(Installer, DecliningTheDefaultStillCompletes) {
    Run({IDOK, IDCANCEL});
    EXPECT_EQ(Texts().back(), L"  Installation completed!   ");
    EXPECT_TRUE(platform_.system_ini_saver.empty());
    EXPECT_FALSE(platform_.screen_save_active);
}

TEST_F(Installer, ASecondInstallAsksToReplaceAndCancelKeepsTheFirstCopy) {
    platform_.files[kSystemTarget] = "first";
    Run({IDOK, IDCANCEL});
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{
                           L"Do you wish to install the Screensaver:\"My Show\"?",
                           L"The Screensaver:\"My Show\" already exists.   \nDo you want to replace it?   "}));
    EXPECT_EQ(prompter_.shown[1].type, kQuestion);
    EXPECT_EQ(platform_.files[kSystemTarget], "first");
}

TEST_F(Installer, ARefusedSystemFolderInstallsForTheUserAndSaysWhere) {
    platform_.refuse_copies_into.insert(platform_.system_folder);
    Run({IDOK, IDOK});
    const std::wstring user_target = platform_.user_folder + L"\\My Show.scr";
    EXPECT_EQ(platform_.files[user_target], "new");
    EXPECT_EQ(platform_.user_saver, L"C:\\USERS\\ME\\APPDATA\\LOCAL\\GLIMMERDECK\\SCREENSAVERS\\MYSHOW.SCR");
    EXPECT_TRUE(platform_.system_ini_saver.empty());
    EXPECT_EQ(Texts().back(), L"  Installation completed!   \n\nInstalled for the current user only, as\n" + user_target);
}

TEST_F(Installer, FailuresAreReportedInTheFinalMessage) {
    platform_.fail_copies = true;
    Run({IDOK});
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Do you wish to install the Screensaver:\"My Show\"?",
                                                   L"Fail to install the Screensaver: My Show!"}));

    prompter_.shown.clear();
    platform_.fail_copies = false;
    platform_.ini_writable = false;
    Run({IDOK, IDOK});
    EXPECT_EQ(Texts().back(), L"Fail to set My Show as your default Sreen Saver!");
}

TEST_F(Installer, TheLauncherIsDisabledDuringTheCopyOnly) {
    HWND launcher = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    class WatchingPlatform : public InstallPlatform {
    public:
        WatchingPlatform(FakeInstallPlatform& inner, HWND window) : inner_(inner), window_(window) {}
        std::wstring SystemFolder() override { return inner_.SystemFolder(); }
        std::wstring UserFolder() override { return inner_.UserFolder(); }
        bool CanWriteFolder(const std::wstring& f) override { return inner_.CanWriteFolder(f); }
        bool CreateFolder(const std::wstring& f) override { return inner_.CreateFolder(f); }
        bool FileExists(const std::wstring& p) override { return inner_.FileExists(p); }
        CopyResult CopyReplacing(const std::wstring& a, const std::wstring& b) override {
            enabled_during_copy = IsWindowEnabled(window_) != FALSE;
            return inner_.CopyReplacing(a, b);
        }
        std::wstring ShortPath(const std::wstring& p) override { return inner_.ShortPath(p); }
        bool WriteSystemIniSaver(const std::wstring& v) override { return inner_.WriteSystemIniSaver(v); }
        bool WriteUserSaver(const std::wstring& v) override { return inner_.WriteUserSaver(v); }
        bool SetScreenSaveActive() override { return inner_.SetScreenSaveActive(); }
        bool enabled_during_copy = true;

    private:
        FakeInstallPlatform& inner_;
        HWND window_;
    } watching(platform_, launcher);
    prompter_.answers = {IDOK, IDCANCEL};
    InstallSaver(launcher, kProgram, prompter_, watching);
    EXPECT_FALSE(watching.enabled_during_copy);
    EXPECT_TRUE(IsWindowEnabled(launcher));
    DestroyWindow(launcher);
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        InitDialogControls();
        config_ = SampleSaverConfig();
        platform_.files[kProgram] = "new";
    }
    void TearDown() override {
        launcher_.reset();
        DropPendingMessages();
    }
    HWND Open(bool default_settings = false) {
        LauncherContext context;
        context.settings.instance = GetModuleHandleW(nullptr);
        context.settings.config = &config_;
        context.settings.store = &PlatformProfileStore();
        context.settings.prompter = &prompter_;
        context.program_path = kProgram;
        context.install = &platform_;
        context.play = [this](HWND owner, const std::wstring& path) { played_.push_back({owner, path}); };
        if (!default_settings) context.open_settings = [this](HWND owner) { settings_owners_.push_back(owner); };
        launcher_ = std::make_unique<CLauncherDlg>(std::move(context));
        return launcher_->Create(nullptr);
    }
    void Press(HWND window, int id) { PressButton(window, id); }

    SaverConfig config_;
    FakeInstallPlatform platform_;
    FakePrompter prompter_;
    std::vector<std::pair<HWND, std::wstring>> played_;
    std::vector<HWND> settings_owners_;
    std::unique_ptr<CLauncherDlg> launcher_;
};

TEST_F(Launcher, ShowsTheScreensaversInformation) {
    HWND launcher = Open();
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(WindowText(launcher), L"Autumn Walk Screensaver Installation");
    EXPECT_EQ(ItemText(launcher, IDC_NAME), L"Autumn Walk");
    EXPECT_EQ(ItemText(launcher, IDC_AUTHOR), L"Ada");
    EXPECT_EQ(ItemText(launcher, IDC_COPYRIGHT), L"(c) Ada");
    EXPECT_EQ(ItemText(launcher, IDC_EMAIL), L"ada@example.org");
    EXPECT_EQ(ItemText(launcher, IDC_HOMEPAGE), L"https://ada.example.org/");
    EXPECT_EQ(ItemText(launcher, IDC_DESCRIPTION), L"Leaves and light.");
    EXPECT_EQ(ItemText(launcher, IDC_PLAY), L"&Play");
    EXPECT_EQ(ItemText(launcher, IDC_INSTALL), L"&Install");
    EXPECT_EQ(ItemText(launcher, IDC_SETTINGS), L"&Settings");
    EXPECT_EQ(ItemText(launcher, IDCANCEL), L"&Exit");
}

// A screensaver with its texts in Unicode shows them, whatever the ANSI code page.
TEST_F(Launcher, ShowsTheTextsInUnicodeWhenTheScreensaverHasThem) {
    config_.name = "?????? 2026";
    config_.texts = SaverTexts{"Ελλάδα 2026", "Zoë Łukasiewicz", "zoë@example.org", "https://example.org/łódź",
                               "© 2026 Ёлка",  "Zimowe zdjęcia\r\n東京の夜", "Москва", "Arial"};
    HWND launcher = Open();
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(WindowText(launcher), L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026 Screensaver Installation");
    EXPECT_EQ(ItemText(launcher, IDC_NAME), L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026");
    EXPECT_EQ(ItemText(launcher, IDC_AUTHOR), L"Zo\u00eb \u0141ukasiewicz");
    EXPECT_EQ(ItemText(launcher, IDC_COPYRIGHT), L"\u00a9 2026 \u0401\u043b\u043a\u0430");
    EXPECT_EQ(ItemText(launcher, IDC_EMAIL), L"zo\u00eb@example.org");
    EXPECT_EQ(ItemText(launcher, IDC_HOMEPAGE), L"https://example.org/\u0142\u00f3d\u017a");
    EXPECT_EQ(ItemText(launcher, IDC_DESCRIPTION), L"Zimowe zdj\u0119cia\r\n\u6771\u4eac\u306e\u591c");
}

TEST_F(Installer, AGreekNameInstallsUnderItselfWithGreekQuestions) {
    const std::wstring program = L"D:\\made\\\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026.exe";
    const std::wstring base = L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026";
    platform_.files[program] = "greek";
    prompter_.answers = {IDOK, IDOK, IDOK};
    InstallSaver(nullptr, program, prompter_, platform_);
    EXPECT_EQ(platform_.files[L"C:\\windows\\system32\\" + base + L".scr"], "greek");
    ASSERT_EQ(prompter_.shown.size(), 3u);
    EXPECT_EQ(prompter_.shown[0].text, L"Do you wish to install the Screensaver:\"" + base + L"\"?");
    EXPECT_EQ(prompter_.shown[0].title, base);
    EXPECT_EQ(prompter_.shown[2].text, L"  Installation completed!   ");
}

TEST_F(Launcher, ButtonsPlayInstallOpenSettingsAndExit) {
    HWND launcher = Open();
    Press(launcher, IDC_PLAY);
    ASSERT_EQ(played_.size(), 1u);
    EXPECT_EQ(played_[0].first, launcher);
    EXPECT_EQ(played_[0].second, kProgram);

    Press(launcher, IDC_SETTINGS);
    EXPECT_EQ(settings_owners_, std::vector<HWND>{launcher});

    prompter_.answers = {IDOK, IDCANCEL};
    Press(launcher, IDC_INSTALL);
    EXPECT_EQ(platform_.files[kSystemTarget], "new");
    EXPECT_TRUE(IsWindow(launcher)) << "the launcher stays open after installing";

    Press(launcher, IDCANCEL);
    EXPECT_EQ(launcher_->result(), IDCANCEL);
    EXPECT_FALSE(IsWindow(launcher));
}

// Settings opens the real settings dialog, modal over the launcher; a timer closes it.
TEST_F(Launcher, SettingsOpensTheSettingsDialogOverTheLauncher) {
    HWND launcher = Open(true);
    static HWND seen_owner;
    static std::wstring seen_title;
    seen_owner = nullptr;
    seen_title.clear();
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND dialog = FindWindowW(L"#32770", L"Autumn Walk");
        if (!dialog) return;
        seen_owner = GetWindow(dialog, GW_OWNER);
        seen_title = WindowText(dialog);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Press(launcher, IDC_SETTINGS);  // returns when the modal dialog ends
    EXPECT_EQ(seen_owner, launcher);
    EXPECT_EQ(seen_title, L"Autumn Walk");
    EXPECT_TRUE(IsWindowEnabled(launcher));
}

}  // namespace
}  // namespace gd
