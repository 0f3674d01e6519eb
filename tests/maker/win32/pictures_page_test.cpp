// The Pictures page inside the main window, in the test's own process under Wine: the
// list and the project, every edit and its modified mark, the totals, the keys and the
// context menu, the caption look and its defaults, the preview, and a thousand pictures
// added through the dialog and by a drop.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "maker/project/caption_defaults.h"
#include "maker/project/settings_folder.h"
#include "maker/win32/file_drop.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/ui_text.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

class PicturesPage : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        services_.choose_font = [this](HWND, const LogFont& font, ColorRef color) -> std::optional<FontChoice> {
            font_asked_.push_back({font, color});
            if (fonts_.empty()) return std::nullopt;
            auto answer = fonts_.front();
            fonts_.pop_front();
            return answer;
        };
    }
    CPictureView& ShowPictures() {
        if (!frame_) MakeFrame();
        SendMessageW(frame_->navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<CPictureView*>(frame_->pages().page(kPicturesPage));
        EXPECT_NE(page, nullptr);
        return *page;
    }
    CParamData& Project() { return frame_->doc().project(); }
    bool Modified() { return frame_->doc().IsModified(); }
    // A file of `bytes` bytes. From 35 bytes on it is a picture (a 1x1 GIF, whatever the
    // name says: decoding goes by the content) followed by padding; smaller files are not.
    std::string File(const std::string& name, size_t bytes = 64) {
        static const uint8_t kGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                       0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                       0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
        std::string content(bytes, 'x');
        if (bytes >= sizeof kGif) std::copy(std::begin(kGif), std::end(kGif), content.begin());
        return folder_.Write(name, content);
    }
    std::string Sample(const std::string& relative, const std::string& name) {
        std::filesystem::copy_file(Utf8Path(SourceFile(relative)), folder_.path() / name,
                                   std::filesystem::copy_options::overwrite_existing);
        return Path(name);
    }
    void AddToProject(const std::vector<std::string>& paths, const std::string& caption = "") {
        for (const std::string& path : paths) {
            Project().pictureList.push_back(CPictureData(path, frame_->doc().DefaultCaptionStyle()));
            Project().pictureList.back().szCaption = caption;
        }
    }
    static std::wstring Cell(HWND list, int row, int column) {
        wchar_t text[1024] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 1024;
        SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        return text;
    }
    static int RowCount(HWND list) { return int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
    static int RowImage(HWND list, int row) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, LPARAM(&item));
        return item.iImage;
    }
    static int HighlightedRow(HWND list) { return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }
    std::vector<std::string> Files(CPictureView& page) {
        std::vector<std::string> files;
        for (const auto& p : page.pictures()) files.push_back(p.szFile);
        return files;
    }
    std::wstring Totals(CPictureView& page) { return ItemText(page.hwnd(), IDC_PICTURE_TOTALS); }
    bool Enabled(CPictureView& page, int id) { return IsWindowEnabled(GetDlgItem(page.hwnd(), id)); }
    void Key(CPictureView& page, UINT key) { SendMessageW(page.list(), WM_KEYDOWN, key, 0); }

    struct FontAsked {
        LogFont font;
        ColorRef color;
    };
    std::deque<std::optional<FontChoice>> fonts_;
    std::vector<FontAsked> font_asked_;
};

TEST_F(PicturesPage, ListsTheProjectsPicturesAndStoresTheListBack) {
    MakeFrame();
    const std::string a = File("beach.JPG", 2048), b = File("city.png", 5000), c = File("old scan.tif", 100);
    AddToProject({a, b, c}, "Summer");
    const std::string wmf = File("logo.wmf", 1), other = File("notes.xyz", 1);
    AddToProject({wmf, other});
    CPictureView& page = ShowPictures();
    HWND list = page.list();
    ASSERT_EQ(RowCount(list), 5);
    EXPECT_EQ(Cell(list, 0, 0), L"beach.JPG");
    EXPECT_EQ(Cell(list, 0, 1), Wide(a));
    EXPECT_EQ(Cell(list, 0, 2), L"2K");
    EXPECT_EQ(Cell(list, 1, 2), L"4K");  // 5000 / 1024, cut
    EXPECT_EQ(Cell(list, 2, 2), L"0K");
    // The type icons: JPG, PNG, TIF, WMF; no icon for an unknown type.
    EXPECT_EQ(RowImage(list, 0), 1);
    EXPECT_EQ(RowImage(list, 1), 3);
    EXPECT_EQ(RowImage(list, 2), 5);
    EXPECT_EQ(RowImage(list, 3), 7);
    EXPECT_EQ(RowImage(list, 4), -1);
    EXPECT_EQ(Totals(page), L"Total picture num: 5  Total size: 6 K");
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(Enabled(page, IDC_CAPTION_TEXT));
    EXPECT_FALSE(Enabled(page, IDC_CAPTION_SET_DEFAULT));
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(TakeMessages().empty());

    // The page works on a copy: the project changes only when the page is stored.
    page.ClickRow(1);
    page.RemoveSelected();
    EXPECT_EQ(Project().pictureList.size(), 5u);
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    ASSERT_EQ(Project().pictureList.size(), 4u);
    EXPECT_EQ(Project().pictureList[1].szFile, c);
    EXPECT_EQ(Project().pictureList[1].szCaption, "Summer");
}

TEST_F(PicturesPage, MissingFilesAreReportedOnceWhenShownAndLeaveTheList) {
    MakeFrame();
    CPictureView& page = ShowPictures();
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    const std::string kept = File("kept.jpg");
    AddToProject({Path("gone.jpg"), kept, Path("also gone.png")});
    // Loaded behind the General page (as after Open): nothing is read or said yet.
    page.LoadFromProject();
    EXPECT_TRUE(page.load_pending());
    EXPECT_TRUE(TakeMessages().empty());

    ShowPictures();
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{Wide(Path("gone.jpg")) + L" is not exists!\n" +
                                                        Wide(Path("also gone.png")) + L" is not exists!"});
    EXPECT_EQ(Files(page), std::vector<std::string>{kept});
    EXPECT_EQ(Totals(page), L"Total picture num: 1  Total size: 0 K");
    EXPECT_FALSE(Modified()) << "reading the project is no edit of it";
    frame_->pages().CommitShownPage();
    EXPECT_EQ(Project().pictureList.size(), 1u);
}

TEST_F(PicturesPage, SavingKeepsWhatThePageShowsAndDropsOnlyTheRowsOfGoneFiles) {
    MakeFrame();
    const std::string a = File("a.jpg"), b = File("b.jpg"), c = File("c.jpg"), d = File("d.jpg");
    AddToProject({a, b, c, d}, "Hello");
    CPictureView& page = ShowPictures();
    page.ClickRow(2);
    ASSERT_TRUE(page.preview().has_picture());
    std::filesystem::remove(a);
    files_.save.push_back(Path("show.psm"));
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(std::filesystem::exists(Path("show.psm")));
    TakeMessages();
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, c, d}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(HighlightedRow(page.list()), 1);
    EXPECT_TRUE(Enabled(page, IDC_CAPTION_TEXT));
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), L"Hello");
    EXPECT_EQ(page.preview().file(), c);
    EXPECT_TRUE(page.preview().has_picture());
    EXPECT_EQ(Totals(page), L"Total picture num: 3  Total size: 0 K");
    EXPECT_FALSE(Modified());

    // A save with nothing gone changes nothing; the selected file gone: the next one.
    Command(ID_FILE_SAVE);
    EXPECT_EQ(page.selected(), 1);
    std::filesystem::remove(c);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, d}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(page.preview().file(), d);
    EXPECT_EQ(frame_->pages().current(), kPicturesPage);
}

TEST_F(PicturesPage, QuestionsThatDestroyWarnOthersAsk) {
    MakeFrame();
    AddToProject({File("a.jpg"), File("b.jpg")});
    CPictureView& page = ShowPictures();
    page.ClickRow(0);
    prompter_.answers = {IDCANCEL, IDCANCEL, IDCANCEL};
    page.SetDefault();
    page.ApplyToAll();
    page.RemoveAll();
    ASSERT_EQ(prompter_.shown.size(), 3u);
    EXPECT_EQ(prompter_.shown[0].type & MB_ICONMASK, UINT(MB_ICONQUESTION)) << "set default";
    EXPECT_EQ(prompter_.shown[1].type & MB_ICONMASK, UINT(MB_ICONWARNING)) << "apply to all";
    EXPECT_EQ(prompter_.shown[2].type & MB_ICONMASK, UINT(MB_ICONWARNING)) << "remove all";
}

TEST_F(PicturesPage, TheSizeColumnStaysInView) {
    CPictureView& page = ShowPictures();
    HWND list = page.list();
    RECT client{};
    GetClientRect(list, &client);
    int right = 0;
    for (int column = 0; column < 3; ++column) right += int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
    EXPECT_LE(right, client.right - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(PicturesPage, AddingSkipsListedFilesWhateverTheirCaseAndKeepsTheSelection) {
    MakeFrame();
    const std::string a = File("a.jpg"), b = File("B.gif"), c = File("c.bmp");
    AddToProject({a, b});
    Project().pictureList[0].szCaption = "first";
    CPictureView& page = ShowPictures();
    page.ClickRow(0);
    frame_->doc().SetModifiedFlag(false);

    files_.pictures = {std::nullopt};  // cancelled: nothing changes
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_ADD, BM_CLICK, 0, 0);
    EXPECT_FALSE(Modified());

    std::string upper_b = b;
    for (char& ch : upper_b) ch = char(toupper(ch));
    files_.pictures = {std::vector<std::string>{upper_b, c, a, Path("missing.png"), c}};
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_ADD, BM_CLICK, 0, 0);
    EXPECT_EQ(Files(page), (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{Wide(Path("missing.png")) + L" is not exists!"});
    EXPECT_TRUE(Modified());
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(HighlightedRow(page.list()), 0);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), L"first");
    // A new picture has no caption and the document's caption defaults.
    const CPictureData& added = page.pictures()[2];
    EXPECT_EQ(added.szCaption, "");
    EXPECT_EQ(added.lfCaptionFont, frame_->doc().lfDefaultCaptionFont);
    EXPECT_EQ(added.crCaptionColor, frame_->doc().crDefaultCaptionColor);
    EXPECT_EQ(added.nCaptionPos, frame_->doc().nDefaultCaptionPos);
    EXPECT_EQ(Totals(page), L"Total picture num: 3  Total size: 0 K");
}

TEST_F(PicturesPage, AFileThatDoesNotDecodeIsNamedWithItsReasonAndNothingIsAdded) {
    MakeFrame();
    CPictureView& page = ShowPictures();
    // A text file renamed .jpg, as a user might have one.
    const std::string text = File("notes.jpg", 20);
    files_.pictures = {std::vector<std::string>{text}};
    page.AddPictures();
    EXPECT_TRUE(page.pictures().empty());
    EXPECT_EQ(RowCount(page.list()), 0);
    EXPECT_FALSE(Modified());
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(Wide(text) + L"\n\nwas not added: ", 0), 0u) << messages[0];
    EXPECT_GT(messages[0].size(), Wide(text).size() + 18) << "a reason follows";

    // Dropped with a good picture and a file of another type: one message names both
    // refused files, each with its reason; the good one is added.
    const std::string good = File("good.jpg"), notes = File("readme.txt");
    SendMessageW(page.list(), WM_DROPFILES, WPARAM(MakeFileDrop({text, good, notes})), 0);
    EXPECT_EQ(Files(page), std::vector<std::string>{good});
    messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"These 2 files were not added:", 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find(Wide(notes) + L": not a type this list takes"), std::wstring::npos) << messages[0];
    EXPECT_NE(messages[0].find(Wide(text) + L": "), std::wstring::npos) << messages[0];
    EXPECT_TRUE(Modified());
}

TEST_F(PicturesPage, TotalsTurnToMegabytesFrom1024K) {
    MakeFrame();
    CPictureView& page = ShowPictures();
    EXPECT_EQ(Totals(page), L"Total picture num: 0  Total size: 0 K");
    // 1023 K in three files whose odd bytes do not count: the column's kilobytes are summed.
    page.AddFiles({File("a.jpg", 1000 * 1024 + 1023), File("b.jpg", 20 * 1024 + 500), File("c.jpg", 3 * 1024)});
    EXPECT_EQ(Totals(page), L"Total picture num: 3  Total size: 1023 K");
    page.AddFiles({File("d.jpg", 1024)});
    EXPECT_EQ(Totals(page), L"Total picture num: 4  Total size: 1.00 M");
    page.AddFiles({File("e.jpg", 1535 * 1024)});
    EXPECT_EQ(Totals(page), L"Total picture num: 5  Total size: 2.50 M");
}

TEST_F(PicturesPage, RemovingAndMovingFollowTheSelection) {
    MakeFrame();
    const std::string a = File("a.jpg"), b = File("b.jpg"), c = File("c.jpg");
    AddToProject({a, b, c});
    CPictureView& page = ShowPictures();

    // Without a selection the selection commands do nothing and change nothing.
    page.RemoveSelected();
    page.MoveUp();
    page.MoveDown();
    EXPECT_EQ(Files(page), (std::vector<std::string>{a, b, c}));
    EXPECT_FALSE(Modified());

    page.ClickRow(0);
    page.MoveUp();  // the first cannot go up
    EXPECT_FALSE(Modified());
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_DOWN, BM_CLICK, 0, 0);
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, a, c}));
    EXPECT_EQ(Cell(page.list(), 1, 0), L"a.jpg");
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(HighlightedRow(page.list()), 1);
    EXPECT_TRUE(Modified());
    page.MoveDown();
    page.MoveDown();  // the last cannot go down
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, c, a}));
    EXPECT_EQ(page.selected(), 2);
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_UP, BM_CLICK, 0, 0);
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, a, c}));

    // Removing the last selects the new last; the middle keeps its index.
    page.ClickRow(2);
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_REMOVE, BM_CLICK, 0, 0);
    EXPECT_EQ(Files(page), (std::vector<std::string>{b, a}));
    EXPECT_EQ(page.selected(), 1);
    page.ClickRow(0);
    page.RemoveSelected();
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), L"");

    // The only picture goes: nothing selected, caption controls off, empty totals.
    frame_->doc().SetModifiedFlag(false);
    page.RemoveSelected();
    EXPECT_TRUE(page.pictures().empty());
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(Enabled(page, IDC_CAPTION_TEXT));
    EXPECT_FALSE(Enabled(page, IDC_CAPTION_FONT));
    EXPECT_EQ(Totals(page), L"Total picture num: 0  Total size: 0 K");
    EXPECT_TRUE(Modified());
}

TEST_F(PicturesPage, ArrowKeysSelectAndDeleteRemoves) {
    MakeFrame();
    const std::string a = File("a.jpg"), b = File("b.jpg"), c = File("c.jpg");
    AddToProject({a, b, c});
    CPictureView& page = ShowPictures();
    Key(page, VK_UP);  // nothing selected: the first
    EXPECT_EQ(page.selected(), 0);
    Key(page, VK_UP);  // no change at the first
    EXPECT_EQ(page.selected(), 0);
    Key(page, VK_DOWN);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(HighlightedRow(page.list()), 1);
    EXPECT_FALSE(Modified()) << "selecting is no edit";

    page.ResetForNewProject();
    EXPECT_EQ(page.selected(), -1);
    Key(page, VK_DOWN);  // nothing selected: the last
    EXPECT_EQ(page.selected(), 2);
    Key(page, VK_DOWN);
    EXPECT_EQ(page.selected(), 2);
    Key(page, VK_DELETE);
    EXPECT_EQ(Files(page), (std::vector<std::string>{a, b}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_TRUE(Modified());

    // A click beside the rows keeps the selection highlighted.
    page.ClickRow(-1);
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(HighlightedRow(page.list()), 1);
}

TEST_F(PicturesPage, RemoveAllAsksFirst) {
    MakeFrame();
    AddToProject({File("a.jpg"), File("b.jpg")});
    CPictureView& page = ShowPictures();
    page.ClickRow(1);
    prompter_.answers = {IDCANCEL, IDOK};
    SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_REMOVE_ALL, BM_CLICK, 0, 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Remove all pictures?   "});
    EXPECT_EQ(page.pictures().size(), 2u);
    EXPECT_FALSE(Modified());
    page.RemoveAll();
    EXPECT_TRUE(page.pictures().empty());
    EXPECT_EQ(RowCount(page.list()), 0);
    EXPECT_EQ(page.selected(), -1);
    EXPECT_TRUE(Modified());
    TakeMessages();
    page.RemoveAll();  // an empty list: no question
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(PicturesPage, CaptionTextFontAndPositionEditTheSelectedPicture) {
    MakeFrame();
    AddToProject({File("a.jpg"), File("b.jpg")});
    Project().pictureList[1].szCaption = "second";
    CPictureView& page = ShowPictures();
    page.ClickRow(0);
    EXPECT_TRUE(Enabled(page, IDC_CAPTION_TEXT));
    EXPECT_TRUE(Enabled(page, IDC_CAPTION_APPLY_ALL));
    EXPECT_FALSE(Modified()) << "showing the caption is no edit";

    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Caf\u00e9 at noon");
    EXPECT_EQ(page.pictures()[0].szCaption, "Caf\xc3\xa9 at noon");
    EXPECT_TRUE(Modified());
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"\u0141\u00f3d\u017a \u2014 zima \u3042");
    EXPECT_EQ(page.pictures()[0].szCaption, "Łódź — zima あ") << "any language goes";

    // 64 characters as the user sees them: letters with a combining accent count once.
    std::wstring accented;
    for (int i = 0; i < 64; ++i) accented += L"e\u0301";
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, accented);
    EXPECT_EQ(page.pictures()[0].szCaption, Utf8(accented));
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, accented + L"x");
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), accented) << "the 65th is refused";
    EXPECT_TRUE(TakeMessages().empty()) << "as the control's own limit, without a message";
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Caf\u00e9 at noon");

    // A lone surrogate (no character) is refused where it is typed.
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Caf\u00e9 \xDCF6");
    EXPECT_EQ(page.pictures()[0].szCaption, "Caf\xc3\xa9 at noon");
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), L"Caf\u00e9 at noon");
    std::vector<std::wstring> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"The caption can't go into the screensaver: the byte 0xF6"), std::wstring::npos)
        << Utf8(messages[0]);

    frame_->doc().SetModifiedFlag(false);
    HWND position = GetDlgItem(page.hwnd(), IDC_CAPTION_POSITION);
    EXPECT_EQ(SendMessageW(position, CB_GETCOUNT, 0, 0), 9);
    SendMessageW(position, CB_SETCURSEL, 8, 0);
    SendMessageW(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_CAPTION_POSITION, CBN_SELCHANGE), LPARAM(position));
    EXPECT_EQ(page.pictures()[0].nCaptionPos, 8);
    EXPECT_TRUE(Modified());

    // The font dialog starts at the picture's font and colour; cancelling changes nothing.
    frame_->doc().SetModifiedFlag(false);
    LogFont chosen{-24, 0, 0, 0, 400, 1, 0, 0, 0, 3, 2, 1, 34, "Georgia"};
    fonts_ = {std::nullopt, FontChoice{chosen, 0x00FF8000}};
    page.ChooseCaptionFont();
    ASSERT_EQ(font_asked_.size(), 1u);
    EXPECT_EQ(font_asked_[0].font, page.pictures()[0].lfCaptionFont);
    EXPECT_EQ(font_asked_[0].color, page.pictures()[0].crCaptionColor);
    EXPECT_FALSE(Modified());
    SendDlgItemMessageW(page.hwnd(), IDC_CAPTION_FONT, BM_CLICK, 0, 0);
    EXPECT_EQ(page.pictures()[0].lfCaptionFont, chosen);
    EXPECT_EQ(page.pictures()[0].crCaptionColor, 0x00FF8000u);
    EXPECT_TRUE(Modified());

    // A face name outside the code page is taken as it is.
    LogFont far_east = chosen;
    far_east.face_name = "\xef\xbc\xad\xef\xbc\xb3 Gothic";  // full-width "MS"
    fonts_ = {FontChoice{far_east, 0x00FF8000}};
    page.ChooseCaptionFont();
    EXPECT_EQ(page.pictures()[0].lfCaptionFont, far_east);
    EXPECT_TRUE(TakeMessages().empty());

    // The other picture shows its own caption again, the first kept its edits.
    page.ClickRow(1);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_CAPTION_TEXT), L"second");
    page.ClickRow(0);
    EXPECT_EQ(SendMessageW(position, CB_GETCURSEL, 0, 0), 8);
    frame_->pages().CommitShownPage();
    EXPECT_EQ(Project().pictureList[0].szCaption, "Caf\xc3\xa9 at noon");
    EXPECT_EQ(Project().pictureList[0].lfCaptionFont, far_east);
}

TEST_F(PicturesPage, ApplyToAllCopiesTheLookButKeepsEachText) {
    MakeFrame();
    AddToProject({File("a.jpg"), File("b.jpg"), File("c.jpg")});
    for (int i = 0; i < 3; ++i) Project().pictureList[size_t(i)].szCaption = "caption " + std::to_string(i);
    Project().pictureList[1].lfCaptionFont.face_name = "Verdana";
    Project().pictureList[1].crCaptionColor = 0x123456;
    Project().pictureList[1].nCaptionPos = 4;
    CPictureView& page = ShowPictures();
    page.ClickRow(1);
    prompter_.answers = {IDCANCEL};
    SendDlgItemMessageW(page.hwnd(), IDC_CAPTION_APPLY_ALL, BM_CLICK, 0, 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Apply this caption settings to all pictures?   "});
    EXPECT_NE(page.pictures()[0].nCaptionPos, 4);
    EXPECT_FALSE(Modified());
    page.ApplyToAll();
    for (int i = 0; i < 3; ++i) {
        const CPictureData& p = page.pictures()[size_t(i)];
        EXPECT_EQ(p.lfCaptionFont.face_name, "Verdana");
        EXPECT_EQ(p.crCaptionColor, 0x123456u);
        EXPECT_EQ(p.nCaptionPos, 4);
        EXPECT_EQ(p.szCaption, "caption " + std::to_string(i));
    }
    EXPECT_TRUE(Modified());
}

TEST_F(PicturesPage, SetDefaultWritesTheStoreForNewPicturesWithoutModifyingTheProject) {
    MakeFrame();
    AddToProject({File("a.jpg")});
    Project().pictureList[0].lfCaptionFont.weight = 400;
    Project().pictureList[0].nCaptionPos = 0;
    Project().pictureList[0].crCaptionColor = 0x00FF00;
    CPictureView& page = ShowPictures();
    page.ClickRow(0);
    prompter_.answers = {IDCANCEL};
    page.SetDefault();
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Set this caption settings to default parameter?   "});
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "data" / "param.ini"));

    SendDlgItemMessageW(page.hwnd(), IDC_CAPTION_SET_DEFAULT, BM_CLICK, 0, 0);
    EXPECT_FALSE(Modified());
    const std::string ini(reinterpret_cast<const char*>(ReadBytes(Path("data/param.ini")).data()),
                          ReadBytes(Path("data/param.ini")).size());
    EXPECT_NE(ini.find("[CaptionFont]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("lfWeight=400"), std::string::npos) << ini;
    EXPECT_NE(ini.find("nDefaultCaptionPos=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("crDefaultCaptionColor=65280"), std::string::npos) << ini;
    EXPECT_EQ(LoadCaptionDefaults(folder_.path().string()).font.weight, 400);

    page.AddFiles({File("b.jpg")});
    EXPECT_EQ(page.pictures()[1].lfCaptionFont.weight, 400);
    EXPECT_EQ(page.pictures()[1].nCaptionPos, 0);
    EXPECT_EQ(page.pictures()[1].crCaptionColor, 0x00FF00u);
}

// A folder stands where a file would be written, and goes again (with what stood there
// before put back) at the end of the scope.
class FolderInTheWay {
public:
    explicit FolderInTheWay(std::filesystem::path path) : path_(std::move(path)), aside_(path_) {
        aside_ += ".aside";
        std::error_code ignored;
        if (std::filesystem::exists(path_)) std::filesystem::rename(path_, aside_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~FolderInTheWay() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        if (std::filesystem::exists(aside_)) std::filesystem::rename(aside_, path_, ignored);
    }
    FolderInTheWay(const FolderInTheWay&) = delete;
    FolderInTheWay& operator=(const FolderInTheWay&) = delete;

private:
    std::filesystem::path path_, aside_;
};

TEST_F(PicturesPage, SetDefaultThatCannotBeStoredSaysSoAndChangesNoDefault) {
    MakeFrame();
    const CaptionStyle before = frame_->doc().DefaultCaptionStyle();
    AddToProject({File("a.jpg")});
    Project().pictureList[0].crCaptionColor = before.color ^ 0x00FFFFFF;
    Project().pictureList[0].nCaptionPos = (before.position + 1) % 9;
    Project().pictureList[0].lfCaptionFont.weight = before.font.weight == 700 ? 400 : 700;
    CPictureView& page = ShowPictures();
    page.ClickRow(0);
    {
        // Neither the program folder nor the user's own folder takes the defaults.
        FolderInTheWay program(folder_.path() / "data" / "param.ini");
        FolderInTheWay user(Utf8Path(MakerSettingsFolder()) / "param.ini");
        prompter_.answers = {IDOK};
        page.SetDefault();
        ASSERT_EQ(prompter_.shown.size(), 2u);
        EXPECT_EQ(prompter_.shown[1].text, L"The caption defaults could not be saved: they stay as they were.");
        EXPECT_EQ(prompter_.shown[1].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
        TakeMessages();
        // What the message says: the defaults are those of before, now and for new pictures.
        const CaptionStyle now = frame_->doc().DefaultCaptionStyle();
        EXPECT_EQ(now.color, before.color);
        EXPECT_EQ(now.position, before.position);
        EXPECT_EQ(now.font, before.font);
        EXPECT_FALSE(Modified());
        page.AddFiles({File("b.jpg")});
        ASSERT_EQ(page.pictures().size(), 2u);
        EXPECT_EQ(page.pictures()[1].crCaptionColor, before.color);
        EXPECT_EQ(page.pictures()[1].nCaptionPos, before.position);
        EXPECT_EQ(page.pictures()[1].lfCaptionFont, before.font);
    }
    // Nor does the next project see anything else.
    frame_->doc().SetModifiedFlag(false);
    Command(ID_FILE_NEW);
    EXPECT_EQ(frame_->doc().DefaultCaptionStyle().color, before.color);
    EXPECT_EQ(frame_->doc().DefaultCaptionStyle().position, before.position);
}

TEST_F(PicturesPage, ContextMenuOffersWhatTheSelectionAllowsAndRunsIt) {
    MakeFrame();
    CPictureView& page = ShowPictures();
    struct Shown {
        std::vector<bool> enabled;  // Add, Remove, Move Up, Move Down, Remove all
        bool images = true;
    };
    std::vector<Shown> shown;
    UINT answer = 0;
    page.SetMenuTracker([&](HMENU popup, POINT) {
        Shown s;
        for (int id : {IDC_PICTURE_ADD, IDC_PICTURE_REMOVE, IDC_PICTURE_UP, IDC_PICTURE_DOWN, IDC_PICTURE_REMOVE_ALL}) {
            s.enabled.push_back(!(GetMenuState(popup, UINT(id), MF_BYCOMMAND) & MF_GRAYED));
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_BITMAP;
            GetMenuItemInfoW(popup, UINT(id), FALSE, &item);
            s.images = s.images && item.hbmpItem != nullptr;
        }
        EXPECT_EQ(GetMenuItemCount(popup), 7);
        shown.push_back(s);
        return answer;
    });
    page.OnContextMenu(POINT{-1, -1});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].enabled, (std::vector<bool>{true, false, false, false, false}));  // empty: only Add
    EXPECT_TRUE(shown[0].images);

    page.AddFiles({File("a.jpg"), File("b.jpg"), File("c.jpg")});
    page.OnContextMenu(POINT{-1, -1});
    EXPECT_EQ(shown.back().enabled, (std::vector<bool>{true, false, false, false, true}));  // nothing selected

    // A right click on the second row selects it before the menu shows; its Move Up runs.
    RECT row{};
    ListView_GetItemRect(page.list(), 1, &row, LVIR_LABEL);
    POINT at{row.left + 5, (row.top + row.bottom) / 2};
    ClientToScreen(page.list(), &at);
    answer = IDC_PICTURE_UP;
    page.OnContextMenu(at);
    EXPECT_EQ(shown.back().enabled, (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(page.pictures()[0].szFile, Path("b.jpg"));
    EXPECT_EQ(page.selected(), 0);
    answer = 0;
    page.OnContextMenu(POINT{-1, -1});
    EXPECT_EQ(shown.back().enabled, (std::vector<bool>{true, true, false, true, true}));  // first
    page.ClickRow(2);
    page.OnContextMenu(POINT{-1, -1});
    EXPECT_EQ(shown.back().enabled, (std::vector<bool>{true, true, true, false, true}));  // last

    // The right click itself, as the list sends it.
    answer = IDC_PICTURE_REMOVE;
    SendMessageW(page.hwnd(), WM_CONTEXTMENU, WPARAM(page.list()), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(page.pictures().size(), 2u);
}

TEST_F(PicturesPage, PreviewShowsTheSelectedPictureAndItsPixelSize) {
    MakeFrame();
    const std::string photo = Sample("maker/program_folder/data/pic1.jpg", "photo.jpg");
    const std::string bad = File("bad.jpg", 30);
    AddToProject({photo, bad});
    CPictureView& page = ShowPictures();
    EXPECT_EQ(ItemText(page.hwnd(), IDC_PICTURE_PIXEL_SIZE), L"");

    page.ClickRow(0);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_PICTURE_PIXEL_SIZE), L"480 x 360 pixels");
    Bitmap shown = page.preview().Shown();
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown.pixel(shown.width() / 2, shown.height() / 2) & 0xFFFFFF, 0u) << "the picture is drawn";
    EXPECT_TRUE(TakeMessages().empty());
    // The info tip of the row names its path and size.
    wchar_t tip_text[512] = {};
    NMLVGETINFOTIPW tip{};
    tip.hdr.hwndFrom = page.list();
    tip.hdr.idFrom = IDC_PICTURE_LIST;
    tip.hdr.code = LVN_GETINFOTIPW;
    tip.pszText = tip_text;
    tip.cchTextMax = 512;
    tip.iItem = 0;
    SendMessageW(page.hwnd(), WM_NOTIFY, IDC_PICTURE_LIST, LPARAM(&tip));
    EXPECT_EQ(std::wstring(tip_text), Wide(photo) + L"\n480 x 360 pixels");

    // A file that does not decode: said once, the preview black, the picture kept.
    page.ClickRow(1);
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{Wide(bad) + L"\nThis picture file is not found or bad!"});
    EXPECT_EQ(ItemText(page.hwnd(), IDC_PICTURE_PIXEL_SIZE), L"");
    shown = page.preview().Shown();
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2) & 0xFFFFFF, 0u);
    RedrawWindow(page.preview().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    page.AddFiles({});  // shows the selection again
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(page.pictures().size(), 2u);

    // A new project clears the page.
    prompter_.answers = {IDNO};  // not saved
    Command(ID_FILE_NEW);
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(page.preview().has_picture());
}

TEST_F(PicturesPage, AThousandPicturesComeThroughTheDialogAndByDrop) {
    std::filesystem::create_directories(folder_.path() / "trip");
    std::vector<std::string> chosen;
    for (int i = 0; i < 1000; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "trip\\IMG_%d.jpg", i);
        chosen.push_back(File(name, 2048));
    }
    File("trip\\notes.txt");
    CPictureView& page = ShowPictures();
    files_.pictures = {chosen};
    page.AddPictures();
    ASSERT_EQ(page.pictures().size(), 1000u);
    EXPECT_EQ(RowCount(page.list()), 1000);
    EXPECT_EQ(Totals(page), L"Total picture num: 1000  Total size: 1.95 M");
    EXPECT_EQ(Cell(page.list(), 999, 0), L"IMG_999.jpg");

    page.RemoveAll();
    TakeMessages();
    // The folder dropped on the list: its pictures in name order (IMG_9 before IMG_10),
    // the text file named in one message, and one picture dropped twice added once.
    const std::string extra = File("extra.png");
    SendMessageW(page.list(), WM_DROPFILES, WPARAM(MakeFileDrop({extra, Path("trip"), extra})), 0);
    ASSERT_EQ(page.pictures().size(), 1001u);
    EXPECT_EQ(page.pictures()[0].szFile, extra);
    EXPECT_EQ(page.pictures()[1].szFile, chosen[0]);
    EXPECT_EQ(page.pictures()[10].szFile, chosen[9]);
    EXPECT_EQ(page.pictures()[11].szFile, chosen[10]);
    EXPECT_EQ(page.pictures()[1000].szFile, chosen[999]);
    EXPECT_EQ(TakeMessages(),
              std::vector<std::wstring>{Wide(Path("trip\\notes.txt")) +
                                        L"\n\nwas not added. Only BMP, JPG, GIF, PNG, PCX, TIF, TGA, WEBP, ICO, WMF, "
                                        L"J2K, JBIG, HEIC and AVIF pictures can be added."});
    EXPECT_TRUE(Modified());
}

}  // namespace
}  // namespace gd::test
