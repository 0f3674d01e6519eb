// The Pictures and Music pages in the main window, in the test's own process under Wine:
// where the Add dialogs open, and the caption sample showing a caption's placeholders
// filled in.

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <filesystem>

#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/music_view.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/ui_text.h"
#include "tests/maker/project/metadata_samples.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

class AddAndCaption : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
    }
    template <class View> View& Show(int page_number) {
        if (!frame_) MakeFrame();
        SendMessageW(frame_->navigation().Button(page_number), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<View*>(frame_->pages().page(page_number));
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void AddPictures(CPictureView& page) { SendDlgItemMessageW(page.hwnd(), IDC_PICTURE_ADD, BM_CLICK, 0, 0); }
    void AddMusic(CMusicView& page) { SendDlgItemMessageW(page.hwnd(), IDC_MUSIC_ADD, BM_CLICK, 0, 0); }
    std::string Folder(const std::string& name) {
        std::filesystem::create_directories(folder_.path() / Utf8Path(name));
        return Path(name);
    }
    // The system's own answer, asked here rather than through the code under test.
    static std::string KnownFolder(const KNOWNFOLDERID& id) {
        PWSTR path = nullptr;
        std::string folder;
        if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = Utf8(path);
        CoTaskMemFree(path);
        return folder;
    }
    // The caption sample as the page draws it, pixel by pixel.
    std::vector<uint32_t> SamplePixels(CPictureView& page) {
        HWND sample = GetDlgItem(page.hwnd(), IDC_CAPTION_SAMPLE);
        RECT r{};
        GetClientRect(sample, &r);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT item{ODT_STATIC, IDC_CAPTION_SAMPLE, 0, ODA_DRAWENTIRE, 0, sample, dc, r, 0};
        SendMessageW(page.hwnd(), WM_DRAWITEM, IDC_CAPTION_SAMPLE, LPARAM(&item));
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        std::vector<uint32_t> pixels(first, first + size_t(r.right) * size_t(r.bottom));
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    }
};

TEST_F(AddAndCaption, AddDialogsStartInTheUsersFoldersThenWhereFilesLastCameFrom) {
    const std::string pictures = KnownFolder(FOLDERID_Pictures), music = KnownFolder(FOLDERID_Music);
    ASSERT_FALSE(pictures.empty());
    ASSERT_FALSE(music.empty());
    CPictureView& picture_page = Show<CPictureView>(kPicturesPage);
    const std::string trip = Folder("Trip"), songs = Folder("Songs");
    const std::string photo = folder_.Write("Trip/a.gif", std::vector<uint8_t>{'G', 'I', 'F'});
    files_.pictures = {std::nullopt, std::vector<std::string>{photo}, std::nullopt};
    AddPictures(picture_page);  // cancelled: remembers nothing
    AddPictures(picture_page);
    AddPictures(picture_page);
    EXPECT_EQ(files_.picture_folders, (std::vector<std::string>{pictures, pictures, trip}));
    EXPECT_NE(pictures, services_.program_folder);

    CMusicView& music_page = Show<CMusicView>(kMusicPage);
    files_.music = {std::vector<std::string>{songs + "\\tune.mp3"}, std::nullopt};
    AddMusic(music_page);
    AddMusic(music_page);
    EXPECT_EQ(files_.music_folders, (std::vector<std::string>{music, songs})) << "each dialog keeps its own";

    // Kept in the user's settings for the next start; a folder since removed is not offered.
    EXPECT_EQ(settings_.GetString("Folders", "AddPictures"), trip);
    std::filesystem::remove_all(folder_.path() / "Trip");
    AddPictures(Show<CPictureView>(kPicturesPage));
    EXPECT_EQ(files_.picture_folders.back(), pictures);
}

TEST_F(AddAndCaption, TheCaptionSampleShowsThePlaceholdersFilledIn) {
    MakeFrame();
    const std::string ferry =
        folder_.Write("Ferry.jpg", JpegWith(ExifSegment(ExifTiff("2019:08:17 18:30:45"))));
    frame_->doc().project().pictureList.push_back(CPictureData(ferry, frame_->doc().DefaultCaptionStyle()));
    CPictureView& page = Show<CPictureView>(kPicturesPage);
    page.ClickRow(0);
    TakeMessages();  // whatever the page says of a picture it cannot preview
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"{file} {date}");
    const std::vector<uint32_t> typed = SamplePixels(page);
    EXPECT_EQ(page.pictures()[0].szCaption, "{file} {date}") << "the project keeps the text as typed";
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Ferry 2019-08-17");
    const std::vector<uint32_t> filled = SamplePixels(page);
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Ferry 2019-08-18");
    const std::vector<uint32_t> other_day = SamplePixels(page);
    ASSERT_FALSE(typed.empty());
    EXPECT_EQ(typed, filled);
    EXPECT_NE(filled, other_day) << "the comparison sees one digit";
}

// A project saved before placeholders shows and makes its captions as typed; typing one
// with a placeholder turns them on for the project.
TEST_F(AddAndCaption, AnOldProjectsCaptionsStayAsTypedUntilAPlaceholderIsTyped) {
    MakeFrame();
    CParamData& project = frame_->doc().project();
    project.bCaptionFields = 0;
    CPictureData picture(folder_.Write("Ferry.jpg", JpegWith({})), frame_->doc().DefaultCaptionStyle());
    picture.szCaption = "{file}";
    project.pictureList.push_back(picture);
    CPictureView& page = Show<CPictureView>(kPicturesPage);
    page.ClickRow(0);
    TakeMessages();
    const std::vector<uint32_t> as_typed = SamplePixels(page);
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"Ferry");
    const std::vector<uint32_t> name = SamplePixels(page);
    page.StoreToProject();
    EXPECT_EQ(project.bCaptionFields, 0) << "a caption without a placeholder leaves them off";
    SetItemText(page.hwnd(), IDC_CAPTION_TEXT, L"{file}");
    EXPECT_EQ(SamplePixels(page), name) << "typed with a placeholder: filled in";
    EXPECT_NE(as_typed, name) << "as stored: shown as typed";
    page.StoreToProject();
    EXPECT_EQ(project.bCaptionFields, 1);
}

}  // namespace
}  // namespace gd::test
