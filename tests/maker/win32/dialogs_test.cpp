// The maker's dialogs made modeless in the test's own process: the making dialog over a
// build whose picture step the test holds, the tip of the day, the about box, and the
// file dialog's preview area; and the making dialog run by Make SCR.

#include <condition_variable>
#include <mutex>

#include "common/web_addresses.h"
#include "maker/win32/about_dialog.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/general_view.h"
#include "maker/win32/making_dialog.h"
#include "maker/win32/picture_preview.h"
#include "maker/win32/tip_dialog.h"
#include "maker/win32/ui_text.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"

namespace gd::test {
namespace {

// An encoder whose pictures wait until the test lets them go.
class HeldEncoder final : public PictureEncoder {
public:
    PictureEntry Encode(const std::string& path, int type, const PictureShape& shape) const override {
        std::unique_lock lock(mutex_);
        released_.wait(lock, [&] { return open_; });
        return inner_.Encode(path, type, shape);
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        released_.notify_all();
    }

private:
    FakeEncoder inner_;
    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    bool open_ = false;
};

std::vector<std::wstring> ListLines(HWND list) {
    std::vector<std::wstring> lines;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(line.data()));
        line.resize(line.size() - 1);
        lines.push_back(line);
    }
    return lines;
}

class Dialogs : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        folder_.Write("data/data1.dat", std::string("template"));
        project_.szName = "Show";
        project_.bSelfInstall = 0;
        project_.szOutputFolder = folder_.path().string();
        for (const char* name : {"one.jpg", "two.jpg"}) {
            project_.pictureList.push_back(CPictureData{});
            project_.pictureList.back().szFile = name;
        }
    }
    CParamData project_;
    FakeTargets targets_;
    FakePlatform platform_;
};

TEST_F(Dialogs, MakingLogWaitsForTheBuildAndCannotBeClosedBeforeIt) {
    HeldEncoder encoder;
    prompter_.answers = {IDCANCEL};  // not the default screensaver
    CMakingDlg making(project_, services_.program_folder, BuildParts{encoder, targets_, platform_, 1}, prompter_);
    HWND dialog = making.CreateForTest(services_.instance, nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND done = GetDlgItem(dialog, IDC_MAKING_DONE);
    HWND log = GetDlgItem(dialog, IDC_MAKING_LOG);
    EXPECT_FALSE(IsWindowEnabled(done));
    EXPECT_EQ(SendMessageW(log, LB_GETHORIZONTALEXTENT, 0, 0), 1500);

    // Every way of closing is refused while the worker holds the first picture.
    PumpMessagesUntil([] { return false; }, 100);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(done, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(making.finished());

    encoder.Release();
    ASSERT_TRUE(PumpMessagesUntil([&] { return making.finished(); }, 10000));
    std::vector<std::wstring> lines = ListLines(log);
    std::vector<std::wstring> expected = {L"Added picture: one.jpg",
                                          L"Added picture: two.jpg",
                                          L"Added screensaver configuration!"};
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::wstring>(lines.begin(), lines.begin() + 3), expected);
    EXPECT_EQ(lines[3].rfind(L"Screensaver final size : ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4], L"Make screensaver succeed : " + Wide(folder_.path().string()) + L"\\Show.scr");
    EXPECT_EQ(lines.back(), L"The end!");
    EXPECT_EQ(SendMessageW(log, LB_GETTOPINDEX, 0, 0) + 1 >= 1, true);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].text, L"Do you want to set Show as your default screensaver?   ");
    EXPECT_TRUE(IsWindowEnabled(done));
    SendMessageW(done, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(making.result(), IDOK);
}

TEST_F(Dialogs, FailedBuildStillEndsWithTheEnd) {
    FakeEncoder encoder;
    encoder.outcomes = {{"one.jpg", PictureOutcome::kLoadFailed}, {"two.jpg", PictureOutcome::kLoadFailed}};
    CMakingDlg making(project_, services_.program_folder, BuildParts{encoder, targets_, platform_, 1}, prompter_);
    HWND dialog = making.CreateForTest(services_.instance, nullptr);
    ASSERT_TRUE(PumpMessagesUntil([&] { return making.finished(); }, 10000));
    std::vector<std::wstring> lines = ListLines(GetDlgItem(dialog, IDC_MAKING_LOG));
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Fail to load picture : one.jpg", L"Fail to load picture : two.jpg",
                                                L"Fail! No picture writed.  Exit making.", L"The end!"}));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // the close box, now that it has ended
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(Dialogs, APictureLeftOutIsTheLogsLastWordAndABoxOfItsOwn) {
    FakeEncoder encoder;
    encoder.outcomes = {{"two.jpg", PictureOutcome::kLoadFailed}};
    prompter_.answers = {IDCANCEL};  // not the default screensaver
    CMakingDlg making(project_, services_.program_folder, BuildParts{encoder, targets_, platform_, 1}, prompter_);
    HWND dialog = making.CreateForTest(services_.instance, nullptr);
    ASSERT_TRUE(PumpMessagesUntil([&] { return making.finished(); }, 10000));
    std::vector<std::wstring> lines = ListLines(GetDlgItem(dialog, IDC_MAKING_LOG));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], L"Make screensaver succeed : " + Wide(folder_.path().string()) + L"\\Show.scr");
    EXPECT_EQ(lines[lines.size() - 2], L"1 of 2 pictures could not be used: two.jpg");
    EXPECT_EQ(lines.back(), L"The end!");
    ASSERT_EQ(prompter_.shown.size(), 2u);
    EXPECT_EQ(prompter_.shown[1].text, L"1 of 2 pictures could not be used: two.jpg\n\nThe log above says why.");
    EXPECT_EQ(prompter_.shown[1].type & MB_ICONMASK, UINT(MB_ICONWARNING));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(Dialogs, MakeScrRunsTheMakingDialogOnTheOpenProject) {
    FakeEncoder encoder;
    services_.encoder = &encoder;
    services_.resources = &targets_;
    services_.screensaver_platform = &platform_;
    MakeFrame();
    frame_->doc().project() = project_;
    frame_->general_view()->LoadFromProject();
    prompter_.answers = {IDCANCEL};
    std::vector<std::wstring> lines;
    {
        ModalDriver driver([&] {
            HWND making = FindThreadWindow(L"Screensaver Making");
            if (!making || !IsWindowEnabled(GetDlgItem(making, IDC_MAKING_DONE))) return false;
            lines = ListLines(GetDlgItem(making, IDC_MAKING_LOG));
            PostMessageW(GetDlgItem(making, IDC_MAKING_DONE), BM_CLICK, 0, 0);
            return true;
        });
        SendMessageW(frame_->hwnd(), WM_COMMAND, ID_MAKE_SCR, 0);
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), L"Added picture: one.jpg");
    EXPECT_EQ(lines.back(), L"The end!");
    EXPECT_TRUE(targets_.written.committed);
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "Show.scr"));
}

class TipDialog : public MakerWindowTest {
protected:
    static TipsFileContent File(std::string bytes) { return {std::move(bytes), "Mon Jan  1 10:00:00 2024"}; }
};

TEST_F(TipDialog, ShowsTipsInTurnAndCloseRemembersTheBox) {
    TipOfTheDay tips(File("One\nTwo\tHead\tFoot\n"), settings_);
    CTipDlg dialog(tips);
    HWND window = dialog.CreateForTest(services_.instance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ItemText(window, IDC_TIP_HEADER), L"Did you know...");
    EXPECT_EQ(ItemText(window, IDC_TIP_TEXT), L"One");
    EXPECT_EQ(ItemText(window, IDC_TIP_FOOTER), L"");
    EXPECT_TRUE(IsItemChecked(window, IDC_TIP_STARTUP));
    SendMessageW(GetDlgItem(window, IDC_TIP_NEXT), BM_CLICK, 0, 0);
    EXPECT_EQ(ItemText(window, IDC_TIP_HEADER), L"Head");
    EXPECT_EQ(ItemText(window, IDC_TIP_TEXT), L"Two");
    EXPECT_EQ(ItemText(window, IDC_TIP_FOOTER), L"Foot");
    SendMessageW(GetDlgItem(window, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(settings_.GetInt("Tip", "StartUp", -1), 1);
}

TEST_F(TipDialog, CloseBoxStoresNothingAndAFileWithoutTipsOffersNoNext) {
    TipOfTheDay tips(File("; only a comment\n"), settings_);
    CTipDlg dialog(tips);
    HWND window = dialog.CreateForTest(services_.instance, nullptr);
    EXPECT_EQ(ItemText(window, IDC_TIP_TEXT), Wide(kTipsEmptyText));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_TIP_NEXT)));
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(settings_.GetInt("Tip", "StartUp").has_value());
}

TEST_F(TipDialog, MenuCommandShowsTheNextTipOfTheFile) {
    MakeFrame();
    std::wstring text;
    {
        ModalDriver driver([&] {
            HWND tip = FindThreadWindow(L"Tip of the Day");
            if (!tip) return false;
            text = ItemText(tip, IDC_TIP_TEXT);
            PostMessageW(tip, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        SendMessageW(frame_->hwnd(), WM_COMMAND, ID_TIP_OF_THE_DAY, 0);
    }
    EXPECT_EQ(text, L"First tip");
    EXPECT_EQ(settings_.GetInt("Tip", "FilePos", -1), 10);
}

TEST_F(MakerWindowTest, AboutBoxShowsTheVersionAndLinks) {
    CAboutDlg about(services_);
    HWND window = about.CreateForTest(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ItemText(window, IDC_ABOUT_VERSION), L"Glimmerdeck 3.6.2");
    EXPECT_EQ(about.homepage_link().address(), Wide(kProductPageAddress));
    EXPECT_EQ(about.support_link().address(), Wide(kSupportMailAddress));
    EXPECT_TRUE(about.homepage_link().Open());
    EXPECT_EQ(opened_, std::vector<std::wstring>{Wide(kProductPageAddress)});
    // The notices link opens the file beside the program, whatever folder that is.
    const std::wstring notices = Wide(services_.program_folder) + L"\\THIRD-PARTY-NOTICES.txt";
    EXPECT_EQ(about.notices_link().address(), notices);
    EXPECT_TRUE(about.notices_link().Open());
    EXPECT_EQ(opened_.back(), notices);
    DestroyWindow(window);

    folder_.Write("app.ini", std::string("[main]\r\nAppVer=1234567890123\r\n"));
    EXPECT_EQ(ReadAppVersion(services_.program_folder), "123456789");
    std::filesystem::remove(folder_.path() / "app.ini");
    EXPECT_EQ(ReadAppVersion(services_.program_folder), "");
}

// --- the file dialog's own area -----------------------------------------------------

class RecordingPreview final : public PreviewObject {
public:
    void SetFile(const std::string& path) override { files.push_back(path); }
    void Draw(HDC dc, int left, int top, int width, int height) override {
        ++draws;
        RECT r{left, top, left + width, top + height};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &r, red);
        DeleteObject(red);
    }
    Rect FitRect(int, int, int, int) override { return {}; }
    std::vector<std::string> files;
    int draws = 0;
};

// The template area made as the system's dialog makes it, with the hook as its procedure.
class PreviewArea : public MakerWindowTest {
protected:
    HWND Make(CPreviewFileDialog& dialog) {
        ofn_.lStructSize = sizeof ofn_;
        ofn_.lCustData = LPARAM(&dialog);
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                services_.instance, nullptr);
        return CreateDialogParamW(services_.instance, L"FILEOPEN_TEMPLATE", host_,
                                  reinterpret_cast<DLGPROC>(&CPreviewFileDialog::HookProc), LPARAM(&ofn_));
    }
    void TearDown() override {
        if (host_) DestroyWindow(host_);
        MakerWindowTest::TearDown();
    }
    // The box as painted, pixel by pixel (0x00RRGGBB).
    std::vector<uint32_t> PaintBox(CPreviewFileDialog& dialog, int* width, int* height) {
        RECT box = dialog.preview_rect();
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = box.right;
        info.bmiHeader.biHeight = -box.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        dialog.Paint(dc);
        GdiFlush();
        std::vector<uint32_t> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                pixels.push_back(static_cast<uint32_t*>(bits)[y * box.right + x] & 0xFFFFFF);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    }
    OPENFILENAMEW ofn_{};
    HWND host_ = nullptr;
};

TEST_F(PreviewArea, FolderChangeClearsAndSkipsTheNextSelection) {
    RecordingPreview preview;
    CPreviewFileDialog dialog(preview, {});
    ASSERT_NE(Make(dialog), nullptr);
    RECT box = dialog.preview_rect();
    EXPECT_EQ(box.right - box.left, 120);
    EXPECT_EQ(box.bottom - box.top, 90);
    EXPECT_TRUE(IsItemChecked(dialog.hwnd(), IDC_PREVIEW_CHECK));
    preview.files.clear();

    dialog.OnFolderChanged();
    dialog.OnSelectionChanged("C:\\a.jpg");
    dialog.OnSelectionChanged("C:\\b.jpg");
    EXPECT_EQ(preview.files, (std::vector<std::string>{"", "C:\\b.jpg"}));
}

TEST_F(PreviewArea, UntickedBoxStaysGreyAndTickingShowsTheLastFileAgain) {
    RecordingPreview preview;
    CPreviewFileDialog dialog(preview, {});
    ASSERT_NE(Make(dialog), nullptr);
    dialog.OnSelectionChanged("C:\\a.jpg");
    SendMessageW(GetDlgItem(dialog.hwnd(), IDC_PREVIEW_CHECK), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.preview_enabled());
    dialog.OnSelectionChanged("C:\\b.jpg");  // not handed over while off
    int w = 0, h = 0;
    std::vector<uint32_t> grey = PaintBox(dialog, &w, &h);
    EXPECT_EQ(preview.draws, 0);
    // Sunken border: shadow at the top and left, highlight at the bottom and right; grey inside.
    EXPECT_EQ(grey[0], uint32_t(GetSysColor(COLOR_BTNSHADOW) & 0xFF) << 16 |
                           (GetSysColor(COLOR_BTNSHADOW) & 0xFF00) | (GetSysColor(COLOR_BTNSHADOW) >> 16 & 0xFF));
    EXPECT_EQ(grey[size_t(w * h - 1)] & 0xFFFFFF,
              uint32_t(GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFF) << 16 | (GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFF00) |
                  (GetSysColor(COLOR_BTNHIGHLIGHT) >> 16 & 0xFF));
    EXPECT_EQ(grey[size_t(w * (h / 2) + w / 2)], 0x787878u);

    SendMessageW(GetDlgItem(dialog.hwnd(), IDC_PREVIEW_CHECK), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.preview_enabled());
    EXPECT_EQ(preview.files.back(), "C:\\a.jpg");
    std::vector<uint32_t> drawn = PaintBox(dialog, &w, &h);
    EXPECT_EQ(preview.draws, 1);
    EXPECT_EQ(drawn[size_t(w * (h / 2) + w / 2)], 0xFF0000u);
    EXPECT_NE(drawn[0], 0xFF0000u) << "the drawing stays inside the border";
}

TEST_F(PreviewArea, PicturePreviewDrawsSmallPicturesCentredAndBadFilesNotAtAll) {
    CPicturePreview preview;
    CPreviewFileDialog dialog(preview, {});
    ASSERT_NE(Make(dialog), nullptr);
    std::string gif = SourceFile("tests/inputs/gif/card.gif");
    dialog.OnSelectionChanged(gif);
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = PaintBox(dialog, &w, &h);
    size_t centre = size_t(w * (h / 2) + w / 2);
    EXPECT_NE(pixels[centre], 0x787878u) << "the picture covers the centre";
    EXPECT_EQ(pixels[size_t(w * 2 + 2)], 0x787878u) << "a small picture leaves the corners grey";

    dialog.OnSelectionChanged(folder_.Write("bad.jpg", std::string("not a picture")));
    pixels = PaintBox(dialog, &w, &h);
    EXPECT_EQ(pixels[centre], 0x787878u);
}

TEST(FileDialogSelection, SplitsFolderAndNames) {
    EXPECT_EQ(SplitSelection(std::wstring(L"C:\\pics\\a.jpg\0\0", 15)), std::vector<std::string>{"C:\\pics\\a.jpg"});
    EXPECT_EQ(SplitSelection(std::wstring(L"C:\\pics\0a.jpg\0b.png\0\0", 21)),
              (std::vector<std::string>{"C:\\pics\\a.jpg", "C:\\pics\\b.png"}));
    EXPECT_EQ(SplitSelection(std::wstring(L"C:\\\0a.jpg\0b.png\0\0", 17)),
              (std::vector<std::string>{"C:\\a.jpg", "C:\\b.png"}));
    EXPECT_TRUE(SplitSelection(std::wstring(2, L'\0')).empty());
}

}  // namespace
}  // namespace gd::test
