// The General page inside the main window: the icon, the output folder and the output
// form, with the file dialogs answered by fakes.

#include "maker/win32/general_view.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

class GeneralPage : public MakerWindowTest {
protected:
    CGeneralView& Page() { return *frame_->general_view(); }
    CParamData& Project() { return frame_->doc().project(); }
};

TEST_F(GeneralPage, MissingIconFileShowsTheBuiltInIconButKeepsThePath) {
    MakeFrame();
    Project().szIconFile = "C:\\nowhere\\missing.ico";
    Page().LoadFromProject();
    EXPECT_TRUE(Page().ShowsBuiltInIcon());
    Page().StoreToProject();
    EXPECT_EQ(Project().szIconFile, "C:\\nowhere\\missing.ico");
    EXPECT_FALSE(frame_->doc().IsModified());
}

TEST_F(GeneralPage, ChosenIconIsShownOrRefusedWithAMessage) {
    MakeFrame();
    std::string not_an_icon = folder_.Write("broken.ico", std::string("not an icon"));
    std::string icon = SourceFile("maker/program_folder/icons/Heart.ico");
    files_.icon = {not_an_icon, icon};

    Page().ChangeIcon();
    EXPECT_EQ(TakeMessages(), std::vector<std::wstring>{L"Fail to load this icon file!"});
    EXPECT_EQ(Page().icon_path(), not_an_icon) << "the path stays set";
    EXPECT_TRUE(Page().ShowsBuiltInIcon());
    EXPECT_EQ(files_.icon_folders.front(), folder_.path().string() + "\\icons");

    Page().ChangeIcon();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Page().ShowsBuiltInIcon());
    EXPECT_TRUE(frame_->doc().IsModified());
    Page().StoreToProject();
    EXPECT_EQ(Project().szIconFile, icon);

    frame_->doc().SetModifiedFlag(false);
    SendMessageW(GetDlgItem(Page().hwnd(), IDC_ICON_DEFAULT), BM_CLICK, 0, 0);
    EXPECT_TRUE(Page().ShowsBuiltInIcon());
    EXPECT_TRUE(frame_->doc().IsModified());
    Page().StoreToProject();
    EXPECT_EQ(Project().szIconFile, "");
}

TEST_F(GeneralPage, ChosenFolderEndsInOneBackslash) {
    MakeFrame();
    files_.folder = {std::string("C:\\"), std::string("C:\\Shows"), std::nullopt};
    Page().BrowseOutputFolder();
    EXPECT_EQ(ItemText(Page().hwnd(), IDC_OUTPUT_FOLDER), L"C:\\");
    Page().BrowseOutputFolder();
    EXPECT_EQ(ItemText(Page().hwnd(), IDC_OUTPUT_FOLDER), L"C:\\Shows\\");
    Page().BrowseOutputFolder();  // cancelled
    EXPECT_EQ(ItemText(Page().hwnd(), IDC_OUTPUT_FOLDER), L"C:\\Shows\\");
    Page().StoreToProject();
    EXPECT_EQ(Project().szOutputFolder, "C:\\Shows\\");
    EXPECT_EQ(WithTrailingSeparator(""), "\\");
}

TEST_F(GeneralPage, FieldsTravelBothWays) {
    MakeFrame();
    Project().szAuthor = "Ann";
    Project().szDescription = "Two\r\nlines";
    Project().bSelfInstall = 0;
    Page().LoadFromProject();
    EXPECT_TRUE(IsItemChecked(Page().hwnd(), IDC_STANDARD_SAVER));
    EXPECT_FALSE(IsItemChecked(Page().hwnd(), IDC_SELF_INSTALL));
    EXPECT_FALSE(frame_->doc().IsModified());

    SendMessageW(GetDlgItem(Page().hwnd(), IDC_SELF_INSTALL), BM_CLICK, 0, 0);
    EXPECT_TRUE(frame_->doc().IsModified());
    SetItemText(Page().hwnd(), IDC_EMAIL, L"ann@example.org");
    SetItemText(Page().hwnd(), IDC_COPYRIGHT, L"(C) Ann \u00e9t\u00e9");  // beyond ASCII: kept as UTF-8
    Page().StoreToProject();
    EXPECT_EQ(Project().bSelfInstall, 1);
    EXPECT_EQ(Project().szAuthor, "Ann");
    EXPECT_EQ(Project().szEmail, "ann@example.org");
    EXPECT_EQ(Project().szCopyright, "(C) Ann \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(Project().szDescription, "Two\r\nlines");
}

}  // namespace
}  // namespace gd::test
