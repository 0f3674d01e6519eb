// The install shared by the launcher and the maker, through a platform in memory, and
// the real platform's calls on files of a temporary folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/win32/fake_install_platform.h"
#include "win32/saver_install.h"

namespace gd {
namespace {

const std::wstring kSource = L"D:\\made\\My Show.exe";
const std::wstring kSystemTarget = L"C:\\windows\\system32\\My Show.scr";
const std::wstring kUserTarget = L"C:\\users\\me\\AppData\\Local\\Glimmerdeck\\Screensavers\\My Show.scr";

class Install : public ::testing::Test {
protected:
    Install() { platform_.files[kSource] = "new"; }

    InstallOutcome Run() {
        InstallHooks hooks;
        hooks.confirm_replace = [this](const InstallTarget& t) {
            asked_about_.push_back(t.path);
            return replace_;
        };
        hooks.copying = [this](bool on) { copying_events_.push_back(on); };
        return InstallSaverFile(platform_, kSource, L"My Show", hooks);
    }

    FakeInstallPlatform platform_;
    bool replace_ = true;
    std::vector<std::wstring> asked_about_;
    std::vector<bool> copying_events_;
};

TEST_F(Install, GoesToTheSystemFolderWhenItMayBeWritten) {
    InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.status, InstallStatus::kInstalled);
    EXPECT_EQ(outcome.target.path, kSystemTarget);
    EXPECT_EQ(outcome.target.place, InstallPlace::kSystemFolder);
    EXPECT_EQ(platform_.files[kSystemTarget], "new");
    EXPECT_TRUE(asked_about_.empty()) << "nothing to replace, nothing to ask";
    EXPECT_EQ(copying_events_, (std::vector<bool>{true, false}));
}

TEST_F(Install, AsksBeforeReplacingAndKeepsTheOldFileWhenDeclined) {
    platform_.files[kSystemTarget] = "old";
    replace_ = false;
    InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.status, InstallStatus::kDeclined);
    EXPECT_EQ(asked_about_, std::vector<std::wstring>{kSystemTarget});
    EXPECT_EQ(platform_.files[kSystemTarget], "old");
    EXPECT_TRUE(platform_.copies.empty());

    replace_ = true;
    EXPECT_EQ(Run().status, InstallStatus::kInstalled);
    EXPECT_EQ(platform_.files[kSystemTarget], "new");
}

TEST_F(Install, GoesToTheUserFolderWhenTheSystemFolderMayNotBeWritten) {
    platform_.read_only.insert(platform_.system_folder);
    platform_.files[kSystemTarget] = "someone else's";
    InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.status, InstallStatus::kInstalled);
    EXPECT_EQ(outcome.target.place, InstallPlace::kUserFolder);
    EXPECT_EQ(outcome.target.path, kUserTarget);
    EXPECT_TRUE(platform_.folders.count(platform_.user_folder)) << "the per-user folder is made on demand";
    EXPECT_TRUE(asked_about_.empty()) << "the question is about the real target, which does not exist";
    EXPECT_EQ(platform_.files[kSystemTarget], "someone else's");
}

TEST_F(Install, ARefusedCopyIntoTheSystemFolderInstallsForTheUser) {
    platform_.refuse_copies_into.insert(platform_.system_folder);
    platform_.files[kSystemTarget] = "old";
    platform_.files[kUserTarget] = "old";
    InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.status, InstallStatus::kInstalled);
    EXPECT_EQ(outcome.target.path, kUserTarget);
    EXPECT_EQ(platform_.files[kUserTarget], "new");
    // Asked once per real target: first the system file, then the user's own copy.
    EXPECT_EQ(asked_about_, (std::vector<std::wstring>{kSystemTarget, kUserTarget}));
}

TEST_F(Install, OtherCopyFailuresAreFailuresWithoutAFallback) {
    platform_.fail_copies = true;
    InstallOutcome outcome = Run();
    EXPECT_EQ(outcome.status, InstallStatus::kFailed);
    EXPECT_EQ(platform_.copies, std::vector<std::wstring>{kSystemTarget});

    platform_.fail_copies = false;
    platform_.read_only.insert(platform_.system_folder);
    platform_.can_create_folders = false;
    EXPECT_EQ(Run().status, InstallStatus::kFailed) << "no per-user folder to copy into";

    platform_.user_folder.clear();
    EXPECT_EQ(Run().status, InstallStatus::kFailed);
}

TEST_F(Install, TheInstalledFileInstalledAgainStaysWhereItIs) {
    platform_.files[kSystemTarget] = "installed";
    InstallOutcome outcome = InstallSaverFile(platform_, L"c:\\WINDOWS\\system32\\my show.scr", L"My Show", {});
    EXPECT_EQ(outcome.status, InstallStatus::kInstalled);
    EXPECT_TRUE(platform_.copies.empty());
}

TEST(ActivateSaver, SystemFolderWritesTheShortPathToSystemIniThenTurnsSavingOn) {
    FakeInstallPlatform platform;
    platform.files[kSystemTarget] = "x";
    ASSERT_TRUE(ActivateSaver(platform, {kSystemTarget, InstallPlace::kSystemFolder}));
    EXPECT_EQ(platform.system_ini_saver, L"C:\\WINDOWS\\SYSTEM32\\MYSHOW.SCR");
    EXPECT_TRUE(platform.user_saver.empty());
    EXPECT_TRUE(platform.screen_save_active);
}

TEST(ActivateSaver, EachStepOnlyAfterTheOneBeforeSucceeded) {
    FakeInstallPlatform platform;
    platform.files[kSystemTarget] = "x";
    platform.short_paths = false;
    EXPECT_FALSE(ActivateSaver(platform, {kSystemTarget, InstallPlace::kSystemFolder}));
    EXPECT_TRUE(platform.system_ini_saver.empty());
    EXPECT_FALSE(platform.screen_save_active);

    platform.short_paths = true;
    platform.ini_writable = false;
    EXPECT_FALSE(ActivateSaver(platform, {kSystemTarget, InstallPlace::kSystemFolder}));
    EXPECT_FALSE(platform.screen_save_active);
}

TEST(ActivateSaver, UserFolderSetsTheUsersOwnValue) {
    FakeInstallPlatform platform;
    platform.files[kUserTarget] = "x";
    platform.short_paths = false;  // a volume without short names: the full path serves
    ASSERT_TRUE(ActivateSaver(platform, {kUserTarget, InstallPlace::kUserFolder}));
    EXPECT_EQ(platform.user_saver, kUserTarget);
    EXPECT_TRUE(platform.system_ini_saver.empty());
    EXPECT_TRUE(platform.screen_save_active);
}

// The real platform's file calls, in a folder of the test's own with a name outside the
// ANSI code page.
TEST(SystemInstallPlatform, CopiesAndGivesShortPathsOfWideNames) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::filesystem::path folder = std::filesystem::path(temp) / L"gd install \u03a9 test";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    const std::wstring source = (folder / L"Long Source Name.exe").wstring();
    std::ofstream(std::filesystem::path(source), std::ios::binary) << "MZ";

    InstallPlatform& platform = SystemInstallPlatform();
    EXPECT_TRUE(platform.CanWriteFolder(folder.wstring()));
    const std::wstring target = (folder / L"Show \u00e9t\u00e9.scr").wstring();
    EXPECT_EQ(platform.CopyReplacing(source, target), CopyResult::kCopied);
    EXPECT_TRUE(platform.FileExists(target));
    EXPECT_EQ(platform.CopyReplacing(source, target), CopyResult::kCopied) << "replacing an existing file";

    std::wstring short_path = platform.ShortPath(target);
    ASSERT_FALSE(short_path.empty());
    EXPECT_NE(short_path, target);
    EXPECT_TRUE(platform.FileExists(short_path));

    // A target in use is a failure, not a refusal that a per-user install would mend.
    // (A refusal cannot be made here: the tests may run with every right.)
    HANDLE busy = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform.CopyReplacing(source, target), CopyResult::kFailed);
    CloseHandle(busy);
    EXPECT_EQ(platform.CopyReplacing((folder / L"missing.exe").wstring(), target), CopyResult::kFailed);

    const std::wstring nested = (folder / L"a" / L"b").wstring();
    EXPECT_TRUE(platform.CreateFolder(nested));
    EXPECT_TRUE(platform.CreateFolder(nested)) << "an existing folder is fine";
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace gd
