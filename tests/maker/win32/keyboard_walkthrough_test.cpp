// A screensaver made from the keyboard alone, in the test's own process under Wine: a new
// project, its name typed, the output folder and a picture chosen through the (faked)
// prompts opened with the keyboard, Make SCR from its key and the making dialog closed
// with Enter; the made file read back. Only the prompts' answers come from the test.

#include <windows.h>

#include <filesystem>

#include "maker/cli/exe_info.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/picture_view.h"
#include "tests/maker/win32/keyboard_input.h"
#include "tests/maker/win32/making_fixture.h"
#include "tests/maker/win32/preview_support.h"

namespace gd::test {
namespace {

class KeyboardWalkthrough : public MakingWindowTest {
protected:
    void TearDown() override {
        Hold({});
        MakingWindowTest::TearDown();
    }
    void Key(UINT key) { Press(*frame_, key); }
    void Chord(int modifier, UINT key) {
        Hold({modifier});
        Key(key);
        Hold({});
    }
    // Space on the focused button, as the keyboard clicks it.
    void Space() {
        Key(VK_SPACE);
        Press(*frame_, VK_SPACE, WM_KEYUP);
    }
    // Tab until the control `id` of the shown page has the focus; false when Tab comes
    // round without reaching it.
    bool TabTo(int id) {
        for (int i = 0; i < 40; ++i) {
            if (GetDlgCtrlID(GetFocus()) == id && IsChild(frame_->hwnd(), GetFocus())) return true;
            Key(VK_TAB);
        }
        return false;
    }
};

TEST_F(KeyboardWalkthrough, AScreensaverIsMadeWithTheKeyboardAlone) {
    const std::string picture = WriteColorJpeg(folder_, "sea.jpg", 64, 48, RGB(20, 90, 200));
    ASSERT_FALSE(picture.empty());
    const std::filesystem::path output = folder_.path() / "made";
    std::filesystem::create_directories(output);
    MakeFrame();
    SetFocus(frame_->hwnd());  // the window comes to the front, as after Alt+Tab

    // A new project; Tab from the navigation pane into the General page's name field.
    Chord(VK_CONTROL, 'N');
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - Untitled");
    ASSERT_TRUE(TabTo(IDC_SAVER_NAME));
    Type(*frame_, L"Sea Days");
    // The output folder: Tab to its browse button, Space opens the folder prompt.
    files_.folder = {output.string()};
    ASSERT_TRUE(TabTo(IDC_BROWSE_FOLDER));
    Space();
    EXPECT_TRUE(files_.folder.empty()) << "the folder prompt was opened";

    // Ctrl+Tab to the Pictures page; Tab to Add, Space opens the picture prompt.
    Chord(VK_CONTROL, VK_TAB);
    ASSERT_EQ(frame_->pages().current(), kPicturesPage);
    files_.pictures = {std::vector<std::string>{picture}};
    ASSERT_TRUE(TabTo(IDC_PICTURE_ADD));
    Space();
    ASSERT_EQ(dynamic_cast<CPictureView*>(frame_->pages().page(kPicturesPage))->pictures().size(), 1u);
    EXPECT_EQ(frame_->doc().project().szName, "Sea Days");

    // F9 makes it; the making dialog ends with Enter on its Done button once the build is
    // done, and the offer to make it the default screensaver is declined.
    prompter_.answers = {IDCANCEL};
    bool closed_by_enter = false;
    {
        ModalDriver driver([&] {
            HWND making = FindThreadWindow(L"Screensaver Making");
            if (!making || !IsWindowEnabled(GetDlgItem(making, IDC_MAKING_DONE))) return false;
            closed_by_enter = GetFocus() == GetDlgItem(making, IDC_MAKING_DONE);
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
            return true;
        });
        Key(VK_F9);
    }
    EXPECT_TRUE(closed_by_enter) << "Done has the focus when the build ends";
    EXPECT_EQ(FindThreadWindow(L"Screensaver Making"), nullptr);
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Do you want to set Sea Days as your default screensaver?   "});

    // The screensaver, as the screensaver reads itself.
    std::string made;
    for (const char* name : {"Sea Days.scr", "Sea Days.exe"})
        if (std::filesystem::exists(output / name)) made = (output / name).string();
    ASSERT_FALSE(made.empty()) << "nothing made in " << output.string();
    auto info = cli::ReadExeInfo(made);
    ASSERT_TRUE(info) << info.error();
    ASSERT_TRUE(info->config.has_value());
    EXPECT_EQ(info->config->name, "Sea Days");
    ASSERT_EQ(info->pictures.size(), 1u);
    EXPECT_EQ(info->pictures[0].width, 64);
    EXPECT_EQ(info->pictures[0].height, 48);
}

}  // namespace
}  // namespace gd::test
