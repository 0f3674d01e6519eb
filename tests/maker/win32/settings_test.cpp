// The per-user settings in the registry of the Wine prefix, under a key of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "maker/ui/recent_projects.h"
#include "maker/win32/registry_settings.h"
#include "maker/win32/shell_registration.h"

namespace gd {
namespace {

class Registry : public ::testing::Test {
protected:
    void TearDown() override { settings_.RemoveAll(); }
    RegistrySettings settings_{L"Glimmerdeck window tests"};
};

TEST_F(Registry, NumbersAndTextsRoundTripAndGoAway) {
    EXPECT_FALSE(settings_.GetInt("Tip", "FilePos").has_value());
    EXPECT_EQ(settings_.GetInt("Tip", "FilePos", 7), 7);
    EXPECT_TRUE(settings_.SetInt("Tip", "FilePos", -3));
    EXPECT_EQ(settings_.GetInt("Tip", "FilePos"), -3);
    std::string text = "C:\\Shows\\\xc3\xa9t\xc3\xa9.psm";  // UTF-8 beyond the ANSI code page's ASCII
    EXPECT_TRUE(settings_.SetString("Recent File List", "File1", text));
    EXPECT_EQ(settings_.GetString("Recent File List", "File1"), text);
    EXPECT_FALSE(settings_.GetInt("Recent File List", "File1").has_value()) << "a text is not a number";
    settings_.Remove("Recent File List", "File1");
    EXPECT_FALSE(settings_.GetString("Recent File List", "File1").has_value());
}

TEST_F(Registry, LivesUnderTheCompanyKey) {
    settings_.SetInt("Tip", "StartUp", 1);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane-Tech Software\\Glimmerdeck window tests\\Tip", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD value = 0;
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key, L"StartUp", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    RegCloseKey(key);
}

TEST_F(Registry, RecentListSurvivesInTheRegistry) {
    RecentProjects recent;
    recent.Add("C:\\a.psm");
    recent.Add("C:\\b.psm");
    recent.Save(settings_);
    RecentProjects again;
    again.Load(settings_);
    EXPECT_EQ(again.paths(), recent.paths());
}

// The user's own file classes (which Windows merges into HKEY_CLASSES_ROOT).
std::wstring ClassesValue(const wchar_t* key) {
    wchar_t value[512] = {};
    LONG size = sizeof value;
    std::wstring path = std::wstring(L"Software\\Classes\\") + key;
    return RegQueryValueW(HKEY_CURRENT_USER, path.c_str(), value, &size) == ERROR_SUCCESS ? value : L"";
}

TEST(ShellRegistration, ProjectFilesOpenInTheProgram) {
    ASSERT_TRUE(RegisterProjectFileType(L"C:\\Tools\\Glimmer deck\\Glimmerdeck.exe"));
    EXPECT_EQ(ClassesValue(L".psm"), L"Glimmerdeck.Project");
    EXPECT_EQ(ClassesValue(L"Glimmerdeck.Project\\shell\\open\\command"),
              L"\"C:\\Tools\\Glimmer deck\\Glimmerdeck.exe\" \"%1\"");
    EXPECT_EQ(ClassesValue(L"Glimmerdeck.Project\\DefaultIcon"), L"\"C:\\Tools\\Glimmer deck\\Glimmerdeck.exe\",0");
    EXPECT_TRUE(RegisterProjectFileType(L"C:\\Tools\\Glimmer deck\\Glimmerdeck.exe"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\Glimmerdeck.Project");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.psm");
}

}  // namespace
}  // namespace gd
