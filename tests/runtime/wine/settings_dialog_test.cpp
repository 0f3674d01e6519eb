// The settings dialog made from the template's own resources (linked into this test),
// run modeless in the test's process and driven by messages.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "common/profile_store.h"
#include "common/web_addresses.h"
#include "effects/effect_table.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/settings_dlg.h"
#include "tests/common/temp_folder.h"
#include "tests/runtime/wine/dialog_fixture.h"
#include "tests/runtime/wine/message_pump.h"
#include "tests/win32/fake_prompter.h"
#include "win32/dialog_items.h"

namespace gd {
namespace {

// The address a link label's tooltip shows, found among this thread's tooltips.
std::wstring LinkAddress(HWND dialog, int id) {
    struct Search {
        HWND parent, control;
        std::wstring text;
    } search{dialog, GetDlgItem(dialog, id), {}};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = s->parent;
        tool.uId = UINT_PTR(s->control);
        tool.lpszText = text;
        SendMessageW(w, TTM_GETTEXTW, 256, LPARAM(&tool));
        if (text[0]) s->text = text;
        return TRUE;
    }, LPARAM(&search));
    return search.text;
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        InitDialogControls();
        config_ = SampleSaverConfig();
        config_.picture_pause = 12;        // not in the list
        config_.effect_millisecond = 1500;
        config_.audio_pause = 3;
        config_.auto_adjust_size = 1;
        config_.move_picture = 1;
        config_.mouse_left_click = 1;
        config_.keyboard_event = 1;
        config_.bg_color = 0x00302010;
        for (int i = 1; i <= 44; ++i) config_.effect_on[size_t(i)] = i % 3 == 0 ? 0 : 1;
        folders_.system_dir = temp_.File("system");
        std::filesystem::create_directories(folders_.system_dir);
    }
    void TearDown() override {
        dialog_.reset();
        DropPendingMessages();
    }

    HWND Open() {
        SettingsDialogContext context;
        context.instance = GetModuleHandleW(nullptr);
        context.config = &config_;
        context.store = &PlatformProfileStore();
        context.folders = folders_;
        context.prompter = &prompter_;
        context.choose_color = [this](HWND, COLORREF initial) {
            chooser_initial_ = initial;
            return chosen_;
        };
        dialog_ = std::make_unique<CSettingsDlg>(context);
        HWND window = dialog_->Create(nullptr);
        EXPECT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);  // a modal run shows it by itself
        return window;
    }
    HWND Page(int index) const { return dialog_->page(index); }
    void Press(HWND window, int id) { PressButton(window, id); }
    std::string SettingsFile() const { return temp_.Read("system/" + config_.identifier + ".ini"); }
    // Types `text` into a drop-down's edit field as the user would leave it.
    void Type(int id, const wchar_t* text) { SetDlgItemTextW(Page(1), id, text); }

    gd::testing::TempFolder temp_;
    SaverConfig config_;
    SettingsFolders folders_;
    FakePrompter prompter_;
    std::optional<COLORREF> chosen_;
    COLORREF chooser_initial_ = 0;
    std::unique_ptr<CSettingsDlg> dialog_;
};

TEST_F(SettingsDialog, TitleIconTabsAndTheAboutPage) {
    HWND dialog = Open();
    EXPECT_EQ(WindowText(dialog), L"Autumn Walk");
    EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    ASSERT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    const wchar_t* names[] = {L"Gerneral", L"Settings", L"Effects"};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(tab, TCM_GETITEMW, WPARAM(i), LPARAM(&item));
        EXPECT_STREQ(text, names[i]);
    }
    HWND about = Page(0);
    EXPECT_EQ(ItemText(about, IDC_NAME), L"Autumn Walk");
    EXPECT_EQ(ItemText(about, IDC_AUTHOR), L"Ada");
    EXPECT_EQ(ItemText(about, IDC_COPYRIGHT), L"(c) Ada");
    EXPECT_EQ(ItemText(about, IDC_EMAIL), L"ada@example.org");
    EXPECT_EQ(ItemText(about, IDC_HOMEPAGE), L"https://ada.example.org/");
    EXPECT_EQ(ItemText(about, IDC_DESCRIPTION), L"Leaves and light.");
    EXPECT_EQ(ItemText(about, IDC_MAKER_LINK), L"https://www.example.org/glimmerdeck/");
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(about, IDC_DESCRIPTION), GWL_STYLE) & ES_READONLY);
}

TEST_F(SettingsDialog, TheAboutPagesLinksCarryTheirAddresses) {
    Open();
    HWND about = Page(0);
    EXPECT_EQ(LinkAddress(about, IDC_EMAIL), L"mailto:ada@example.org");
    EXPECT_EQ(LinkAddress(about, IDC_HOMEPAGE), L"https://ada.example.org/");
    EXPECT_EQ(LinkAddress(about, IDC_MAKER_LINK), L"https://www.example.org/glimmerdeck/");
}

TEST_F(SettingsDialog, TheTitleAndTheAboutPageShowTheTextsInUnicode) {
    config_.texts = SaverTexts{"Ελλάδα 2026", "Ёлка", "", "https://例え.jp/", "", "Łódź", "", ""};
    HWND dialog = Open();
    HWND about = Page(0);
    EXPECT_EQ(WindowText(dialog), L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026");
    EXPECT_EQ(ItemText(about, IDC_NAME), L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026");
    EXPECT_EQ(ItemText(about, IDC_AUTHOR), L"\u0401\u043b\u043a\u0430");
    EXPECT_EQ(LinkAddress(about, IDC_HOMEPAGE), L"https://\u4f8b\u3048.jp/");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(about, IDC_EMAIL))) << "its Unicode text is empty";
    EXPECT_EQ(ItemText(about, IDC_DESCRIPTION), L"\u0141\u00f3d\u017a");
}

TEST_F(SettingsDialog, ALinkWithoutAnAddressIsHidden) {
    config_.email.clear();
    Open();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Page(0), IDC_EMAIL)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(Page(0), IDC_HOMEPAGE)));
}

TEST_F(SettingsDialog, OptionsShowTheConfiguration) {
    Open();
    HWND page = Page(1);
    EXPECT_EQ(ComboItemCount(page, IDC_PICTURE_PAUSE), 10);
    EXPECT_EQ(ComboItemCount(page, IDC_EFFECT_DURATION), 12);
    EXPECT_EQ(ComboItemCount(page, IDC_MUSIC_PAUSE), 14);
    EXPECT_EQ(ComboItemText(page, IDC_MUSIC_PAUSE, 13), L"30");
    // The entries as this dialog has always shown them: its "25" has no blank after it.
    EXPECT_EQ(ComboItemText(page, IDC_MUSIC_PAUSE, 12), L"25");
    EXPECT_EQ(ComboItemText(page, IDC_MUSIC_PAUSE, 10), L"15");
    EXPECT_EQ(ComboItemText(page, IDC_EFFECT_DURATION, 3), L"2.5");
    EXPECT_EQ(ComboItemText(page, IDC_PICTURE_PAUSE, 9), L"10");
    // 12 is not in the list: shown as typed, nothing selected.
    EXPECT_EQ(ItemText(page, IDC_PICTURE_PAUSE), L"12");
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_PICTURE_PAUSE, CB_GETCURSEL, 0, 0), CB_ERR);
    // 1500 ms is the item "1.5"; 3 s the item "3", the first that begins with "3".
    EXPECT_EQ(ItemText(page, IDC_EFFECT_DURATION), L"1.5");
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_EFFECT_DURATION, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_MUSIC_PAUSE, CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(IsItemChecked(page, IDC_AUTO_ADJUST));
    EXPECT_FALSE(IsItemChecked(page, IDC_SHUFFLE_PICTURE));
    EXPECT_TRUE(IsItemChecked(page, IDC_MOVE_PICTURE));
    EXPECT_FALSE(IsItemChecked(page, IDC_MOUSE_MOVE));
    EXPECT_TRUE(IsItemChecked(page, IDC_MOUSE_LEFT));
    EXPECT_FALSE(IsItemChecked(page, IDC_MOUSE_RIGHT));
    EXPECT_TRUE(IsItemChecked(page, IDC_KEYBOARD));
    EXPECT_EQ(dialog_->options().background(), COLORREF(0x00302010));
}

// The show's newer options: check boxes, the zoom's list and the backdrop's.
TEST_F(SettingsDialog, TheShowsNewerOptionsShowAndSave) {
    config_.smooth_scaling = 1;
    config_.pan_zoom = 0;
    config_.pan_zoom_strength = 20;
    config_.backdrop = 1;
    config_.monitor_mode = 1;
    HWND dialog = Open();
    HWND page = Page(1);
    EXPECT_TRUE(IsItemChecked(page, IDC_SMOOTH_SCALING));
    EXPECT_FALSE(IsItemChecked(page, IDC_SHUFFLE_ROUNDS));
    EXPECT_FALSE(IsItemChecked(page, IDC_PAN_ZOOM));
    EXPECT_EQ(ItemText(page, IDC_PAN_ZOOM_STRENGTH), L"20");
    EXPECT_EQ(ComboItemCount(page, IDC_BACKDROP), 2);
    EXPECT_EQ(ItemText(page, IDC_BACKDROP), L"Blurred picture");
    EXPECT_EQ(ComboItemCount(page, IDC_MONITOR_MODE), 3);
    EXPECT_EQ(ItemText(page, IDC_MONITOR_MODE), L"The same show on each monitor");
    SendDlgItemMessageW(page, IDC_MONITOR_MODE, CB_SETCURSEL, 2, 0);
    SetItemChecked(page, IDC_SHUFFLE_ROUNDS, true);
    SetItemChecked(page, IDC_PAN_ZOOM, true);
    SendDlgItemMessageW(page, IDC_BACKDROP, CB_SETCURSEL, 0, 0);
    Type(IDC_PAN_ZOOM_STRENGTH, L"10");
    Press(dialog, IDOK);
    EXPECT_EQ(config_.shuffle_rounds, 1);
    EXPECT_EQ(config_.pan_zoom, 1);
    EXPECT_EQ(config_.pan_zoom_strength, 10);
    EXPECT_EQ(config_.backdrop, 0);
    EXPECT_EQ(config_.monitor_mode, 2);
    const std::string file = SettingsFile();
    for (const char* key :
         {"bSmoothScaling=1", "bShuffleRounds=1", "bPanZoom=1", "nPanZoom=10", "nBackdrop=0", "nMonitorMode=2"})
        EXPECT_NE(file.find(key), std::string::npos) << key << " in\n" << file;
}

TEST_F(SettingsDialog, StartsFromTheSettingsFileOverTheRecord) {
    temp_.Write("system/" + config_.identifier + ".ini", "[param]\r\nnEffectMilliSecond=2500\r\nszEffect=0000\r\n");
    ApplyIniOverrides(config_, PlatformProfileStore(), folders_);
    Open();
    EXPECT_EQ(ItemText(Page(1), IDC_EFFECT_DURATION), L"2.5");
    EXPECT_EQ(ItemText(Page(1), IDC_PICTURE_PAUSE), L"12") << "keys the file lacks keep the record's value";
    HWND list = GetDlgItem(Page(2), IDC_EFFECT_LIST);
    auto checked = [list](int row) {
        return (SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK) >> 12) == 2;
    };
    // "0000": effects 1 to 4 off (the fourth by the value's end), every later one on.
    for (int row = 0; row < 4; ++row) EXPECT_FALSE(checked(row)) << row;
    for (int row = 4; row < 44; ++row) EXPECT_TRUE(checked(row)) << row;
}

TEST_F(SettingsDialog, ADropDownSelectsTheFirstItemThatBeginsWithItsText) {
    config_.picture_pause = 1;       // "1", not "10"
    config_.effect_millisecond = 12; // "0.012": no item
    config_.audio_pause = 2;         // "2", before "20" and "25"
    Open();
    HWND page = Page(1);
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_PICTURE_PAUSE, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(page, IDC_EFFECT_DURATION), L"0.012");
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_MUSIC_PAUSE, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(SettingsDialog, OkSavesEveryControlIntoTheConfigurationAndTheFile) {
    HWND dialog = Open();
    HWND page = Page(1);
    Type(IDC_EFFECT_DURATION, L"2.5");
    Type(IDC_MUSIC_PAUSE, L"soon");
    SetItemChecked(page, IDC_MOUSE_MOVE, true);
    SetItemChecked(page, IDC_KEYBOARD, false);
    chosen_ = RGB(1, 2, 3);
    Press(page, IDC_CHANGE_COLOR);
    EXPECT_EQ(chooser_initial_, COLORREF(0x00302010)) << "the chooser starts at the swatch colour";
    Press(dialog, IDOK);
    ASSERT_EQ(dialog_->result(), IDOK);

    EXPECT_EQ(config_.effect_millisecond, 2500);
    EXPECT_EQ(config_.audio_pause, 0) << "text that is not a number saves 0";
    EXPECT_EQ(config_.picture_pause, 12) << "a value outside the list is kept";
    EXPECT_EQ(config_.mouse_move, 1);
    EXPECT_EQ(config_.keyboard_event, 0);
    EXPECT_EQ(config_.bg_color, RGB(1, 2, 3));
    std::string file = SettingsFile();
    EXPECT_NE(file.find("nEffectMilliSecond=2500"), std::string::npos) << file;
    EXPECT_NE(file.find("nAudioPause=0"), std::string::npos);
    EXPECT_NE(file.find("nPicturePause=12"), std::string::npos);
    EXPECT_NE(file.find("crBgColor=197121"), std::string::npos);
}

TEST_F(SettingsDialog, OkWithoutChangesWritesTheWholeFile) {
    HWND dialog = Open();
    Press(dialog, IDOK);
    std::string file = SettingsFile();
    for (const char* key : {"crBgColor=3153936", "bMouseMove=0", "bMouseLeftClick=1", "bMouseRightClick=0",
                            "bKeyboardEvent=1", "bShuffleAudio=0", "nAudioPause=3", "bMuteMusic=0", "bShufflePic=0",
                            "bAutoAdjustSize=1", "bMovePicture=1", "nEffectMilliSecond=1500", "nPicturePause=12"}) {
        EXPECT_NE(file.find(key), std::string::npos) << key << " in\n" << file;
    }
    std::string flags = "0";
    for (int i = 1; i < 64; ++i) flags += i <= 44 && i % 3 != 0 ? '1' : '0';
    EXPECT_NE(file.find("szEffect=" + flags), std::string::npos) << file;
}

TEST_F(SettingsDialog, CancelSavesNothing) {
    HWND dialog = Open();
    Type(IDC_EFFECT_DURATION, L"9");
    Press(Page(1), IDC_DEFAULT_COLOR);
    EXPECT_EQ(dialog_->options().background(), COLORREF(0));
    Press(dialog, IDCANCEL);
    EXPECT_EQ(dialog_->result(), IDCANCEL);
    EXPECT_EQ(config_.effect_millisecond, 1500);
    EXPECT_EQ(config_.bg_color, COLORREF(0x00302010));
    EXPECT_FALSE(std::filesystem::exists(temp_.File("system/" + config_.identifier + ".ini")));
}

TEST_F(SettingsDialog, AChooserLeftWithCancelKeepsTheColour) {
    Open();
    chosen_.reset();
    Press(Page(1), IDC_CHANGE_COLOR);
    EXPECT_EQ(dialog_->options().background(), COLORREF(0x00302010));
}

TEST_F(SettingsDialog, ThePagesCoverTheTabControlBelowItsTabs) {
    HWND dialog = Open();
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    RECT first{}, client{};
    SendMessageW(tab, TCM_GETITEMRECT, 0, LPARAM(&first));
    GetClientRect(tab, &client);
    for (int i = 0; i < CSettingsDlg::kPageCount; ++i) {
        RECT r{};
        GetWindowRect(Page(i), &r);
        MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, first.left - 1) << i;
        EXPECT_EQ(r.top, first.bottom + 1) << i;
        EXPECT_EQ(r.right - r.left, client.right - first.left - 1) << i;
        EXPECT_EQ(r.bottom - r.top, client.bottom - first.bottom - 2) << i;
        EXPECT_EQ(GetParent(Page(i)), tab);
    }
    EXPECT_TRUE(IsWindowVisible(Page(0)));
    EXPECT_FALSE(IsWindowVisible(Page(1)));
    EXPECT_FALSE(IsWindowVisible(Page(2)));
}

TEST_F(SettingsDialog, PagesSwitchOnAMousePressOnly) {
    HWND dialog = Open();
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    // From the keyboard: the tab moves, the page stays.
    SetFocus(tab);
    SendMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0), 1);
    EXPECT_EQ(dialog_->shown_page(), 0);
    EXPECT_TRUE(IsWindowVisible(Page(0)));

    RECT third{};
    SendMessageW(tab, TCM_GETITEMRECT, 2, LPARAM(&third));
    LPARAM at = MAKELPARAM((third.left + third.right) / 2, (third.top + third.bottom) / 2);
    SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tab, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(dialog_->shown_page(), 2);
    EXPECT_TRUE(IsWindowVisible(Page(2)));
    EXPECT_FALSE(IsWindowVisible(Page(0)));
    EXPECT_TRUE(IsChild(Page(2), GetFocus()) || GetFocus() == Page(2));
}

class EffectsPage : public SettingsDialog {
protected:
    HWND List() { return GetDlgItem(Page(2), IDC_EFFECT_LIST); }
    bool Selected(int row) { return SendMessageW(List(), LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED) != 0; }
    int SelectedCount() { return int(SendMessageW(List(), LVM_GETSELECTEDCOUNT, 0, 0)); }
    void SetState(int row, UINT state, UINT mask) {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        SendMessageW(List(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
    }
    // A click as the page hears of it: the list's selection after the click, then NM_CLICK.
    void ClickLeaving(int selected_row) {
        SetState(-1, 0, LVIS_SELECTED);
        if (selected_row >= 0) SetState(selected_row, LVIS_SELECTED, LVIS_SELECTED);
        NMITEMACTIVATE click{};
        click.hdr = {List(), UINT_PTR(IDC_EFFECT_LIST), UINT(NM_CLICK)};
        click.iItem = selected_row;
        SendMessageW(Page(2), WM_NOTIFY, IDC_EFFECT_LIST, LPARAM(&click));
    }
};

TEST_F(EffectsPage, RowsNameTheEffectsCheckedByTheirFlags) {
    Open();
    ASSERT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 44);
    for (int row = 0; row < 44; ++row) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(List(), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        std::string_view expected = EffectName(row + 1);
        EXPECT_EQ(std::wstring(text), std::wstring(expected.begin(), expected.end()));
        UINT state = UINT(SendMessageW(List(), LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK));
        EXPECT_EQ((state >> 12) == 2, (row + 1) % 3 != 0) << row;
    }
    EXPECT_TRUE(SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
}

// A screensaver whose maker knew cross-fade lists it last and saves its mark.
TEST_F(EffectsPage, AScreensaverThatKnowsCrossFadeListsItToo) {
    config_.effect_count = 45;
    config_.effect_on[45] = 0;
    HWND dialog = Open();
    ASSERT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 45);
    SetState(44, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    Press(dialog, IDOK);
    EXPECT_EQ(config_.effect_on[45], 1);
}

TEST_F(EffectsPage, SaveTakesTheCheckMarks) {
    HWND dialog = Open();
    SetState(0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);   // effect 1 off
    SetState(2, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);   // effect 3 on
    config_.effect_on[0] = 7;
    config_.effect_on[50] = 1;
    Press(dialog, IDOK);
    EXPECT_EQ(config_.effect_on[1], 0);
    EXPECT_EQ(config_.effect_on[2], 1);
    EXPECT_EQ(config_.effect_on[3], 1);
    EXPECT_EQ(config_.effect_on[6], 0);
    EXPECT_EQ(config_.effect_on[0], 7) << "bytes outside 1..44 stay";
    EXPECT_EQ(config_.effect_on[50], 1);
}

TEST_F(EffectsPage, AClickBesideTheRowsGivesTheSelectionBack) {
    Open();
    // Before any row was selected, the remembered row is -1: every row.
    ClickLeaving(-1);
    EXPECT_EQ(SelectedCount(), 44);

    ClickLeaving(5);
    ClickLeaving(-1);
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_TRUE(Selected(5));
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED), 5);

    ClickLeaving(40);
    SendMessageW(List(), LVM_ENSUREVISIBLE, 0, FALSE);  // scrolled away from row 40
    ClickLeaving(-1);
    EXPECT_TRUE(Selected(40));
    RECT row{}, client{};
    row.left = LVIR_BOUNDS;
    SendMessageW(List(), LVM_GETITEMRECT, 40, LPARAM(&row));
    GetClientRect(List(), &client);
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, client.bottom) << "scrolled into view again";
}

}  // namespace
}  // namespace gd
