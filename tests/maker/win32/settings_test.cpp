// The per-user settings in the registry of the Wine prefix, under a key of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "maker/ui/recent_projects.h"
#include "maker/win32/registry_settings.h"

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

}  // namespace
}  // namespace gd
