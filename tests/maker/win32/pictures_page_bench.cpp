// How long the Pictures page takes to list a thousand pictures: added through the dialog's
// answer, dropped as a folder, and loaded from a project. Prints the figures; run by hand
// under Wine:
//   scripts/wine-run build/mingw/tests/maker/win32/pictures_page_bench.exe [COUNT]

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "maker/ui/user_settings.h"
#include "maker/win32/file_drop.h"
#include "maker/win32/main_frame.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/ui_text.h"
#include "tests/win32/fake_prompter.h"

namespace gd {
namespace {

class AnsweringPrompts final : public FilePrompts {
public:
    std::optional<std::string> OpenProject(HWND) override { return std::nullopt; }
    std::optional<std::string> SaveProjectAs(HWND, const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseIcon(HWND, const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFolder(HWND, const std::wstring&) override { return std::nullopt; }
    std::optional<std::vector<std::string>> ChoosePictures(HWND, const std::string&) override { return pictures; }
    std::optional<std::vector<std::string>> ChooseMusic(HWND, const std::string&) override { return std::nullopt; }
    std::vector<std::string> pictures;
};

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run(int count) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "gd-pictures-bench";
    const std::filesystem::path photos = root / "photos";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(photos);
    std::filesystem::create_directories(root / "data");
    AnsweringPrompts files;
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "IMG_20240612_%06d.jpg", i);
        std::ofstream(photos / name, std::ios::binary) << std::string(4096, 'x');
        files.pictures.push_back(Utf8((photos / name).wstring()));
    }

    FakePrompter prompter;
    MemoryUserSettings settings;
    MakerServices services;
    services.instance = GetModuleHandleW(nullptr);
    services.program_folder = Utf8(root.wstring());
    services.prompter = &prompter;
    services.files = &files;
    services.settings = &settings;
    services.make_page = MakeMakerPage;
    CMainFrame frame(services);
    if (!frame.Create()) return 1;
    frame.ShowCentred(SW_SHOWNOACTIVATE);
    SendMessageW(frame.navigation().Button(kPicturesPage), BM_CLICK, 0, 0);
    auto* page = dynamic_cast<CPictureView*>(frame.pages().page(kPicturesPage));
    if (!page) return 1;

    const double added = Seconds([&] { page->AddPictures(); });
    std::printf("%d pictures added through the dialog: %.3f s (%zu listed)\n", count, added, page->pictures().size());
    page->RemoveAll();
    const double dropped = Seconds([&] {
        SendMessageW(page->list(), WM_DROPFILES, WPARAM(MakeFileDrop({Utf8(photos.wstring())})), 0);
    });
    std::printf("%d pictures dropped as a folder: %.3f s (%zu listed)\n", count, dropped, page->pictures().size());
    frame.pages().CommitShownPage();
    const double loaded = Seconds([&] { page->LoadFromProject(); });
    std::printf("%d pictures loaded from the project: %.3f s (%zu listed)\n", count, loaded, page->pictures().size());
    const double selected = Seconds([&] { page->ClickRow(count / 2); });
    std::printf("one row selected (its file does not decode): %.3f s\n", selected);
    frame.doc().SetModifiedFlag(false);
    std::filesystem::remove_all(root);
    return 0;
}

}  // namespace
}  // namespace gd

int main(int argc, char** argv) { return gd::Run(argc > 1 ? std::atoi(argv[1]) : 1000); }
