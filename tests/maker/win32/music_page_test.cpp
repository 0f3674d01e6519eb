// The Music page in the main window, in the test's own process under Wine: the list and
// the project, every edit and its modified mark, the totals, keys, context menu, drops,
// and the player, over a media layer of the test's own and once over the real one.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "maker/ui/music_rules.h"
#include "maker/win32/file_drop.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/mci_player.h"
#include "maker/win32/music_view.h"
#include "maker/win32/ui_text.h"
#include "tests/maker/ui/fake_audition_media.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd::test {
namespace {

using Paths = std::vector<std::string>;

class MusicPage : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        services_.make_audition_media = [this] {
            auto media = std::make_unique<FakeAuditionMedia>();
            media->any_length = 3000;
            media_ = media.get();
            return media;
        };
    }
    CMusicView& ShowMusic() {
        if (!frame_) MakeFrame();
        SendMessageW(frame_->navigation().Button(kMusicPage), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<CMusicView*>(frame_->pages().page(kMusicPage));
        EXPECT_NE(page, nullptr);
        return *page;
    }
    CParamData& Project() { return frame_->doc().project(); }
    // A music file of `bytes` bytes in the test's folder: the first bytes of its type
    // (by the extension; an unknown one gets those of none), then padding.
    std::string Music(const std::string& name, size_t bytes = 10) {
        std::string content(bytes, 'm');
        const std::string upper = [&] {
            std::string u = name.substr(name.rfind('.') + 1);
            for (char& c : u) c = char(std::toupper((unsigned char)c));
            return u;
        }();
        const std::string magic = upper == "WAV" ? "RIFF" : upper == "MP3" ? "ID3" : upper.starts_with("MID") ? "MThd" : "";
        content.replace(0, std::min(magic.size(), bytes), magic.substr(0, bytes));
        return folder_.Write(name, content);
    }
    // A page showing files a.wav, b.mp3, c.mid, d.wav, the project unmodified.
    CMusicView& PageWithFour() {
        MakeFrame();
        Project().musicList = {Music("a.wav"), Music("b.mp3"), Music("c.mid"), Music("d.wav")};
        CMusicView& page = ShowMusic();
        frame_->doc().SetModifiedFlag(false);
        return page;
    }
    std::wstring Cell(CMusicView& page, int row, int column) {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(page.list(), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        return text;
    }
    int RowImage(CMusicView& page, int row) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(page.list(), LVM_GETITEMW, 0, LPARAM(&item));
        return item.iImage;
    }
    std::wstring Totals(CMusicView& page) { return ItemText(page.hwnd(), IDC_MUSIC_TOTALS); }
    std::wstring Status(CMusicView& page) { return ItemText(page.hwnd(), IDC_PLAYER_STATUS); }
    Paths Names(CMusicView& page) {
        Paths names;
        for (const std::string& path : page.files()) names.push_back(path.substr(path.find_last_of('\\') + 1));
        return names;
    }
    void Key(CMusicView& page, UINT key) { SendMessageW(page.list(), WM_KEYDOWN, key, 0); }
    // A right click on row `row` (-1: below the rows) with the menu answered by `choose`.
    void RightClick(CMusicView& page, int row, std::function<UINT(HMENU)> choose) {
        POINT at{20, 200};
        if (row >= 0) {
            RECT r{};
            ListView_GetItemRect(page.list(), row, &r, LVIR_LABEL);
            at = {r.left + 4, (r.top + r.bottom) / 2};
        }
        ClientToScreen(page.list(), &at);
        page.track_menu = [choose](HMENU menu, POINT) { return choose(menu); };
        SendMessageW(page.hwnd(), WM_CONTEXTMENU, WPARAM(page.list()), MAKELPARAM(at.x, at.y));
    }
    bool ButtonEnabled(CMusicView& page, int id) { return IsWindowEnabled(GetDlgItem(page.hwnd(), id)) != FALSE; }

    FakeAuditionMedia* media_ = nullptr;
};

// The menu's items as text, "-" for a separator, "(text)" for a grayed one.
std::vector<std::wstring> MenuItems(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) items.push_back(L"-");
        else if (info.fState & MFS_GRAYED) items.push_back(L"(" + std::wstring(text) + L")");
        else items.push_back(text);
    }
    return items;
}

TEST_F(MusicPage, LoadsTheProjectsFilesWithTypeSizeAndTotals) {
    MakeFrame();
    Project().musicList = {Music("one.wav", 1048576), Music("two.WMA", 524288), Music("Three.Mp3", 5243),
                           Music("four.midi"), Music("five.mpg"), Music("six.ogg")};
    CMusicView& page = ShowMusic();
    ASSERT_EQ(ListView_GetItemCount(page.list()), 6);
    EXPECT_EQ(Cell(page, 2, 0), L"Three.Mp3");
    EXPECT_EQ(Cell(page, 2, 1), Wide(folder_.File("Three.Mp3")));
    EXPECT_EQ(Cell(page, 0, 2), L"1.00M");
    EXPECT_EQ(Cell(page, 1, 2), L"0.50M");
    EXPECT_EQ(Cell(page, 2, 2), L"0.01M");
    EXPECT_EQ(Cell(page, 3, 2), L"0.00M");
    for (int row = 0; row < 5; ++row) EXPECT_EQ(RowImage(page, row), row) << "WAV, MP3, MIDI, WMA, MPG";
    EXPECT_EQ(RowImage(page, 5), I_IMAGENONE);
    EXPECT_EQ(Totals(page), L"Total music num: 6  Total size: 1.51 M");
    // The list's look.
    const DWORD style = DWORD(ListView_GetExtendedListViewStyle(page.list()));
    EXPECT_EQ(style & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP),
              DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP));
    EXPECT_TRUE(GetWindowLongW(page.list(), GWL_STYLE) & LVS_SINGLESEL);
    // Name and Size keep their widths; Path gives way so that Size is in view.
    RECT client{};
    GetClientRect(page.list(), &client);
    EXPECT_EQ(ListView_GetColumnWidth(page.list(), 0), ScaleForWindow(page.hwnd(), 150));
    EXPECT_EQ(ListView_GetColumnWidth(page.list(), 2), ScaleForWindow(page.hwnd(), 60));
    EXPECT_LE(ListView_GetColumnWidth(page.list(), 0) + ListView_GetColumnWidth(page.list(), 1) +
                  ListView_GetColumnWidth(page.list(), 2),
              client.right);
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(frame_->doc().IsModified()) << "loading is no edit";
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(MusicPage, TotalsAddTheShownSizesAtTheirBoundaries) {
    MakeFrame();
    // 0.004 M each: every row and the total show 0.00.
    Project().musicList = {Music("a.wav", 4194), Music("b.wav", 4194), Music("c.wav", 4194)};
    CMusicView& page = ShowMusic();
    EXPECT_EQ(Totals(page), L"Total music num: 3  Total size: 0.00 M");
    Project().musicList = {Music("d.wav", 5242), Music("e.wav", 5243)};  // 0.00M and 0.01M
    page.LoadFromProject();
    EXPECT_EQ(Totals(page), L"Total music num: 2  Total size: 0.01 M");
    Project().musicList = {};
    page.LoadFromProject();
    EXPECT_EQ(Totals(page), L"Total music num: 0  Total size: 0.00 M");
}

TEST_F(MusicPage, AMissingFileIsReportedAndLeftOutOfTheProject) {
    MakeFrame();
    const std::string gone = folder_.File("gone.wav");
    Project().musicList = {Music("a.wav"), gone, Music("b.wav")};
    CMusicView& page = ShowMusic();
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{Wide(gone) + L" is not exists!"});
    EXPECT_EQ(Names(page), (Paths{"a.wav", "b.wav"}));
    EXPECT_EQ(Totals(page), L"Total music num: 2  Total size: 0.00 M");
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);  // stores
    EXPECT_EQ(Project().musicList, (Paths{folder_.File("a.wav"), folder_.File("b.wav")}));
}

TEST_F(MusicPage, AddSkipsListedFilesWhateverTheirCaseAndMarksModified) {
    MakeFrame();
    Project().musicList = {Music("Song.wav")};
    CMusicView& page = ShowMusic();
    const std::string upper = folder_.File("SONG.WAV");
    files_.music = {std::nullopt,
                    Paths{Music("b.mp3"), upper, Music("a.mid"), folder_.File("B.MP3"), Music("c.wav")}};
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_ADD, BM_CLICK, 0, 0);  // cancelled
    EXPECT_EQ(page.files().size(), 1u);
    EXPECT_FALSE(frame_->doc().IsModified());
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_ADD, BM_CLICK, 0, 0);
    EXPECT_EQ(Names(page), (Paths{"Song.wav", "b.mp3", "a.mid", "c.wav"})) << "in the dialog's order";
    EXPECT_TRUE(TakeMessages().empty()) << "duplicates are skipped silently";
    EXPECT_TRUE(frame_->doc().IsModified());
    EXPECT_EQ(Totals(page), L"Total music num: 4  Total size: 0.00 M");
    EXPECT_EQ(page.selected(), -1) << "adding selects nothing";
    page.StoreToProject();
    EXPECT_EQ(Project().musicList.size(), 4u);
}

TEST_F(MusicPage, RemovingKeepsTheIndexTakesTheNewLastAndEmptiesToNoSelection) {
    CMusicView& page = PageWithFour();
    page.ClickRow(1);
    EXPECT_EQ(media_->open_file(), folder_.File("b.mp3"));
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_REMOVE, BM_CLICK, 0, 0);
    EXPECT_EQ(Names(page), (Paths{"a.wav", "c.mid", "d.wav"}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(page.HighlightedRow(), 1);
    EXPECT_EQ(media_->open_file(), folder_.File("c.mid")) << "the new selection plays";
    EXPECT_TRUE(frame_->doc().IsModified());

    page.ClickRow(2);
    Key(page, VK_DELETE);  // the last one: the new last is selected
    EXPECT_EQ(Names(page), (Paths{"a.wav", "c.mid"}));
    EXPECT_EQ(page.selected(), 1);
    page.RemoveSelected();
    page.RemoveSelected();
    EXPECT_TRUE(page.files().empty());
    EXPECT_EQ(page.selected(), -1);
    EXPECT_EQ(page.HighlightedRow(), -1);
    EXPECT_EQ(Totals(page), L"Total music num: 0  Total size: 0.00 M");
    EXPECT_EQ(page.player().state(), AuditionState::kStopped) << "the removal stopped the player";
    frame_->doc().SetModifiedFlag(false);
    page.RemoveSelected();  // nothing selected: nothing happens
    EXPECT_FALSE(frame_->doc().IsModified());
}

TEST_F(MusicPage, MovingSwapsWithTheNeighbourTheSelectionFollowsTheEndsRefuse) {
    CMusicView& page = PageWithFour();
    page.ClickRow(0);
    page.MoveUp();  // the first row: nothing
    EXPECT_FALSE(frame_->doc().IsModified());
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_DOWN, BM_CLICK, 0, 0);
    EXPECT_EQ(Names(page), (Paths{"b.mp3", "a.wav", "c.mid", "d.wav"}));
    EXPECT_EQ(Cell(page, 0, 0), L"b.mp3");
    EXPECT_EQ(RowImage(page, 0), kMusicMp3);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(page.HighlightedRow(), 1);
    EXPECT_TRUE(frame_->doc().IsModified());
    page.MoveDown();
    page.MoveDown();
    EXPECT_EQ(page.selected(), 3);
    frame_->doc().SetModifiedFlag(false);
    page.MoveDown();  // the last row: nothing
    EXPECT_FALSE(frame_->doc().IsModified());
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_UP, BM_CLICK, 0, 0);
    EXPECT_EQ(Names(page), (Paths{"b.mp3", "c.mid", "a.wav", "d.wav"}));
    EXPECT_EQ(page.selected(), 2);
    EXPECT_TRUE(frame_->doc().IsModified());
    EXPECT_EQ(media_->open_file(), folder_.File("a.wav")) << "moving leaves the player alone";
    page.StoreToProject();
    EXPECT_EQ(Project().musicList[0], folder_.File("b.mp3"));
}

TEST_F(MusicPage, RemoveAllAsksAndLeavesAPlayingFilePlaying) {
    CMusicView& page = PageWithFour();
    page.ClickRow(2);
    ASSERT_TRUE(page.player().playing());
    prompter_.answers = {IDCANCEL, IDOK};
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_REMOVE_ALL, BM_CLICK, 0, 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Remove all music?   "});
    EXPECT_EQ(page.files().size(), 4u);
    EXPECT_FALSE(frame_->doc().IsModified());
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_REMOVE_ALL, BM_CLICK, 0, 0);
    EXPECT_EQ(prompter_.shown.at(0).type & MB_OKCANCEL, UINT(MB_OKCANCEL));
    EXPECT_TRUE(page.files().empty());
    EXPECT_EQ(ListView_GetItemCount(page.list()), 0);
    EXPECT_EQ(page.selected(), -1);
    EXPECT_TRUE(frame_->doc().IsModified());
    EXPECT_EQ(Totals(page), L"Total music num: 0  Total size: 0.00 M");
    EXPECT_TRUE(page.player().playing());
    EXPECT_TRUE(media_->Playing());
    TakeMessages();
    page.RemoveAll();  // an empty list: no question
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(MusicPage, ArrowKeysStartAtTheEndsAndEveryMoveLoadsThePlayer) {
    CMusicView& page = PageWithFour();
    Key(page, VK_UP);
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(media_->open_file(), folder_.File("a.wav"));
    page.ResetForNewProject();
    Key(page, VK_DOWN);
    EXPECT_EQ(page.selected(), 3);
    EXPECT_EQ(page.HighlightedRow(), 3);
    Key(page, VK_DOWN);  // stays at the last, and plays it again from its start
    EXPECT_EQ(page.selected(), 3);
    EXPECT_EQ(media_->journal.back(), "play 0");
    Key(page, VK_UP);
    EXPECT_EQ(page.selected(), 2);
    EXPECT_EQ(media_->open_file(), folder_.File("c.mid"));
    Key(page, VK_HOME);
    EXPECT_EQ(page.selected(), 0);
    Key(page, VK_END);
    EXPECT_EQ(page.selected(), 3);
    EXPECT_EQ(page.HighlightedRow(), 3);
    EXPECT_FALSE(frame_->doc().IsModified()) << "choosing is no edit";
}

TEST_F(MusicPage, TheContextMenuOffersWhatTheSelectionAllowsAndRunsTheButtons) {
    MakeFrame();
    CMusicView& page = ShowMusic();
    std::vector<std::wstring> items;
    RightClick(page, -1, [&](HMENU menu) {
        items = MenuItems(menu);
        return 0u;
    });
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Add music", L"-", L"(Remove selected music)", L"(Move Up)",
                                                L"(Move Down)", L"-", L"(Remove all music)"}));

    Project().musicList = {Music("a.wav"), Music("b.wav"), Music("c.wav")};
    page.LoadFromProject();
    RightClick(page, -1, [&](HMENU menu) {
        items = MenuItems(menu);
        return 0u;
    });
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Add music", L"-", L"(Remove selected music)", L"(Move Up)",
                                                L"(Move Down)", L"-", L"Remove all music"}));
    // A right click selects the row under the pointer (without loading the player).
    RightClick(page, 0, [&](HMENU menu) {
        items = MenuItems(menu);
        return 0u;
    });
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(page.HighlightedRow(), 0);
    EXPECT_EQ(items[3], L"(Move Up)");
    EXPECT_EQ(items[4], L"Move Down");
    EXPECT_TRUE(media_->journal.empty());
    RightClick(page, 2, [&](HMENU menu) {
        items = MenuItems(menu);
        return UINT(IDC_MUSIC_UP);
    });
    EXPECT_EQ(items[3], L"Move Up");
    EXPECT_EQ(items[4], L"(Move Down)");
    EXPECT_EQ(Names(page), (Paths{"a.wav", "c.wav", "b.wav"})) << "the chosen command ran";
    EXPECT_EQ(page.selected(), 1);
    EXPECT_TRUE(frame_->doc().IsModified());
    // Every item but the separators carries an image.
    HMENU menu = page.MakeContextMenu();
    for (int id : {IDC_MUSIC_ADD, IDC_MUSIC_REMOVE, IDC_MUSIC_UP, IDC_MUSIC_DOWN, IDC_MUSIC_REMOVE_ALL}) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        GetMenuItemInfoW(menu, UINT(id), FALSE, &info);
        EXPECT_NE(info.hbmpItem, nullptr) << id;
    }
    DestroyMenu(menu);
}

TEST_F(MusicPage, AClickPlaysTheRowUnlessThePlayerHoldsAnotherFileThanTheSelection) {
    CMusicView& page = PageWithFour();
    page.ClickRow(1);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(media_->open_file(), folder_.File("b.mp3"));
    EXPECT_TRUE(page.player().playing());
    // Beside the rows: the selection stays, highlighted, and the player goes on.
    ListView_SetItemState(page.list(), -1, 0, LVIS_SELECTED);  // what the list does itself
    page.ClickRow(-1);
    EXPECT_EQ(page.HighlightedRow(), 1);
    EXPECT_TRUE(page.player().playing());
    // A right click selects row 3 and leaves b.mp3 in the player: the next click, on any
    // row, only gives the player the selected row's file.
    RightClick(page, 3, [](HMENU) { return 0u; });
    page.ClickRow(0);
    EXPECT_EQ(page.selected(), 3);
    EXPECT_EQ(page.HighlightedRow(), 3);
    EXPECT_EQ(media_->open_file(), folder_.File("d.wav"));
    page.ClickRow(0);
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(media_->open_file(), folder_.File("a.wav"));
}

TEST_F(MusicPage, ANewProjectStopsThePlayerAndAClickThenPlaysAgain) {
    int previews = 0;
    services_.start_preview = [&](HWND, CScreenSaverDoc&) { ++previews; };
    CMusicView& page = PageWithFour();
    Project().pictureList.push_back(CPictureData{});
    page.ClickRow(2);
    ASSERT_TRUE(page.player().playing());
    Command(ID_MAKE_PREVIEW);
    EXPECT_EQ(previews, 1);
    EXPECT_FALSE(page.player().playing()) << "the preview plays its own music";
    page.ClickRow(3);
    ASSERT_TRUE(page.player().playing());

    frame_->doc().SetModifiedFlag(false);
    Command(ID_FILE_NEW);
    EXPECT_FALSE(page.player().playing());
    EXPECT_EQ(page.selected(), -1);
    Project().musicList = {Music("x.wav"), Music("y.wav")};
    ShowMusic();  // the reload flag loads the new list
    EXPECT_EQ(Names(page), (Paths{"x.wav", "y.wav"}));
    page.ClickRow(1);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(media_->open_file(), folder_.File("y.wav"));
    EXPECT_TRUE(page.player().playing());
}

TEST_F(MusicPage, AFileThatIsNotMusicByItsFirstBytesIsNamedWithItsReasonAndNothingIsAdded) {
    MakeFrame();
    CMusicView& page = ShowMusic();
    const std::string fake = folder_.Write("song.mp3", std::string("just some text"));
    files_.music = {Paths{fake}};
    SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_ADD, BM_CLICK, 0, 0);
    EXPECT_TRUE(page.files().empty());
    EXPECT_FALSE(frame_->doc().IsModified());
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{Wide(fake) + L"\n\nwas not added: not an MP3 file (its first "
                                                                      L"bytes are not those of one)"});
    // Dropped with a good one and a text file: one message names both, the good one is added.
    const std::string good = Music("good.wav"), notes = folder_.Write("notes.txt", std::string("t"));
    SendMessageW(page.list(), WM_DROPFILES, WPARAM(MakeFileDrop({fake, good, notes})), 0);
    EXPECT_EQ(Names(page), Paths{"good.wav"});
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"These 2 files were not added:", 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find(Wide(notes) + L": not a type this list takes"), std::wstring::npos) << messages[0];
    EXPECT_NE(messages[0].find(Wide(fake) + L": not an MP3 file"), std::wstring::npos) << messages[0];
}

TEST_F(MusicPage, DroppedFilesAndFoldersAddTheirMusicInOrderAndNameTheRestOnce) {
    MakeFrame();
    Project().musicList = {Music("listed.wav")};
    CMusicView& page = ShowMusic();
    std::filesystem::create_directories(folder_.path() / "album");
    Music("album\\10 last.mp3");
    Music("album\\2 second.wav");
    folder_.Write("album\\cover.jpg", "j");
    const Paths dropped = {Music("z.mid"), folder_.File("notes.txt"), folder_.File("album"),
                           folder_.File("LISTED.WAV")};
    folder_.Write("notes.txt", "t");
    SendMessageW(page.list(), WM_DROPFILES, WPARAM(MakeFileDrop(dropped)), 0);
    EXPECT_EQ(Names(page), (Paths{"listed.wav", "z.mid", "2 second.wav", "10 last.mp3"}));
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"notes.txt"), std::wstring::npos);
    EXPECT_NE(messages[0].find(L"cover.jpg"), std::wstring::npos);
    EXPECT_TRUE(frame_->doc().IsModified());
    EXPECT_EQ(Totals(page), L"Total music num: 4  Total size: 0.00 M");
}

TEST_F(MusicPage, ThePlayerStripFollowsThePlayer) {
    CMusicView& page = PageWithFour();
    EXPECT_FALSE(ButtonEnabled(page, IDC_PLAYER_PLAY));
    EXPECT_FALSE(ButtonEnabled(page, IDC_PLAYER_STOP));
    page.ClickRow(0);
    EXPECT_FALSE(ButtonEnabled(page, IDC_PLAYER_PLAY));
    EXPECT_TRUE(ButtonEnabled(page, IDC_PLAYER_STOP));
    EXPECT_EQ(Status(page), L"Playing: a.wav");
    HWND bar = GetDlgItem(page.hwnd(), IDC_PLAYER_POSITION);
    EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 3000);
    media_->Advance(1250);
    page.PollPlayer();
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 1250);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_PLAYER_TIME), L"0:01 / 0:03");

    // The position bar moved by the user: the file goes on from there.
    SendMessageW(bar, TBM_SETPOS, TRUE, 2000);
    SendMessageW(page.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 2000), LPARAM(bar));
    EXPECT_EQ(ItemText(page.hwnd(), IDC_PLAYER_TIME), L"0:02 / 0:03");
    SendMessageW(page.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(bar));
    EXPECT_EQ(media_->journal.back(), "play 2000");

    SendDlgItemMessageW(page.hwnd(), IDC_PLAYER_STOP, BM_CLICK, 0, 0);
    EXPECT_EQ(Status(page), L"Stopped: a.wav");
    EXPECT_TRUE(ButtonEnabled(page, IDC_PLAYER_PLAY));
    EXPECT_FALSE(ButtonEnabled(page, IDC_PLAYER_STOP));
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 0);
    SendDlgItemMessageW(page.hwnd(), IDC_PLAYER_PLAY, BM_CLICK, 0, 0);
    EXPECT_TRUE(page.player().playing());
    // Played to its end through the page's own timer: stopped, back at the start.
    media_->Advance(5000);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !page.player().playing(); }, 3000));
    EXPECT_EQ(Status(page), L"Stopped: a.wav");
}

TEST_F(MusicPage, WithoutASoundDeviceThePageSaysItCannotPlayAndNothingWaits) {
    CMusicView& page = PageWithFour();
    media_->silent = true;  // takes the file, plays nothing
    page.ClickRow(1);
    EXPECT_EQ(Status(page), L"Playing: b.mp3");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpMessagesUntil([&] { return page.player().state() == AuditionState::kCannotPlay; }, 5000));
    EXPECT_GE(GetTickCount() - start, AuditionPlayer::kStartLimitMs - 300);
    EXPECT_EQ(Status(page), L"Cannot play b.mp3: no sound device plays it.");
    EXPECT_TRUE(ButtonEnabled(page, IDC_PLAYER_PLAY)) << "Play tries again";
    EXPECT_TRUE(TakeMessages().empty()) << "no message box";
    // A file the media layer refuses says so at once.
    media_->refuse_play = true;
    page.ClickRow(2);
    EXPECT_EQ(Status(page), L"Cannot play c.mid: no driver.");
}

// The real media control interface on a tone we write: it plays to its end where there is
// a sound device, or says it cannot play; either way within a few seconds.
std::string WriteTone(const std::string& path, int milliseconds) {
    const uint32_t rate = 8000;
    const uint32_t samples = rate * uint32_t(milliseconds) / 1000;
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
    };
    for (char c : std::string("RIFF")) bytes.push_back(uint8_t(c));
    put32(36 + samples);
    for (char c : std::string("WAVEfmt ")) bytes.push_back(uint8_t(c));
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(rate);
    put32(rate);  // bytes per second
    put16(1);
    put16(8);
    for (char c : std::string("data")) bytes.push_back(uint8_t(c));
    put32(samples);
    for (uint32_t i = 0; i < samples; ++i) bytes.push_back((i / 10) % 2 ? 160 : 96);  // 400 Hz square
    std::ofstream(Utf8Path(path), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          std::streamsize(bytes.size()));
    return path;
}

TEST_F(MusicPage, TheRealMediaLayerPlaysAToneToItsEndOrSaysItCannot) {
    const std::string tone = WriteTone(folder_.File("tone.wav"), 1000);
    // The media layer straight, without the page's check for a sound device.
    {
        CMciPlayer media;
        AuditionPlayer player(media);
        player.SetFile(tone, GetTickCount());
        if (player.state() == AuditionState::kPlaying) {
            EXPECT_NEAR(double(player.length()), 1000.0, 20.0);
            const DWORD start = GetTickCount();
            while (player.playing() && GetTickCount() - start < 10000) {
                Sleep(AuditionPlayer::kPollPeriodMs);
                player.Poll(GetTickCount());
            }
            EXPECT_FALSE(player.playing()) << "the poll ends it, played or not";
            std::cout << "media layer: " << (player.state() == AuditionState::kStopped ? "played to the end" : "")
                      << player.problem() << "\n";
        } else {
            std::cout << "media layer refused the tone: " << player.problem() << "\n";
            EXPECT_FALSE(player.problem().empty());
        }
    }
    // The page with the real media layer: plays, or says why not.
    services_.make_audition_media = nullptr;
    MakeFrame();
    Project().musicList = {tone};
    CMusicView& page = ShowMusic();
    page.ClickRow(0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !page.player().playing(); }, 10000));
    const std::wstring status = Status(page);
    std::wcout << L"page: " << status << L"\n";
    EXPECT_TRUE(status == L"Stopped: tone.wav" || status.rfind(L"Cannot play tone.wav: ", 0) == 0) << status;
    EXPECT_TRUE(TakeMessages().empty());
}

TEST(MediaPaths, ANameTheCodePageCannotHoldReachesTheMediaLayerInItsShortForm) {
    TempFolder folder;
    const std::string plain = folder.Write("caf\xc3\xa9.wav", "m");           // in the code page
    const std::string foreign = folder.Write("\xe9\x9f\xb3\xe6\xa5\xbd.wav", "m");  // not in it
    EXPECT_EQ(WidenAnsi(AnsiPathForMedia(plain)), Wide(plain));
    const std::string narrow = AnsiPathForMedia(foreign);
    EXPECT_NE(WidenAnsi(narrow), Wide(foreign));
    EXPECT_NE(GetFileAttributesA(narrow.c_str()), INVALID_FILE_ATTRIBUTES) << narrow;
}

}  // namespace
}  // namespace gd::test
