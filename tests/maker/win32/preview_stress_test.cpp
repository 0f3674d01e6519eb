// Starting and stopping the preview and the demonstration 200 times each at random
// moments: every stop ends its threads within a time limit, and afterwards the process
// has no more threads than before.

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "maker/win32/effect_demo_pane.h"
#include "maker/win32/saver_preview_thread.h"
#include "tests/maker/preview/fake_media.h"
#include "tests/maker/win32/preview_support.h"

namespace gd::test {
namespace {

constexpr int kRounds = 200;

// Waits a random moment of the first `limit` milliseconds, handling this thread's
// messages meanwhile.
void WaitRandomly(std::mt19937& random, int limit) {
    const DWORD ms = std::uniform_int_distribution<DWORD>(0, DWORD(limit))(random);
    if (ms == 0) return;
    PumpMessagesUntil([] { return false; }, ms);
}

TEST(PreviewStress, TwoHundredPreviewsStartedAndStoppedAtRandomMoments) {
    TempFolder folder;
    const std::vector<std::string> pictures = {WriteColorJpeg(folder, "red.jpg", 320, 200, RGB(255, 0, 0)),
                                               WriteColorJpeg(folder, "blue.jpg", 200, 320, RGB(0, 0, 255))};
    std::mt19937 random(20240611);
    auto round = [&](int i) {
        PreviewPlan plan = QuickPlan(pictures);
        plan.show.effect_duration = 30 + i % 5 * 40;
        plan.show.picture_pause = 0;
        plan.music = {"C:\\a.wav", "C:\\b.wav"};
        plan.music_pause = 0;
        PreviewWindowOptions options;
        options.media = std::make_unique<FakeMedia>();
        options.rect = Rect{0, 0, 320, 240};
        CSaverPreviewThread thread(GetModuleHandleW(nullptr), std::move(plan), std::move(options));
        if (!thread.Start()) return false;
        // Stopped by a close request or by Escape, before, during or after the set-up.
        WaitRandomly(random, 120);
        if (i % 2 == 0 || !thread.window()) thread.RequestClose();
        else PostMessageW(thread.window(), WM_KEYDOWN, VK_ESCAPE, 0);
        return thread.Join(10000);
    };
    ASSERT_TRUE(round(0));  // the platform's own threads of the first window come now
    const int threads = ThreadCount();
    for (int i = 1; i <= kRounds; ++i) ASSERT_TRUE(round(i)) << "round " << i << " did not end";
    DropPendingMessages();
    EXPECT_EQ(ThreadCount(), threads);
}

TEST(PreviewStress, TwoHundredDemonstrationsStartedAndStoppedAtRandomMoments) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "data");
    WriteColorJpeg(folder, "data/pic1.jpg", 160, 120, RGB(255, 0, 0));
    WriteColorJpeg(folder, "data/pic2.jpg", 160, 120, RGB(0, 0, 255));
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 160, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 160, 120, parent,
                                 HMENU(INT_PTR(1067)), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    std::mt19937 random(20240612);
    EffectDemoPane demo;
    ASSERT_TRUE(demo.Create(GetModuleHandleW(nullptr), parent, 1067, folder.path().string()));
    demo.Demonstrate(1);
    WaitRandomly(random, 50);
    demo.Stop();
    const int threads = ThreadCount();
    for (int i = 0; i < kRounds; ++i) {
        const int32_t id = std::uniform_int_distribution<int32_t>(0, 45)(random);
        demo.Demonstrate(id);
        ASSERT_TRUE(demo.playing()) << "round " << i;
        WaitRandomly(random, 60);
        // Half the rounds stop it outright; the others switch to another effect.
        if (i % 2 == 0) demo.Stop();
    }
    demo.Stop();
    EXPECT_FALSE(demo.playing());
    EXPECT_EQ(ThreadCount(), threads);
    DestroyWindow(parent);
    DropPendingMessages();
}

}  // namespace
}  // namespace gd::test
