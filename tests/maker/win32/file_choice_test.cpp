// Choosing many files at once: the open dialog's name buffer grows with the selection, so
// every picture chosen in the real dialog comes back; a thousand names of the dialog's
// result and of a drop from the desktop are read into paths in their order.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "maker/win32/file_drop.h"
#include "maker/win32/open_file_names.h"
#include "maker/win32/picture_preview.h"
#include "maker/win32/preview_file_dialog.h"
#include "tests/maker/win32/window_fixture.h"

namespace gd::test {
namespace {

// A camera's kind of name, 28 characters: a thousand of them need about 30,000 characters.
std::string CameraName(int i) {
    char name[40];
    std::snprintf(name, sizeof name, "IMG_20240612_15%04d_%04d.jpg", i, i);
    return name;
}

TEST(OpenFileNames, ResultOfAThousandNamesSplitsIntoAThousandPaths) {
    std::wstring result = L"C:\\Users\\ann\\Pictures\\Summer";
    result += L'\0';
    for (int i = 0; i < 1000; ++i) {
        std::string name = CameraName(i);
        result += std::wstring(name.begin(), name.end());
        result += L'\0';
    }
    result += L'\0';
    std::vector<std::string> paths = SplitSelection(result);
    ASSERT_EQ(paths.size(), 1000u);
    EXPECT_EQ(paths.front(), "C:\\Users\\ann\\Pictures\\Summer\\" + CameraName(0));
    EXPECT_EQ(paths.back(), "C:\\Users\\ann\\Pictures\\Summer\\" + CameraName(999));
}

TEST(OpenFileNames, GrowingKeepsTheContentAndPointsTheDialogAtIt) {
    OpenFileNames names(8);
    OPENFILENAMEW ofn{};
    names.Attach(ofn);
    EXPECT_EQ(ofn.nMaxFile, 8u);
    wcscpy(ofn.lpstrFile, L"C:\\a.jpg");
    names.Reserve(ofn, 50000);
    EXPECT_EQ(ofn.nMaxFile, 50000u);
    EXPECT_EQ(ofn.lpstrFile, names.data());
    EXPECT_EQ(names.Paths(), std::vector<std::string>{"C:\\a.jpg"});
    names.Reserve(ofn, 10);  // never shrinks
    EXPECT_EQ(ofn.nMaxFile, 50000u);
    // Room for the folder, the names and their NULs: never less than the quoted names.
    EXPECT_GE(CharactersForSelection(30, 30 * 1000), 30u + 1 + 28 * 1000 + 1000 + 1);
}

// The system dialog's file list and its Open button, reached from our hook window.
HWND DialogFileList(HWND hook) {
    HWND view = FindWindowExW(GetParent(hook), nullptr, L"SHELLDLL_DefView", nullptr);
    return view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
}

// The system dialog itself, with more names than its first buffer holds. (Selecting is
// slow in Wine's dialog, about the square of the number of files: 300 files keep the
// test short and need more than twice the first buffer.)
TEST_F(MakerWindowTest, ManyPicturesChosenInTheDialogAllComeBack) {
    constexpr int kFiles = 300;
    std::filesystem::create_directories(folder_.path() / "summer");
    for (int i = 0; i < kFiles; ++i) folder_.Write("summer/" + CameraName(i), std::string("x"));
    MakeFrame();
    CPicturePreview preview;
    FileDialogOptions options = AddPicturesDialogOptions();
    options.initial_folder = Path("summer");
    ASSERT_LT(options.name_buffer * 2, kFiles * 28u) << "the first buffer must be too small for the test to mean it";
    CPreviewFileDialog dialog(preview, options);

    int stage = 0;
    std::optional<std::vector<std::string>> chosen;
    {
        ModalDriver driver([&] {
            HWND hook = dialog.hwnd();
            HWND list = hook ? DialogFileList(hook) : nullptr;
            if (!list || SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) < kFiles) return false;
            if (stage == 0) {
                // Ctrl+A in the list: every file selected, the names in the name field.
                LVITEMW all{};
                all.stateMask = LVIS_SELECTED;
                all.state = LVIS_SELECTED;
                SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&all));
                stage = 1;
                return false;
            }
            PostMessageW(GetParent(hook), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        });
        chosen = dialog.Run(GetModuleHandleW(nullptr), frame_->hwnd());
    }
    ASSERT_TRUE(chosen.has_value()) << "the dialog failed: error " << CommDlgExtendedError();
    ASSERT_EQ(chosen->size(), size_t(kFiles));
    std::vector<std::string> sorted = *chosen;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < kFiles; ++i) ASSERT_EQ(sorted[size_t(i)], Path("summer\\" + CameraName(i))) << i;
}

TEST(FileDrop, PathsComeInTheOrderDropped) {
    std::vector<std::string> paths;
    for (int i = 999; i >= 0; --i) paths.push_back("C:\\Fotos\\" + CameraName(i));
    paths.push_back("C:\\Fotos\\\xc3\xa4pfel \xe2\x82\xac.png");  // äpfel €: beyond ASCII
    HDROP drop = MakeFileDrop(paths);
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(DroppedPaths(drop), paths);
    GlobalFree(HGLOBAL(drop));
}

TEST(FileDrop, AWindowThatAcceptsDropsHandsThemOnAndReleasesThem) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<std::vector<std::string>> received;
    ASSERT_TRUE(AcceptDroppedFiles(window, [&](const std::vector<std::string>& paths) { received.push_back(paths); }));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    SendMessageW(window, WM_DROPFILES, WPARAM(MakeFileDrop({"C:\\a.jpg", "D:\\b"})), 0);
    SendMessageW(window, WM_DROPFILES, WPARAM(MakeFileDrop({})), 0);  // nothing: no call
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], (std::vector<std::string>{"C:\\a.jpg", "D:\\b"}));
    DestroyWindow(window);
}

}  // namespace
}  // namespace gd::test
