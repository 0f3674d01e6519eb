// The template's own resources, read from the built runtime as the platform loads them:
// the contract with the maker (icon group 128 it replaces) and with the dialogs to come.
//
//   template_resources_test TEMPLATE

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/win32/resource_ids.h"

namespace {

std::string g_template;

class TemplateResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(g_template.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << g_template;
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string Bytes(LPCSTR type, int id) {
        HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (!info) return {};
        HGLOBAL data = LoadResource(module_, info);
        return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module_, info));
    }
    // Creates the dialog template `id` hidden and returns it (the caller destroys it).
    HWND Dialog(int id, HWND parent) {
        std::string bytes = Bytes(MAKEINTRESOURCEA(5), id);  // RT_DIALOG
        if (bytes.empty()) return nullptr;
        return CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                          reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), parent,
                                          [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    }
    static std::string Text(HWND dialog, int control) {
        char buffer[256] = {};
        GetDlgItemTextA(dialog, control, buffer, sizeof buffer);
        return buffer;
    }
    HMODULE module_ = nullptr;
};

TEST_F(TemplateResources, CarriesIconCursorStringAndNoPayload) {
    EXPECT_FALSE(Bytes(MAKEINTRESOURCEA(14), IDR_MAINFRAME).empty());    // RT_GROUP_ICON
    EXPECT_FALSE(Bytes(MAKEINTRESOURCEA(12), IDC_SAVER_CURSOR).empty()); // RT_GROUP_CURSOR
    char text[64] = {};
    LoadStringA(module_, IDS_ABOUTBOX, text, sizeof text);
    EXPECT_STREQ(text, "&About Reelhost...");
    EXPECT_TRUE(Bytes(MAKEINTRESOURCEA(5300), 0).empty());
    EXPECT_TRUE(Bytes(MAKEINTRESOURCEA(5400), 0).empty());
}

TEST_F(TemplateResources, ManifestAsksForCommonControlsSixAndPerMonitorDpi) {
    std::string manifest = Bytes(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("true/pm"), std::string::npos);
}

TEST_F(TemplateResources, VersionIs3621WithItsDescription) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(g_template.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(g_template.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (3u << 16) | 6u);
    EXPECT_EQ(fixed->dwFileVersionLS, (2u << 16) | 1u);
    EXPECT_EQ(fixed->dwProductVersionMS, (3u << 16) | 6u);
    char* description = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_STREQ(description, "Screensaver make with Glimmerdeck V3.6.2");
}

TEST_F(TemplateResources, DialogsHaveTheirControlsAndTexts) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    HWND settings = Dialog(IDD_SETTINGS, nullptr);
    ASSERT_NE(settings, nullptr);
    char title[64] = {};
    GetWindowTextA(settings, title, sizeof title);
    EXPECT_STREQ(title, "Reelhost");
    EXPECT_NE(GetDlgItem(settings, IDC_TAB), nullptr);
    EXPECT_NE(GetDlgItem(settings, IDOK), nullptr);
    EXPECT_NE(GetDlgItem(settings, IDCANCEL), nullptr);

    HWND about = Dialog(IDD_ABOUT_PAGE, settings);
    ASSERT_NE(about, nullptr);
    for (int id : {IDC_NAME, IDC_AUTHOR, IDC_COPYRIGHT, IDC_EMAIL, IDC_HOMEPAGE, IDC_DESCRIPTION, IDC_MAKER_LINK}) {
        EXPECT_NE(GetDlgItem(about, id), nullptr) << id;
    }

    HWND options = Dialog(IDD_OPTIONS_PAGE, settings);
    ASSERT_NE(options, nullptr);
    const std::pair<int, const char*> texts[] = {
        {IDC_AUTO_ADJUST, "Auto &adjust picture size"}, {IDC_SHUFFLE_PICTURE, "Shuffle &picture"},
        {IDC_MOVE_PICTURE, "Mo&ve picture"},           {IDC_SHUFFLE_MUSIC, "&Shuffle music"},
        {IDC_MUTE_MUSIC, "Mu&te music"},               {IDC_MOUSE_MOVE, "Mouse &move"},
        {IDC_MOUSE_LEFT, "Mouse &left click"},         {IDC_MOUSE_RIGHT, "Mouse &right click"},
        {IDC_KEYBOARD, "&Keyboard event"},             {IDC_CHANGE_COLOR, "&Change..."},
        {IDC_DEFAULT_COLOR, "  &Default    "}};
    for (auto [id, text] : texts) EXPECT_EQ(Text(options, id), text) << id;
    for (int id : {IDC_PICTURE_PAUSE, IDC_EFFECT_DURATION, IDC_MUSIC_PAUSE, IDC_BG_SWATCH}) {
        EXPECT_NE(GetDlgItem(options, id), nullptr) << id;
    }
    // The lists are filled from the options table when the page opens: the settings
    // dialog's test looks at them.

    HWND effects = Dialog(IDD_EFFECTS_PAGE, settings);
    ASSERT_NE(effects, nullptr);
    EXPECT_NE(GetDlgItem(effects, IDC_EFFECT_LIST), nullptr);
    DestroyWindow(settings);

    HWND launcher = Dialog(IDD_LAUNCHER, nullptr);
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(Text(launcher, IDC_PLAY), "&Play");
    EXPECT_EQ(Text(launcher, IDC_INSTALL), "&Install");
    EXPECT_EQ(Text(launcher, IDC_SETTINGS), "&Settings");
    EXPECT_EQ(Text(launcher, IDCANCEL), "&Exit");
    EXPECT_NE(GetDlgItem(launcher, IDC_DESCRIPTION), nullptr);
    RECT r{0, 0, 259, 153};
    MapDialogRect(launcher, &r);
    RECT client{};
    GetClientRect(launcher, &client);
    EXPECT_EQ(client.right, r.right);
    EXPECT_EQ(client.bottom, r.bottom);
    DestroyWindow(launcher);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: template_resources_test TEMPLATE\n");
        return 2;
    }
    g_template = argv[1];
    return RUN_ALL_TESTS();
}
