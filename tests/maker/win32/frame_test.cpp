// The main window driven by messages: its frame, navigation, commands, validation and
// the save-changes step, with every message box and file dialog answered by fakes.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "common/utf16.h"
#include "common/web_addresses.h"
#include "maker/project/project_file.h"
#include "maker/win32/dpi.h"
#include "maker/win32/frame_menu.h"
#include "maker/win32/effect_view.h"
#include "maker/win32/general_view.h"
#include "maker/win32/music_view.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

using Texts = std::vector<std::wstring>;

class Frame : public MakerWindowTest {
protected:
    HWND GeneralItem(int id) { return GetDlgItem(frame_->general_view()->hwnd(), id); }
    void TypeInto(HWND edit, const std::wstring& text) {
        SetFocus(edit);
        for (wchar_t c : text) SendMessageW(edit, WM_CHAR, WPARAM(c), 1);
    }
    void SetName(const std::wstring& name) { SetWindowTextW(GeneralItem(IDC_SAVER_NAME), name.c_str()); }
    HMENU Popup(const wchar_t* text) { return FindPopup(GetMenu(frame_->hwnd()), text); }
    // Gives the open project a picture and an output folder, shown on the General page.
    void MakeProjectReady(const std::string& name) {
        CParamData& project = frame_->doc().project();
        project.szName = name;
        project.szOutputFolder = folder_.path().string();
        project.pictureList.push_back(CPictureData{});
        project.pictureList.back().szFile = Path("picture.jpg");
        frame_->general_view()->LoadFromProject();
    }
};

TEST_F(Frame, OpensAsAFixedWindowOnTheGeneralPage) {
    MakeFrame();
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - Untitled");
    RECT r{};
    GetWindowRect(frame_->hwnd(), &r);
    UINT dpi = WindowDpi(frame_->hwnd());
    EXPECT_EQ(r.right - r.left, ScaleForDpi(740, dpi));
    EXPECT_EQ(r.bottom - r.top, ScaleForDpi(605, dpi));
    LONG style = GetWindowLongW(frame_->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    EXPECT_EQ(frame_->navigation().checked(), kGeneralPage);
    EXPECT_TRUE(IsWindowVisible(frame_->general_view()->hwnd()));
    EXPECT_EQ(frame_->bars().Message(), L"Ready");
    EXPECT_FALSE(frame_->doc().IsModified()) << "filling the page is not an edit";
    HMENU file = Popup(L"&File");
    UINT state = GetMenuState(file, ID_FILE_MRU_FILE1, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_EQ(MenuItemText(file, 5), L"Recent File");
    // The commands with toolbar images show them in the menu, Exit its own.
    for (UINT command : {ID_FILE_NEW, ID_MAKE_SCR, ID_HELP_TOPICS, ID_APP_EXIT})
        EXPECT_NE(MenuImages::ItemImage(GetMenu(frame_->hwnd()), command), nullptr) << command;
}

TEST_F(Frame, HelpMenuGetsTipOfTheDayOnce) {
    MakeFrame();
    HMENU help = Popup(L"&Help");
    int count = GetMenuItemCount(help);
    for (int i = 0; i < 3; ++i) SendMessageW(frame_->hwnd(), WM_INITMENU, WPARAM(GetMenu(frame_->hwnd())), 0);
    EXPECT_EQ(GetMenuItemCount(help), count + 1);
    EXPECT_EQ(MenuItemText(help, 0), L"Ti&p of the Day...");
    EXPECT_EQ(GetMenuItemID(help, 0), UINT(ID_TIP_OF_THE_DAY));
    EXPECT_EQ(GetMenuState(help, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));

    // A bar without a Help menu gets one holding only the item.
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"&File");
    EXPECT_TRUE(EnsureTipOfTheDayItem(nullptr, bar));
    EXPECT_FALSE(EnsureTipOfTheDayItem(nullptr, bar));
    HMENU added = FindPopup(bar, L"&Help");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(GetMenuItemCount(added), 1);
    DestroyMenu(bar);
}

TEST_F(Frame, ToolbarButtonsShareOneSizeAndExplainThemselves) {
    MakeFrame();
    HWND toolbar = frame_->bars().toolbar();
    ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 10);
    SIZE first{};
    for (int i = 0; i < 10; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, WPARAM(i), LPARAM(&button));
        if (button.fsStyle & BTNS_SEP) continue;
        RECT r{};
        SendMessageW(toolbar, TB_GETITEMRECT, WPARAM(i), LPARAM(&r));
        SIZE size{r.right - r.left, r.bottom - r.top};
        if (first.cx == 0) first = size;
        EXPECT_EQ(size.cx, first.cx) << "button " << i;
        EXPECT_EQ(size.cy, first.cy) << "button " << i;
    }
    // Captions go under 32x32 images: the buttons are taller than the images.
    EXPECT_GT(first.cy, ScaleForDpi(32, WindowDpi(frame_->hwnd())) + 8);

    NMTTDISPINFOW tip{};
    tip.hdr.hwndFrom = toolbar;
    tip.hdr.idFrom = ID_FILE_NEW;
    tip.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(frame_->hwnd(), WM_NOTIFY, 0, LPARAM(&tip));
    EXPECT_STREQ(tip.lpszText, L"New project(Ctrl+N)");

    NMTBHOTITEM hot{};
    hot.hdr.hwndFrom = toolbar;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_MAKE_SCR;
    SendMessageW(frame_->hwnd(), WM_NOTIFY, 0, LPARAM(&hot));
    EXPECT_EQ(frame_->bars().Message(), L"Make the Screensaver ");
    hot.dwFlags = HICF_LEAVING;
    SendMessageW(frame_->hwnd(), WM_NOTIFY, 0, LPARAM(&hot));
    EXPECT_EQ(frame_->bars().Message(), L"Ready");

    SendMessageW(frame_->hwnd(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_MRU_FILE2, MF_STRING), LPARAM(Popup(L"&File")));
    EXPECT_EQ(frame_->bars().Message(), L"Open this Glimmerdeck project");
    SendMessageW(frame_->hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(frame_->bars().Message(), L"Ready");
}

TEST_F(Frame, IndicatorsFollowTheLockKeys) {
    MakeFrame();
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE keys[256];
    std::copy(std::begin(saved), std::end(saved), keys);
    keys[VK_CAPITAL] |= 1;
    keys[VK_NUMLOCK] &= BYTE(~1);
    keys[VK_SCROLL] |= 1;
    SetKeyboardState(keys);
    frame_->bars().UpdateIndicators();
    EXPECT_EQ(frame_->bars().Indicator(1), L"CAP");
    EXPECT_EQ(frame_->bars().Indicator(2), L"");
    EXPECT_EQ(frame_->bars().Indicator(3), L"SCRL");
    SetKeyboardState(saved);
}

TEST_F(Frame, NavigationPaneSwitchesPagesWithOneButtonChecked) {
    MakeFrame();
    CNavigationBar& nav = frame_->navigation();
    SendMessageW(nav.Button(kPicturesPage), BM_CLICK, 0, 0);
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
    EXPECT_EQ(nav.checked(), kPicturesPage);
    EXPECT_FALSE(IsWindowVisible(frame_->general_view()->hwnd()));
    // The checked button stays checked and switches nothing.
    frame_->doc().project().szName = "changed behind the page";
    SendMessageW(nav.Button(kPicturesPage), BM_CLICK, 0, 0);
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
    EXPECT_EQ(nav.checked(), kPicturesPage);
    SendMessageW(nav.Button(kGeneralPage), BM_CLICK, 0, 0);
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    EXPECT_TRUE(IsWindowVisible(frame_->general_view()->hwnd()));
    // Every page exists once made; each is laid out right of the pane.
    for (int page : {kMusicPage, kSettingsPage, kEffectsPage}) SendMessageW(nav.Button(page), BM_CLICK, 0, 0);
    EXPECT_EQ(nav.checked(), kEffectsPage);
    for (int page = 1; page <= kPageCount; ++page) EXPECT_NE(frame_->pages().page(page), nullptr) << page;
    // Without a page factory of the test's own the frame makes the maker's pages.
    EXPECT_NE(dynamic_cast<CPictureView*>(frame_->pages().page(kPicturesPage)), nullptr);
    EXPECT_NE(dynamic_cast<CMusicView*>(frame_->pages().page(kMusicPage)), nullptr);
    EXPECT_NE(dynamic_cast<CEffectView*>(frame_->pages().page(kEffectsPage)), nullptr);
}

TEST_F(Frame, CaptionShowsTheFileNameMarkedWhileModified) {
    MakeFrame();
    HWND name = GeneralItem(IDC_SAVER_NAME);
    TypeInto(name, L"Ab");
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - *Untitled") << "the name is not the file's name";
    EXPECT_TRUE(frame_->doc().IsModified());
    files_.save = {Path("ab show.psm")};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - ab show.psm");
    EXPECT_EQ(files_.save_suggestions, std::vector<std::string>{"Ab"}) << "a first save suggests the name";
    // Any edit marks it; saving clears the mark, so does a new project.
    TypeInto(GeneralItem(IDC_AUTHOR), L"Ann");
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - *ab show.psm");
    prompter_.answers = {IDCANCEL};
    Command(ID_FILE_NEW);
    EXPECT_EQ(TakeMessages(), Texts{L"Save changes to ab show.psm?"});
    Command(ID_FILE_SAVE);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - ab show.psm");
    Command(ID_FILE_NEW);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - Untitled");
}

TEST_F(Frame, NameFieldKeepsItsLimits) {
    MakeFrame();
    HWND name = GeneralItem(IDC_SAVER_NAME);
    TypeInto(name, L"Ab");
    TypeInto(name, std::wstring(40, L'x'));
    EXPECT_EQ(GetWindowTextLengthW(name), 30) << "a 31st character is refused";
    SetName(L"");
    TypeInto(name, L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026");
    SendMessageW(frame_->navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
    EXPECT_EQ(frame_->doc().project().szName, "\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 2026") << "held as UTF-8";
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    struct Limit {
        int id;
        int chars;
    };
    // Characters as the user sees them: a letter with its accent counts once.
    for (Limit limit : {Limit{IDC_AUTHOR, 30}, Limit{IDC_EMAIL, 50}, Limit{IDC_HOMEPAGE_EDIT, 50},
                        Limit{IDC_COPYRIGHT, 50}, Limit{IDC_DESCRIPTION, 200}}) {
        HWND edit = GeneralItem(limit.id);
        std::wstring accented;
        for (int i = 0; i < limit.chars; ++i) accented += L"o\u0301";
        SetWindowTextW(edit, L"");
        TypeInto(edit, accented);
        EXPECT_EQ(GetWindowTextLengthW(edit), 2 * limit.chars) << limit.id;
        TypeInto(edit, L"x");
        EXPECT_EQ(GetWindowTextLengthW(edit), 2 * limit.chars) << "one more is refused: " << limit.id;
    }

    // A description the page filled from the project (its multi-line control tells no
    // change then): one more character is refused, and what was there stays.
    std::string full;
    for (int i = 0; i < 199; ++i) full += "\u00f3";
    frame_->doc().project().szDescription = full + "z";
    frame_->general_view()->LoadFromProject();
    HWND description = GeneralItem(IDC_DESCRIPTION);
    SendMessageW(description, EM_SETSEL, 100, 100);
    TypeInto(description, L"x");
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_DESCRIPTION), Utf8ToUtf16(full + "z"));
    SendMessageW(description, EM_SETSEL, 200, 200);
    SendMessageW(description, WM_CHAR, WPARAM(L'\b'), 1);
    TypeInto(description, L"y");
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_DESCRIPTION), Utf8ToUtf16(full + "y")) << "within the limit";
}

TEST_F(Frame, BlankNameStopsMakeOnTheGeneralPageWithTheFocusInTheName) {
    MakeFrame();
    SetName(L"   ");
    Command(ID_MAKE_SCR);
    EXPECT_EQ(TakeMessages(), Texts{L"Screensaver name is needed!    "});
    EXPECT_EQ(frame_->doc().project().szName, "") << "shown on the General page, still trimmed";
    SendMessageW(frame_->navigation().Button(kSettingsPage), BM_CLICK, 0, 0);
    SetName(L"   ");  // the page is hidden, its text still goes into the project
    Command(ID_MAKE_SCR);
    EXPECT_EQ(TakeMessages(), Texts{L"Screensaver name is needed!    "});
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    EXPECT_EQ(frame_->navigation().checked(), kGeneralPage);
    EXPECT_EQ(GetFocus(), GeneralItem(IDC_SAVER_NAME));
    EXPECT_EQ(frame_->doc().project().szName, "") << "the project keeps the trimmed name";
}

TEST_F(Frame, NameWithAColonIsRefusedByMakeAndBySave) {
    MakeFrame();
    const std::wstring refusal =
        L"Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \":\".";
    SetName(L"a:b");
    Command(ID_MAKE_SCR);
    EXPECT_EQ(TakeMessages(), Texts{refusal});
    SendMessageW(frame_->navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
    files_.save = {Path("refused.psm")};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(TakeMessages(), Texts{refusal});
    EXPECT_TRUE(files_.save_suggestions.empty()) << "refused before the file prompt";
    EXPECT_FALSE(std::filesystem::exists(Path("refused.psm")));
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    EXPECT_EQ(GetFocus(), GeneralItem(IDC_SAVER_NAME));
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(TakeMessages(), Texts{refusal});
}

TEST_F(Frame, MakeAndPreviewWithoutPicturesGoToThePicturesPage) {
    MakeFrame();
    SetName(L"  Show  ");
    Command(ID_MAKE_SCR);
    EXPECT_EQ(TakeMessages(), Texts{L"Please add  one picture at least!    "});
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
    EXPECT_EQ(frame_->navigation().checked(), kPicturesPage);
    // Leaving the General page did not store the untrimmed name again.
    EXPECT_EQ(frame_->doc().project().szName, "Show");
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_SAVER_NAME), L"Show");
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    Command(ID_MAKE_PREVIEW);
    EXPECT_EQ(TakeMessages(), Texts{L"Please add one picture at least!    "});
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
    EXPECT_EQ(frame_->navigation().checked(), kPicturesPage);
}

TEST_F(Frame, TextTheScreensaverCannotHoldStopsMakeOnItsOwnPage) {
    MakeFrame();
    MakeProjectReady("Show");
    frame_->doc().project().szBanner = "K\xF6ln";  // a byte that is not UTF-8
    Command(ID_MAKE_SCR);
    Texts messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"The banner can't go into the screensaver: ", 0), 0u);
    EXPECT_EQ(frame_->pages().current(), kSettingsPage) << "the banner is set on the Settings page";
    EXPECT_EQ(frame_->navigation().checked(), kSettingsPage);
    EXPECT_EQ(FindThreadWindow(L"Screensaver Making"), nullptr) << "refused: no build";
}

TEST_F(Frame, OverwriteQuestionNamesTheSelfInstallingFile) {
    MakeFrame();
    MakeProjectReady("Show");
    folder_.Write("Show.exe", std::string("old"));
    folder_.Write("Show.scr", std::string("old"));
    folder_.Write("Show.exe", std::string("old"));
    prompter_.answers = {IDCANCEL};
    Command(ID_MAKE_SCR);
    std::wstring expected = Wide(folder_.path().string()) + L"\\Show.exe already exists. \nDo you want to replace it?   ";
    EXPECT_EQ(TakeMessages(), Texts{expected});
    EXPECT_EQ(FindThreadWindow(L"Screensaver Making"), nullptr) << "cancelled: no build";
}

TEST_F(Frame, F9AndTheOtherKeysReachTheirCommands) {
    MakeFrame();
    MSG key{};
    key.hwnd = GeneralItem(IDC_SAVER_NAME);
    key.message = WM_KEYDOWN;
    key.wParam = VK_F9;
    EXPECT_TRUE(frame_->PreTranslateMessage(key));
    EXPECT_EQ(TakeMessages(), Texts{L"Screensaver name is needed!    "});
    key.wParam = VK_F5;
    EXPECT_TRUE(frame_->PreTranslateMessage(key));
    EXPECT_EQ(TakeMessages(), Texts{L"Please add one picture at least!    "});
}

TEST_F(Frame, SavedProjectsAreListedMostRecentFirstAndSurviveARestart) {
    MakeFrame();
    SetName(L"Alpha");
    files_.save = {Path("a.psm")};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(files_.save_suggestions, std::vector<std::string>{"Alpha"});
    EXPECT_TRUE(std::filesystem::exists(Path("a.psm")));
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - a.psm");
    EXPECT_FALSE(frame_->doc().IsModified());
    files_.save = {Path("b.psm")};
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(frame_->recent().paths(), (std::vector<std::string>{Path("b.psm"), Path("a.psm")}));
    HMENU file = Popup(L"&File");
    EXPECT_EQ(MenuItemText(file, 5).substr(0, 3), L"&1 ");
    EXPECT_EQ(GetMenuItemID(file, 6), UINT(ID_FILE_MRU_FILE2));
    EXPECT_FALSE(GetMenuState(file, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    frame_.reset();
    DropPendingMessages();
    MakeFrame();
    EXPECT_EQ(frame_->recent().paths(), (std::vector<std::string>{Path("b.psm"), Path("a.psm")}));
    Command(ID_FILE_MRU_FILE2);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - a.psm");
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_SAVER_NAME), L"Alpha");
    EXPECT_EQ(frame_->recent().paths().front(), Path("a.psm"));
}

TEST_F(Frame, SaveChangesStepRunsBeforeTheProjectIsReplaced) {
    MakeFrame();
    TypeInto(GeneralItem(IDC_SAVER_NAME), L"Mine");
    prompter_.answers = {IDCANCEL};
    Command(ID_FILE_NEW);
    EXPECT_EQ(TakeMessages(), Texts{L"Save changes to Untitled?"});
    EXPECT_EQ(frame_->doc().project().szName, "Mine") << "cancelled: the project stays";

    prompter_.answers = {IDYES};
    files_.save = {Path("mine.psm")};
    Command(ID_FILE_NEW);
    TakeMessages();
    EXPECT_TRUE(std::filesystem::exists(Path("mine.psm")));
    EXPECT_EQ(frame_->doc().project().szName, "");
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - Untitled");

    TypeInto(GeneralItem(IDC_SAVER_NAME), L"Other");
    prompter_.answers = {IDNO};
    files_.open = {Path("mine.psm")};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TakeMessages(), Texts{L"Save changes to Untitled?"});
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_SAVER_NAME), L"Mine");
}

TEST_F(Frame, SaveChangesAndReplaceWarn) {
    MakeFrame();
    MakeProjectReady("Show");
    folder_.Write("Show.scr", std::string("old"));
    folder_.Write("Show.exe", std::string("old"));
    prompter_.answers = {IDCANCEL};
    Command(ID_MAKE_SCR);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_NE(prompter_.shown[0].text.find(L"already exists"), std::wstring::npos);
    EXPECT_EQ(prompter_.shown[0].type & MB_ICONMASK, UINT(MB_ICONWARNING));
    TypeInto(GeneralItem(IDC_AUTHOR), L"Ann");
    prompter_.answers = {IDCANCEL};
    Command(ID_FILE_NEW);
    ASSERT_EQ(prompter_.shown.size(), 2u);
    EXPECT_EQ(prompter_.shown[1].type & MB_ICONMASK, UINT(MB_ICONWARNING));
    EXPECT_EQ(prompter_.shown[1].type & MB_TYPEMASK, UINT(MB_YESNOCANCEL));
}

TEST_F(Frame, CloseAsksToSaveAModifiedProject) {
    MakeFrame();
    TypeInto(GeneralItem(IDC_SAVER_NAME), L"Mine");
    prompter_.answers = {IDCANCEL};
    SendMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame_->hwnd()));
    prompter_.answers = {IDNO};
    Command(ID_APP_EXIT);
    EXPECT_EQ(frame_->hwnd(), nullptr);
    EXPECT_EQ(TakeMessages(), (Texts{L"Save changes to Untitled?", L"Save changes to Untitled?"}));
}

TEST_F(Frame, OpeningAnotherProjectReloadsExistingPagesWhenShown) {
    MakeFrame();
    SetName(L"Alpha");
    files_.save = {Path("a.psm")};
    Command(ID_FILE_SAVE);
    SendMessageW(frame_->navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
    EXPECT_TRUE(frame_->OpenProjectFile(Path("a.psm")));
    EXPECT_EQ(frame_->pages().current(), kGeneralPage);
    EXPECT_EQ(frame_->navigation().checked(), kGeneralPage);
    EXPECT_TRUE(frame_->pages().reload_pending(kPicturesPage));
    EXPECT_FALSE(frame_->pages().reload_pending(kMusicPage));
    SendMessageW(frame_->navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
    EXPECT_FALSE(frame_->pages().reload_pending(kPicturesPage));
}

TEST_F(Frame, FailedOpenSaysWhyKeepsTheProjectAndDropsAVanishedRecentEntry) {
    MakeFrame();
    SetName(L"Kept");
    files_.save = {Path("kept.psm")};
    Command(ID_FILE_SAVE);
    folder_.Write("broken.psm", std::string("\x05\x00", 2));
    EXPECT_FALSE(frame_->OpenProjectFile(Path("broken.psm")));
    Texts shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], Wide(ProjectFileErrorText(ProjectFileResult::kReadFailed, Path("broken.psm"))));
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_SAVER_NAME), L"Kept");
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - kept.psm");

    std::filesystem::remove(Path("kept.psm"));
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_TRUE(frame_->recent().paths().empty());
    EXPECT_EQ(MenuItemText(Popup(L"&File"), 5), L"Recent File");
}

TEST_F(Frame, DroppedProjectFileOpens) {
    MakeFrame();
    SetName(L"Dropped");
    files_.save = {Path("dropped.psm")};
    Command(ID_FILE_SAVE);
    Command(ID_FILE_NEW);
    std::wstring path = Wide(Path("dropped.psm"));
    size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(path.begin(), path.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    SendMessageW(frame_->hwnd(), WM_DROPFILES, WPARAM(memory), 0);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - dropped.psm");
    EXPECT_EQ(ItemText(frame_->general_view()->hwnd(), IDC_SAVER_NAME), L"Dropped");
}

TEST_F(Frame, HelpAndWebCommandsOpenTheirAddresses) {
    MakeFrame();
    Command(ID_HELP_TOPICS);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], Wide(folder_.path().string()) + L"\\help\\overview.html");
    Command(ID_GETTING_STARTED);  // this folder has no such page
    Texts shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind(L"The help pages are missing: ", 0), 0u) << shown[0];
    Command(ID_HOMEPAGE);
    Command(ID_TECHNICAL_SUPPORT);
    ASSERT_EQ(opened_.size(), 3u);
    EXPECT_EQ(opened_[1], Wide(kProductPageAddress));
    EXPECT_EQ(opened_[2], Wide(kSupportMailAddress));
}

}  // namespace
}  // namespace gd::test
