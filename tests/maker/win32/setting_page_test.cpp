// The Settings page inside the main window, in the test's own process under Wine: the
// project's values in the controls and back, the number lists' text rules, each edit and
// its modified mark, and the colour and font dialogs answered by fakes.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "maker/project/project_options.h"
#include "maker/ui/setting_rules.h"
#include "maker/win32/general_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/setting_view.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

constexpr int kFlagIds[] = {IDC_AUTO_ADJUST, IDC_SHUFFLE_PICTURES, IDC_MOVE_PICTURES,
                            IDC_SHUFFLE_MUSIC, IDC_MUTE_MUSIC,     IDC_MOUSE_MOVE,
                            IDC_MOUSE_LEFT,  IDC_MOUSE_RIGHT,      IDC_KEYBOARD_EVENT};
constexpr int kListIds[] = {IDC_PICTURE_PAUSE, IDC_EFFECT_DURATION, IDC_MUSIC_PAUSE, IDC_BANNER_POS};

// Colour and font dialogs answered from lists (nothing, as a cancel, once a list is used
// up); what each was preset to is kept.
struct FakeStyleDialogs {
    std::optional<ColorRef> PickColor(ColorRef initial) {
        color_presets.push_back(initial);
        if (colors.empty()) return std::nullopt;
        auto answer = colors.front();
        colors.pop_front();
        return answer;
    }
    std::optional<FontChoice> PickFont(const LogFont& font, ColorRef color) {
        font_presets.push_back({font, color});
        if (fonts.empty()) return std::nullopt;
        auto answer = fonts.front();
        fonts.pop_front();
        return answer;
    }

    std::deque<std::optional<ColorRef>> colors;
    std::deque<std::optional<FontChoice>> fonts;
    std::vector<ColorRef> color_presets;
    std::vector<FontChoice> font_presets;
};

class SettingPage : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        services_.choose_color = [this](HWND, ColorRef initial) { return styles_.PickColor(initial); };
        services_.choose_font = [this](HWND, const LogFont& font, ColorRef color) {
            return styles_.PickFont(font, color);
        };
    }
    FakeStyleDialogs styles_;
    CParamData& Project() { return frame_->doc().project(); }
    bool Modified() { return frame_->doc().IsModified(); }
    CSettingView& ShowSettings() {
        if (!frame_) MakeFrame();
        SendMessageW(frame_->navigation().Button(kSettingsPage), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<CSettingView*>(frame_->pages().page(kSettingsPage));
        EXPECT_NE(page, nullptr);
        EXPECT_EQ(frame_->pages().current(), kSettingsPage);
        return *page;
    }
    HWND Control(int id) { return GetDlgItem(Page().hwnd(), id); }
    CSettingView& Page() { return *dynamic_cast<CSettingView*>(frame_->pages().page(kSettingsPage)); }
    // The selected entry's text; "(none)" without a selection.
    std::wstring Selected(int id) {
        LRESULT index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) return L"(none)";
        return ComboItemText(Page().hwnd(), id, int(index));
    }
    // The user moves a closed list one entry down or up with the arrow keys.
    void PressInList(int id, WPARAM key) {
        SendMessageW(Control(id), WM_KEYDOWN, key, 0);
        SendMessageW(Control(id), WM_KEYUP, key, 0xC0000000);
    }
    void Type(int id, const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(Control(id), WM_CHAR, WPARAM(c), 0);
    }
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
};

TEST_F(SettingPage, ProjectValuesTravelToTheControlsAndBack) {
    MakeFrame();
    CParamData& p = Project();
    p.nPicturePause = 7;
    p.nEffectMilliSecond = 1500;
    p.nAudioPause = 25;
    p.bAutoAdjustSize = 1;
    p.bShufflePic = 0;
    p.bMovePicture = 0;
    p.bShuffleAudio = 0;
    p.bMuteMusic = 1;
    p.bMouseMove = 0;
    p.bMouseLeftClick = 1;
    p.bMouseRightClick = 0;
    p.bKeyboardEvent = 1;
    p.crBgColor = 0x00336699;
    p.szBanner = "Summer \xc3\xa9t\xc3\xa9";
    p.lfBanner.face_name = "Arial";
    p.lfBanner.height = -20;
    p.lfBanner.weight = 700;
    p.crBanner = 0x0000FFFF;
    p.nBannerPos = 1;
    const CParamData loaded = p;

    CSettingView& page = ShowSettings();
    EXPECT_FALSE(Modified()) << "loading is not an edit";
    EXPECT_EQ(Selected(IDC_PICTURE_PAUSE), L"7");
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"1.5");
    EXPECT_EQ(Selected(IDC_MUSIC_PAUSE), L"25 ") << "the entry as written, blank included";
    EXPECT_EQ(Selected(IDC_BANNER_POS), L"Bottom center");
    const bool expected_checks[] = {true, false, false, false, true, false, true, false, true};
    for (size_t i = 0; i < std::size(kFlagIds); ++i)
        EXPECT_EQ(IsItemChecked(page.hwnd(), kFlagIds[i]), expected_checks[i]) << kFlagIds[i];
    EXPECT_EQ(page.background(), 0x00336699u);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_BANNER_TEXT), L"Summer \u00e9t\u00e9");
    EXPECT_EQ(page.banner_font(), loaded.lfBanner);
    EXPECT_EQ(page.banner_color(), 0x0000FFFFu);
    EXPECT_EQ(page.banner_note(), L"");
    // The three buttons have their pictures.
    for (int id : {IDC_BG_CHANGE, IDC_BG_DEFAULT, IDC_BANNER_FONT})
        EXPECT_NE(SendMessageW(Control(id), BM_GETIMAGE, IMAGE_ICON, 0), 0) << id;

    // Storing writes every value back as it was, and is no edit either.
    p = CParamData{};
    p.nBannerPos = 0;
    page.StoreToProject();
    EXPECT_EQ(p, loaded);
    EXPECT_FALSE(Modified());

    // Leaving the page stores it.
    SetItemChecked(page.hwnd(), IDC_MUTE_MUSIC, false);
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    EXPECT_EQ(p.bMuteMusic, 0);
}

TEST_F(SettingPage, NumberListsAreSetByTheirTextAndKeepTheirSelectionWithoutAnEntry) {
    MakeFrame();
    // Before the first load a number without an entry selects nothing, and nothing stores 0.
    Project().nEffectMilliSecond = 3500;
    Project().nPicturePause = 12;
    Project().nAudioPause = 0;
    CSettingView& page = ShowSettings();
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"(none)");
    EXPECT_EQ(Selected(IDC_PICTURE_PAUSE), L"(none)");
    EXPECT_EQ(Selected(IDC_MUSIC_PAUSE), L"(none)");
    page.StoreToProject();
    EXPECT_EQ(Project().nEffectMilliSecond, 0);
    EXPECT_EQ(Project().nPicturePause, 0);
    EXPECT_EQ(Project().nAudioPause, 0);

    // Numbers with an entry select it: 10 s is "10", not the "1" before it.
    Project().nEffectMilliSecond = 10000;
    Project().nPicturePause = 10;
    Project().nAudioPause = 2;
    page.LoadFromProject();
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"10");
    EXPECT_EQ(Selected(IDC_PICTURE_PAUSE), L"10");
    EXPECT_EQ(Selected(IDC_MUSIC_PAUSE), L"2");
    page.StoreToProject();
    EXPECT_EQ(Project().nEffectMilliSecond, 10000);

    // A later number without an entry leaves the previous selection, which is stored.
    Project().nEffectMilliSecond = 3500;
    Project().nAudioPause = 12;
    page.LoadFromProject();
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"10");
    EXPECT_EQ(Selected(IDC_MUSIC_PAUSE), L"2");
    page.StoreToProject();
    EXPECT_EQ(Project().nEffectMilliSecond, 10000);
    EXPECT_EQ(Project().nAudioPause, 2);

    // The entries are the lists' own, in order.
    ASSERT_EQ(ComboItemCount(page.hwnd(), IDC_MUSIC_PAUSE), 14);
    EXPECT_EQ(ComboItemText(page.hwnd(), IDC_MUSIC_PAUSE, 12), L"25 ");
    EXPECT_EQ(ComboItemCount(page.hwnd(), IDC_EFFECT_DURATION), 12);
    EXPECT_EQ(ComboItemText(page.hwnd(), IDC_EFFECT_DURATION, 1), L"1.5");
    EXPECT_EQ(ComboItemCount(page.hwnd(), IDC_PICTURE_PAUSE), 10);
    EXPECT_EQ(ComboItemCount(page.hwnd(), IDC_BANNER_POS), 2);
}

TEST_F(SettingPage, ChoosingAnEntryMarksTheProjectAndStoresItsValue) {
    MakeFrame();
    Project().nEffectMilliSecond = 1000;
    Project().nAudioPause = 20;
    CSettingView& page = ShowSettings();
    EXPECT_FALSE(Modified());

    PressInList(IDC_EFFECT_DURATION, VK_DOWN);  // "1" to "1.5"
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"1.5");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Project().nEffectMilliSecond, 1000) << "the project takes it when the page is stored";
    page.StoreToProject();
    EXPECT_EQ(Project().nEffectMilliSecond, 1500);

    frame_->doc().SetModifiedFlag(false);
    PressInList(IDC_MUSIC_PAUSE, VK_DOWN);  // "20" to "25 "
    EXPECT_TRUE(Modified());
    page.StoreToProject();
    EXPECT_EQ(Project().nAudioPause, 25);

    for (int id : {IDC_PICTURE_PAUSE, IDC_BANNER_POS}) {
        frame_->doc().SetModifiedFlag(false);
        const std::wstring before = Selected(id);
        PressInList(id, before == L"Bottom center" || before == L"10" ? VK_UP : VK_DOWN);
        EXPECT_NE(Selected(id), before) << id;
        EXPECT_TRUE(Modified()) << id;
    }
    page.StoreToProject();
    EXPECT_EQ(Project().nBannerPos, 1);
    EXPECT_EQ(Project().nPicturePause, 4);
}

TEST_F(SettingPage, EveryCheckBoxClickAndBannerKeystrokeMarksTheProject) {
    CSettingView& page = ShowSettings();
    for (int id : kFlagIds) {
        frame_->doc().SetModifiedFlag(false);
        const bool before = IsItemChecked(page.hwnd(), id);
        Click(id);
        EXPECT_NE(IsItemChecked(page.hwnd(), id), before) << id;
        EXPECT_TRUE(Modified()) << id;
    }
    page.StoreToProject();
    const CParamData fresh;  // a new project's flags, every one turned over
    EXPECT_EQ(Project().bAutoAdjustSize, 1 - fresh.bAutoAdjustSize);
    EXPECT_EQ(Project().bShufflePic, 1 - fresh.bShufflePic);
    EXPECT_EQ(Project().bMovePicture, 1 - fresh.bMovePicture);
    EXPECT_EQ(Project().bShuffleAudio, 1 - fresh.bShuffleAudio);
    EXPECT_EQ(Project().bMuteMusic, 1 - fresh.bMuteMusic);
    EXPECT_EQ(Project().bMouseMove, 1 - fresh.bMouseMove);
    EXPECT_EQ(Project().bMouseLeftClick, 1 - fresh.bMouseLeftClick);
    EXPECT_EQ(Project().bMouseRightClick, 1 - fresh.bMouseRightClick);
    EXPECT_EQ(Project().bKeyboardEvent, 1 - fresh.bKeyboardEvent);

    frame_->doc().SetModifiedFlag(false);
    Type(IDC_BANNER_TEXT, L"Hi");
    EXPECT_TRUE(Modified());
    page.StoreToProject();
    EXPECT_EQ(Project().szBanner, "Hi");

    // Loading another project's banner is not the user's edit.
    frame_->doc().SetModifiedFlag(false);
    Project().szBanner = "Loaded";
    page.LoadFromProject();
    EXPECT_FALSE(Modified());
}

TEST_F(SettingPage, BannerTakesAtMost64CharactersAndSaysWhatTheScreensaverCannotHold) {
    CSettingView& page = ShowSettings();
    Type(IDC_BANNER_TEXT, std::wstring(70, L'x'));
    EXPECT_EQ(ItemText(page.hwnd(), IDC_BANNER_TEXT), std::wstring(64, L'x'));
    EXPECT_EQ(page.banner_note(), L"");

    // Characters, not UTF-16 units: 64 balloons (two units each) fit, a 65th does not.
    std::wstring balloons;
    for (int i = 0; i < 64; ++i) balloons += L"\U0001F388";
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, L"");
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, balloons);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_BANNER_TEXT), balloons);
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, balloons + L"\U0001F388");
    EXPECT_EQ(ItemText(page.hwnd(), IDC_BANNER_TEXT), balloons) << "refused as a longer text typed would be";

    // Any language goes in as typed.
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, L"");
    Type(IDC_BANNER_TEXT, L"Tokyo \u6771 \u041C\u043E\u0441\u043A\u0432\u0430");
    EXPECT_EQ(page.banner_note(), L"");
    page.StoreToProject();
    EXPECT_EQ(Project().szBanner, "Tokyo 東 Москва");

    // A lone surrogate pasted in is no character: it stays as typed and is named.
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, L"K\xDCF6ln");
    std::wstring note = page.banner_note();
    EXPECT_EQ(note.rfind(L"The banner can't go into the screensaver: ", 0), 0u) << note;
    EXPECT_NE(note.find(L"0xF6"), std::wstring::npos) << note;
    EXPECT_TRUE(IsWindowVisible(Control(IDC_BANNER_NOTE)));
    page.StoreToProject();

    // Making the screensaver refuses it on this page, with the focus in the banner.
    Project().szName = "Trip";
    Project().pictureList.push_back(CPictureData{});
    Project().pictureList.back().szFile = Path("a.jpg");
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    frame_->general_view()->LoadFromProject();
    Command(ID_MAKE_SCR);
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"The banner can't go into the screensaver: ", 0), 0u) << messages[0];
    EXPECT_EQ(frame_->pages().current(), kSettingsPage);
    EXPECT_EQ(GetFocus(), Control(IDC_BANNER_TEXT));

    // Mended, the note goes.
    SetItemText(page.hwnd(), IDC_BANNER_TEXT, L"Tokyo");
    EXPECT_EQ(page.banner_note(), L"");
}

TEST_F(SettingPage, BackgroundColourFromTheDialogOrDefaultBlack) {
    MakeFrame();
    Project().crBgColor = 0x00102030;
    CSettingView& page = ShowSettings();

    styles_.colors = {std::nullopt, ColorRef(0x00ABCDEF), ColorRef(0x00010203)};
    Click(IDC_BG_CHANGE);  // cancelled
    EXPECT_EQ(page.background(), 0x00102030u);
    EXPECT_FALSE(Modified());
    Click(IDC_BG_CHANGE);
    EXPECT_EQ(page.background(), 0x00ABCDEFu);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(styles_.color_presets, (std::vector<ColorRef>{0x00102030, 0x00102030}));
    page.StoreToProject();
    EXPECT_EQ(Project().crBgColor, 0x00ABCDEFu);

    // A click on the swatch opens the dialog too.
    frame_->doc().SetModifiedFlag(false);
    SendMessageW(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_BG_SWATCH, STN_CLICKED), LPARAM(Control(IDC_BG_SWATCH)));
    EXPECT_EQ(page.background(), 0x00010203u);
    EXPECT_TRUE(Modified());

    // "Default" is black, and an edit even when the swatch is black already.
    for (int round = 0; round < 2; ++round) {
        frame_->doc().SetModifiedFlag(false);
        Click(IDC_BG_DEFAULT);
        EXPECT_EQ(page.background(), 0u);
        EXPECT_TRUE(Modified()) << round;
    }
    page.StoreToProject();
    EXPECT_EQ(Project().crBgColor, 0u);
}

TEST_F(SettingPage, BannerFontAndColourFromTheFontDialog) {
    CSettingView& page = ShowSettings();
    const LogFont original = Project().lfBanner;

    LogFont chosen;
    chosen.face_name = "Courier New";
    chosen.height = -27;
    chosen.weight = 700;
    chosen.italic = 1;
    styles_.fonts = {std::nullopt, FontChoice{chosen, 0x000080FF}};
    Click(IDC_BANNER_FONT);  // cancelled
    EXPECT_EQ(page.banner_font(), original);
    EXPECT_FALSE(Modified());
    ASSERT_EQ(styles_.font_presets.size(), 1u);
    EXPECT_EQ(styles_.font_presets[0].font, original) << "the dialog starts at the banner's font";
    EXPECT_EQ(styles_.font_presets[0].color, 0x00FFFFFFu);

    Click(IDC_BANNER_FONT);
    EXPECT_EQ(page.banner_font(), chosen);
    EXPECT_EQ(page.banner_color(), 0x000080FFu);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Project().lfBanner, original) << "the project takes it when the page is stored";
    page.StoreToProject();
    EXPECT_EQ(Project().lfBanner, chosen);
    EXPECT_EQ(Project().crBanner, 0x000080FFu);

    // A face name in any language goes; one the screensaver cannot hold is named under
    // the banner.
    LogFont wide_face = chosen;
    wide_face.face_name = "\xef\xbc\xad\xef\xbc\xb3 Gothic";
    styles_.fonts = {FontChoice{wide_face, 0}};
    Click(IDC_BANNER_FONT);
    EXPECT_EQ(page.banner_note(), L"");
    wide_face.face_name = "Caf\xE9";
    styles_.fonts = {FontChoice{wide_face, 0}};
    Click(IDC_BANNER_FONT);
    EXPECT_EQ(page.banner_note().rfind(L"The banner font can't go into the screensaver: ", 0), 0u)
        << page.banner_note();
}

// The box was on again after every reopen when project files did not keep it.
TEST_F(SettingPage, MovePicturesOffSurvivesSavingAndOpeningTheProject) {
    CSettingView& page = ShowSettings();
    ASSERT_TRUE(IsItemChecked(page.hwnd(), IDC_MOVE_PICTURES)) << "a new project moves its pictures";
    Click(IDC_MOVE_PICTURES);
    const std::string file = Path("still.psm");
    files_.save = {file};
    Command(ID_FILE_SAVE);
    EXPECT_FALSE(Modified());
    Command(ID_FILE_NEW);
    ShowSettings();
    EXPECT_TRUE(IsItemChecked(page.hwnd(), IDC_MOVE_PICTURES));

    files_.open = {file};
    Command(ID_FILE_OPEN);
    ShowSettings();
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_MOVE_PICTURES));
    EXPECT_EQ(Project().bMovePicture, 0);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SettingPage, ANewProjectShowsItsDefaults) {
    CSettingView& page = ShowSettings();
    Click(IDC_MUTE_MUSIC);
    PressInList(IDC_EFFECT_DURATION, VK_DOWN);
    prompter_.answers = {IDNO};  // do not save the changes
    Command(ID_FILE_NEW);
    EXPECT_FALSE(Modified());
    ShowSettings();
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_MUTE_MUSIC));
    EXPECT_EQ(Selected(IDC_EFFECT_DURATION), L"2");
    EXPECT_EQ(Selected(IDC_PICTURE_PAUSE), L"3");
    EXPECT_EQ(Selected(IDC_MUSIC_PAUSE), L"5");
    EXPECT_EQ(Selected(IDC_BANNER_POS), L"Top center");
    EXPECT_EQ(page.background(), 0u);
    EXPECT_EQ(page.banner_font(), DefaultBannerFont());
    // A new project smooths and shuffles by rounds; it neither drifts nor blurs a backdrop.
    EXPECT_TRUE(IsItemChecked(page.hwnd(), IDC_SMOOTH_SCALING));
    EXPECT_TRUE(IsItemChecked(page.hwnd(), IDC_SHUFFLE_ROUNDS));
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_PAN_ZOOM));
    EXPECT_EQ(Selected(IDC_PAN_ZOOM_STRENGTH), L"15");
    EXPECT_EQ(Selected(IDC_BACKDROP), L"Background color");
    EXPECT_EQ(Selected(IDC_MONITOR_MODE), L"A different picture on each monitor");
    EXPECT_TRUE(IsItemChecked(page.hwnd(), IDC_TRUE_COLOURS));
}

// A project saved before the show's newer options shows them off, and the page stores
// them so: the project still makes the screensaver it made.
TEST_F(SettingPage, AProjectOfBeforeShowsTheNewerOptionsOffAndKeepsThem) {
    MakeFrame();
    SetAbsentOptions(Project());
    const CParamData before = Project();
    CSettingView& page = ShowSettings();
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_SMOOTH_SCALING));
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_SHUFFLE_ROUNDS));
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_PAN_ZOOM));
    EXPECT_EQ(Selected(IDC_MONITOR_MODE), L"Primary monitor only");
    EXPECT_FALSE(IsItemChecked(page.hwnd(), IDC_TRUE_COLOURS));
    page.StoreToProject();
    EXPECT_EQ(Project(), before);
    EXPECT_FALSE(Modified());
    Click(IDC_PAN_ZOOM);
    PressInList(IDC_BACKDROP, VK_DOWN);
    EXPECT_TRUE(Modified());
    page.StoreToProject();
    EXPECT_EQ(Project().bPanZoom, 1);
    EXPECT_EQ(Project().nBackdrop, 1);
    PressInList(IDC_MONITOR_MODE, VK_DOWN);
    page.StoreToProject();
    EXPECT_EQ(Project().nMonitorMode, 1);
    Click(IDC_TRUE_COLOURS);
    page.StoreToProject();
    EXPECT_EQ(Project().bTrueColours, 1);
}

// The box pictures are fitted into when made: off in a new project, a screen size chosen
// from the list, and a box set from the command line kept as it was.
TEST_F(SettingPage, TheFitBoxIsChosenFromTheListAndABoxOfItsOwnIsKept) {
    CSettingView& page = ShowSettings();
    EXPECT_EQ(Selected(IDC_FIT_BOX), L"Full size");
    PressInList(IDC_FIT_BOX, VK_DOWN);
    PressInList(IDC_FIT_BOX, VK_DOWN);
    EXPECT_EQ(Selected(IDC_FIT_BOX), L"1920 x 1080");
    EXPECT_TRUE(Modified());
    page.StoreToProject();
    EXPECT_EQ(Project().nFitWidth, 1920);
    EXPECT_EQ(Project().nFitHeight, 1080);

    Project().nFitWidth = 1600;
    Project().nFitHeight = 0;
    page.LoadFromProject();
    EXPECT_EQ(Selected(IDC_FIT_BOX), L"1600 x any height");
    page.StoreToProject();
    EXPECT_EQ(Project().nFitWidth, 1600);
    EXPECT_EQ(Project().nFitHeight, 0);
}

}  // namespace
}  // namespace gd::test
