// The main window from the keyboard alone: switching pages with Ctrl+Tab and
// Ctrl+Page Down, reaching the navigation pane with Tab and F6 and moving through it with
// the arrows, Tab through every control of each page in reading order, and each page's
// mnemonics, unique and working.

#include <windows.h>

#include <cwctype>
#include <map>
#include <set>

#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/maker/win32/keyboard_input.h"
#include "tests/maker/win32/window_fixture.h"

namespace gd::test {
namespace {

class Keyboard : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        services_.choose_color = [](HWND, ColorRef) -> std::optional<ColorRef> { return std::nullopt; };
        services_.choose_font = [](HWND, const LogFont&, ColorRef) -> std::optional<FontChoice> { return std::nullopt; };
    }
    void TearDown() override {
        Hold({});
        MakerWindowTest::TearDown();
    }
    void Press(UINT key, UINT message = WM_KEYDOWN) { test::Press(*frame_, key, message); }
    HWND NavButton(int page) { return frame_->navigation().Button(page); }
    HWND PageWindow() { return GetParent(GetNextDlgTabItem(PageDialog(), nullptr, FALSE)); }
    HWND PageDialog() {
        // The shown page: the visible child of the frame that is a dialog.
        HWND found = nullptr;
        for (HWND child = GetWindow(frame_->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (IsWindowVisible(child) && std::wstring(name) == L"#32770") found = child;
        }
        return found;
    }
    // The controls Tab visits from the checked navigation button, round to it again.
    std::vector<int> TabCycle() {
        std::vector<int> ids;
        HWND start = NavButton(frame_->navigation().checked());
        HWND at = start;
        for (int i = 0; i < 60; ++i) {
            at = GetNextDlgTabItem(frame_->hwnd(), at, FALSE);
            if (!at || at == start) break;
            ids.push_back(GetDlgCtrlID(at));
        }
        EXPECT_EQ(at, start) << "Tab comes round to the navigation pane";
        return ids;
    }
    std::vector<int> Enabled(std::initializer_list<int> ids) {
        std::vector<int> kept;
        for (int id : ids)
            if (IsWindowEnabled(GetDlgItem(PageDialog(), id))) kept.push_back(id);
        return kept;
    }
    // The mnemonic letters of the shown page's visible controls, each with its control.
    std::multimap<wchar_t, HWND> Mnemonics() {
        std::multimap<wchar_t, HWND> letters;
        for (HWND c = GetWindow(PageDialog(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            wchar_t text[128] = {};
            GetWindowTextW(c, text, 128);
            std::wstring t = text;
            for (size_t i = 0; i + 1 < t.size(); ++i) {
                if (t[i] != L'&') continue;
                if (t[i + 1] == L'&') {
                    ++i;
                    continue;
                }
                letters.emplace(wchar_t(std::towlower(t[i + 1])), c);
                break;
            }
        }
        return letters;
    }
    void FillProject() {
        CParamData& project = frame_->doc().project();
        for (const char* name : {"a.jpg", "b.jpg"}) {
            project.pictureList.push_back(CPictureData(folder_.Write(name, std::string(40, 'x')),
                                                       frame_->doc().DefaultCaptionStyle()));
        }
    }
};

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysSwitchPagesRound) {
    MakeFrame();
    Hold({VK_CONTROL});
    Press(VK_TAB);
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
    EXPECT_EQ(frame_->navigation().checked(), kPicturesPage);
    EXPECT_TRUE(IsChild(PageDialog(), GetFocus())) << "the focus goes into the page";
    Press(VK_NEXT);
    EXPECT_EQ(frame_->pages().current(), kMusicPage);
    Press(VK_PRIOR);
    Press(VK_PRIOR);
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    Press(VK_PRIOR);
    EXPECT_EQ(frame_->pages().current(), kEffectsPage) << "from the first page back to the last";
    Hold({VK_CONTROL, VK_SHIFT});
    Press(VK_TAB);
    EXPECT_EQ(frame_->pages().current(), kSettingsPage);
    Hold({});
    Press(VK_NEXT);
    EXPECT_EQ(frame_->pages().current(), kSettingsPage) << "Page Down alone is the control's";
}

TEST_F(Keyboard, TabAndF6ReachTheNavigationPaneAndArrowsMoveThroughIt) {
    MakeFrame();
    SetFocus(GetDlgItem(PageDialog(), IDC_SAVER_NAME));
    Press(VK_F6);
    EXPECT_EQ(GetFocus(), NavButton(kGeneralPage));
    Press(VK_F6);
    EXPECT_EQ(GetFocus(), GetDlgItem(PageDialog(), IDC_SAVER_NAME)) << "F6 again: back into the page";

    // Shift+Tab from the page's first control: the pane's checked button.
    Hold({VK_SHIFT});
    Press(VK_TAB);
    Hold({});
    EXPECT_EQ(GetFocus(), NavButton(kGeneralPage));
    Press(VK_DOWN);
    EXPECT_EQ(GetFocus(), NavButton(kPicturesPage));
    EXPECT_EQ(frame_->pages().current(), kPicturesPage) << "the page follows the pane";
    Press(VK_END);
    EXPECT_EQ(frame_->pages().current(), kEffectsPage);
    Press(VK_DOWN);
    EXPECT_EQ(frame_->pages().current(), kGeneralPage) << "round from the last";
    Press(VK_UP);
    EXPECT_EQ(GetFocus(), NavButton(kEffectsPage));
    // Only the checked button is a stop of Tab: Tab leaves the pane for the page.
    Press(VK_TAB);
    EXPECT_TRUE(IsChild(PageDialog(), GetFocus()));
    for (int page = 1; page <= kPageCount; ++page)
        EXPECT_EQ((GetWindowLongW(NavButton(page), GWL_STYLE) & WS_TABSTOP) != 0, page == kEffectsPage) << page;
}

TEST_F(Keyboard, TabVisitsEveryControlOfEachPageInReadingOrder) {
    MakeFrame();
    FillProject();
    EXPECT_EQ(TabCycle(), Enabled({IDC_SAVER_NAME, IDC_AUTHOR, IDC_EMAIL, IDC_HOMEPAGE_EDIT, IDC_COPYRIGHT,
                                   IDC_ICON_DEFAULT, IDC_ICON_CHANGE, IDC_DESCRIPTION,
                                   IDC_SELF_INSTALL,  // the checked option of its group
                                   IDC_OUTPUT_FOLDER, IDC_BROWSE_FOLDER}));
    SendMessageW(NavButton(kPicturesPage), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(PageDialog(), IDC_PICTURE_LIST), WM_KEYDOWN, VK_DOWN, 0);  // a picture selected
    EXPECT_EQ(TabCycle(), Enabled({IDC_PICTURE_LIST, IDC_PICTURE_ADD, IDC_PICTURE_REMOVE, IDC_PICTURE_UP,
                                   IDC_PICTURE_DOWN, IDC_PICTURE_REMOVE_ALL, IDC_CAPTION_TEXT, IDC_CAPTION_POSITION,
                                   IDC_CAPTION_FONT, IDC_CAPTION_APPLY_ALL, IDC_CAPTION_SET_DEFAULT}));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(PageDialog(), IDC_CAPTION_FONT)));
    SendMessageW(NavButton(kMusicPage), BM_CLICK, 0, 0);
    EXPECT_EQ(TabCycle(), Enabled({IDC_MUSIC_LIST, IDC_MUSIC_ADD, IDC_MUSIC_REMOVE, IDC_MUSIC_UP, IDC_MUSIC_DOWN,
                                   IDC_MUSIC_REMOVE_ALL, IDC_PLAYER_PLAY, IDC_PLAYER_STOP, IDC_PLAYER_POSITION}));
    SendMessageW(NavButton(kEffectsPage), BM_CLICK, 0, 0);
    EXPECT_EQ(TabCycle(), Enabled({IDC_EFFECT_LIST, IDC_SELECT_ALL, IDC_CLEAR_ALL}));

    // Settings: every control that takes the focus is visited once, top to bottom within
    // each group.
    SendMessageW(NavButton(kSettingsPage), BM_CLICK, 0, 0);
    std::vector<int> cycle = TabCycle();
    std::set<int> once(cycle.begin(), cycle.end());
    EXPECT_EQ(once.size(), cycle.size());
    size_t stops = 0;
    for (HWND c = GetWindow(PageDialog(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && IsWindowEnabled(c) && (GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)) ++stops;
    EXPECT_EQ(cycle.size(), stops);
}

TEST_F(Keyboard, EachPagesMnemonicsAreUniqueAndWork) {
    MakeFrame();
    FillProject();
    for (int page = 1; page <= kPageCount; ++page) {
        SendMessageW(NavButton(page), BM_CLICK, 0, 0);
        if (page == kPicturesPage)
            SendMessageW(GetDlgItem(PageDialog(), IDC_PICTURE_LIST), WM_KEYDOWN, VK_DOWN, 0);
        const std::multimap<wchar_t, HWND> letters = Mnemonics();
        for (auto it = letters.begin(); it != letters.end(); it = letters.upper_bound(it->first)) {
            EXPECT_EQ(letters.count(it->first), 1u) << "page " << page << " letter " << char(it->first);
            HWND control = it->second;
            if (!IsWindowEnabled(control)) continue;
            wchar_t kind[16] = {};
            GetClassNameW(control, kind, 16);
            if (std::wstring(kind) == L"Static") control = GetWindow(control, GW_HWNDNEXT);
            // Alt+letter from the page's first control.
            SetFocus(GetNextDlgTabItem(PageDialog(), nullptr, FALSE));
            Hold({VK_MENU});
            Press(it->first, WM_SYSCHAR);
            Hold({});
            TakeMessages();
            // A button is clicked and takes the focus (its command may open a dialog,
            // answered by the fakes); a label gives it to the control after it.
            EXPECT_EQ(GetFocus(), control) << "page " << page << " letter " << char(it->first);
            SendMessageW(NavButton(page), BM_CLICK, 0, 0);
        }
    }
}

}  // namespace
}  // namespace gd::test
