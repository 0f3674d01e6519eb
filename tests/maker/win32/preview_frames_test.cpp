// The preview shows what the made screensaver will show: the same project, made into a
// screensaver by the real build and played by the screensaver's own show in a process of
// its own (saver_frames_probe), and previewed here, with the same random seed and the
// same window size, shows the same pixels after the first and the second transition.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <mutex>

#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#include "maker/project/saver_builder.h"
#include "maker/win32/preview_window.h"
#include "tests/maker/preview/fake_media.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/win32/preview_support.h"

namespace gd::test {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr uint32_t kSeed = 4242;

std::wstring WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return std::wstring(path.begin(), path.end());
}

LogFont Font(int height) {
    LogFont font;
    font.height = -height;
    font.weight = 700;
    font.face_name = "Arial";
    return font;
}

CParamData FramesProject(const TempFolder& folder) {
    CParamData project;
    project.szName = "Frames";
    project.szOutputFolder = folder.path().string();
    project.bSelfInstall = 0;
    const std::string a = WriteStripesGif(folder, "a.gif", 300, 200, {RGB(230, 40, 40), RGB(40, 200, 60), RGB(40, 80, 220)});
    const std::string b = WriteStripesGif(folder, "b.gif", 500, 400, {RGB(250, 210, 0), RGB(120, 0, 160)});
    const std::string c = WriteStripesGif(folder, "c.gif", 900, 300, {RGB(0, 180, 180), RGB(250, 130, 0), RGB(90, 90, 90), RGB(255, 255, 255)});
    for (const std::string& file : {a, b, c}) {
        project.pictureList.push_back(CPictureData{});
        project.pictureList.back().szFile = file;
    }
    project.pictureList[0].szCaption = "  The first picture ";
    project.pictureList[0].lfCaptionFont = Font(28);
    project.pictureList[0].crCaptionColor = RGB(255, 255, 0);
    project.pictureList[0].nCaptionPos = 7;
    project.pictureList[1].szCaption = "Second\nwith two lines";
    project.pictureList[1].lfCaptionFont = Font(22);
    project.pictureList[1].crCaptionColor = RGB(255, 255, 255);
    project.pictureList[1].nCaptionPos = 2;
    project.szBanner = " Banner of the frames ";
    project.lfBanner = Font(20);
    project.crBanner = RGB(200, 255, 200);
    project.nBannerPos = 1;
    project.crBgColor = RGB(20, 30, 60);
    project.bEffectOn.fill(0);
    for (int id : {1, 6, 13, 21, 30, 37, 43}) project.bEffectOn[size_t(id)] = 1;
    project.nEffectMilliSecond = 150;
    project.nPicturePause = 1;
    project.bShufflePic = 1;
    project.bAutoAdjustSize = 1;
    project.bMovePicture = 1;
    return project;
}

std::vector<Pixel> ReadFrame(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    std::vector<Pixel> pixels(bytes.size() / sizeof(Pixel));
    std::memcpy(pixels.data(), bytes.data(), pixels.size() * sizeof(Pixel));
    return pixels;
}

::testing::AssertionResult SameFrame(const Bitmap& preview, const std::vector<Pixel>& saver) {
    if (saver.size() != size_t(preview.width()) * size_t(preview.height()))
        return ::testing::AssertionFailure() << "the screensaver's frame has " << saver.size() << " pixels";
    size_t differ = 0, first = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x) {
            const size_t i = size_t(y) * size_t(preview.width()) + size_t(x);
            if (((preview.pixel(x, y) ^ saver[i]) & 0xFFFFFF) == 0) continue;
            if (differ++ == 0) first = i;
        }
    if (differ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << first % size_t(preview.width())
                                         << ", " << first / size_t(preview.width()) << "): preview " << std::hex
                                         << (preview.pixel(int(first % size_t(preview.width())),
                                                           int(first / size_t(preview.width()))) & 0xFFFFFF)
                                         << ", screensaver " << (saver[first] & 0xFFFFFF);
}

TEST(PreviewFrames, ThePreviewShowsWhatTheMadeScreensaverShows) {
    TempFolder folder;
    CParamData project = FramesProject(folder);
    ASSERT_FALSE(project.pictureList[2].szFile.empty());

    // The screensaver, made as Make SCR makes it.
    CxPictureEncoder encoder;
    EditorTargetFactory targets;
    FakeQuestions questions;
    FakePlatform platform;
    BuildLogMailbox log;
    CParamData building = project;
    CSaverBuilder builder(building, GD_DIST_DIR, log, {encoder, targets, questions, platform, 1});
    std::vector<std::string> lines = RunBuild(builder, log);
    ASSERT_TRUE(builder.Succeeded()) << (lines.empty() ? "" : lines.back());
    ASSERT_EQ(builder.PictureCount(), 3);

    // The preview of the project, at the same size and with the same seed.
    std::mutex lock;
    std::vector<Bitmap> previewed;
    PreviewWindowOptions options;
    options.rect = Rect{0, 0, kWidth, kHeight};
    options.seed = kSeed;
    options.media = std::make_unique<FakeMedia>();
    PreviewWindow* preview = PreviewWindow::Create(GetModuleHandleW(nullptr), MakePreviewPlan(project), std::move(options));
    ASSERT_NE(preview, nullptr);
    HWND window = preview->hwnd();
    SlideStage& stage = preview->show().stage();
    stage.on_transition_end = [&] {
        std::lock_guard guard(lock);
        if (previewed.size() < 2) previewed.push_back(Snapshot(stage.window()));
    };
    const bool two = PumpMessagesUntil([&] { std::lock_guard guard(lock); return previewed.size() >= 2; }, 60000);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(GoneWithin(window, 5000));
    DropPendingMessages();
    ASSERT_TRUE(two) << "the preview did not get through two transitions";

    // The made screensaver's own show, in its own process.
    const std::string prefix = folder.File("saver");
    std::wstring command = L"\"" + WindowsPath(GD_FRAMES_PROBE) + L"\" \"" + WindowsPath(builder.OutputPath()) +
                           L"\" " + std::to_wstring(kWidth) + L" " + std::to_wstring(kHeight) + L" " +
                           std::to_wstring(kSeed) + L" \"" + WindowsPath(prefix) + L"\" 2";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 90000), WAIT_OBJECT_0);
    DWORD exit_code = 1;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(exit_code, 0u);

    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(BlackShare(previewed[size_t(i)]), 0.5) << "transition " << i + 1 << " showed the picture";
        EXPECT_TRUE(SameFrame(previewed[size_t(i)], ReadFrame(prefix + std::to_string(i + 1) + ".raw")))
            << "after transition " << i + 1;
    }
    EXPECT_FALSE(previewed[0] == previewed[1]);
}

}  // namespace
}  // namespace gd::test
