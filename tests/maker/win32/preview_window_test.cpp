// The maker's full-screen preview in the test's own process under Wine: its window, its
// set-up, every event that ends it, its music driven through its timers with a stand-in
// media back end, and the order in which it closes on its own thread.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "maker/win32/preview_window.h"
#include "maker/win32/saver_preview_thread.h"
#include "tests/maker/preview/fake_media.h"
#include "tests/maker/win32/preview_support.h"

namespace gd::test {
namespace {

using Journal = std::vector<std::string>;

class Preview : public ::testing::Test {
protected:
    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        DropPendingMessages();
    }

    // Makes the preview on the test's thread, with the stand-in media back end.
    PreviewWindow& Open(PreviewPlan plan) {
        auto media = std::make_unique<FakeMedia>();
        media_ = media.get();
        journal_ = media->journal_entries;
        PreviewWindowOptions options;
        options.media = std::move(media);
        preview_ = PreviewWindow::Create(GetModuleHandleW(nullptr), std::move(plan), std::move(options));
        EXPECT_NE(preview_, nullptr);
        window_ = preview_ ? preview_->hwnd() : nullptr;
        return *preview_;
    }
    void Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) { SendMessageW(window_, message, wparam, lparam); }
    bool Open() const { return IsWindow(window_) != FALSE; }

    TempFolder folder_;
    PreviewWindow* preview_ = nullptr;
    HWND window_ = nullptr;
    FakeMedia* media_ = nullptr;  // owned by the window
    std::shared_ptr<Journal> journal_;
};

TEST_F(Preview, CoversThePrimaryScreenOnTopWithoutAPointer) {
    Open(QuickPlan({}));
    RECT r{};
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(window_, GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE(GetWindowLongW(window_, GWL_STYLE) & WS_CAPTION);

    // The class cursor: 32 x 32, every pixel see-through (mask set, image clear).
    auto cursor = HCURSOR(GetClassLongPtrW(window_, GCLP_HCURSOR));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(info.hbmColor, nullptr);
    std::vector<BYTE> bits(size_t(mask.bmWidthBytes) * size_t(mask.bmHeight));
    GetBitmapBits(info.hbmMask, LONG(bits.size()), bits.data());
    const size_t half = bits.size() / 2;  // the AND mask, then the XOR image
    EXPECT_TRUE(std::all_of(bits.begin(), bits.begin() + half, [](BYTE b) { return b == 0xFF; }));
    EXPECT_TRUE(std::all_of(bits.begin() + half, bits.end(), [](BYTE b) { return b == 0; }));
    DeleteObject(info.hbmMask);
}

TEST_F(Preview, StartsTheShowAndThenTheMusicAfterItsSetUp) {
    PreviewPlan plan = QuickPlan({WriteColorJpeg(folder_, "red.jpg", 64, 48, RGB(255, 0, 0))});
    plan.music = {"C:\\a.wav", "C:\\b.wav"};
    plan.music_pause = 3;
    PreviewWindow& preview = Open(std::move(plan));
    media_->plays_for = 1000;
    EXPECT_FALSE(preview.show().running()) << "the show starts from its timer";
    EXPECT_TRUE(PumpMessagesUntil([&] { return preview.show().running(); }, 2000));
    EXPECT_TRUE(journal_->empty()) << "the music starts half a second later";
    EXPECT_TRUE(PumpMessagesUntil([&] { return !journal_->empty(); }, 2000));
    EXPECT_EQ(*journal_, (Journal{"open C:\\a.wav", "play"}));
    EXPECT_EQ(preview.show().settings().picture_count, 1);
}

TEST_F(Preview, WithoutPicturesOrMusicNothingStarts) {
    PreviewWindow& preview = Open(QuickPlan({}));
    PumpMessagesUntil([] { return false; }, 800);
    EXPECT_FALSE(preview.show().running());
    EXPECT_TRUE(journal_->empty());
    EXPECT_TRUE(Open());
}

TEST_F(Preview, EscapeEndsItWhateverTheFlags) {
    Open(QuickPlan({}));
    Send(WM_KEYDOWN, 'A');
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_MBUTTONDOWN, MK_MBUTTON);
    Send(WM_RBUTTONDOWN, MK_RBUTTON);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(400, 300));
    EXPECT_FALSE(GoneWithin(window_, 300)) << "every flag is off";
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

TEST_F(Preview, TheFirstMouseMessageOnlyRecordsThePosition) {
    PreviewPlan plan = QuickPlan({});
    plan.exit.mouse_move = true;
    PreviewWindow& preview = Open(std::move(plan));
    // The platform itself may send the first one, for a window that appears under the
    // pointer; otherwise the test's first message is the first.
    EXPECT_FALSE(GoneWithin(window_, 300)) << "the platform's first mouse message closed it";
    if (preview.exit_rules().first_mouse() == Point{-1, -1}) Send(WM_MOUSEMOVE, 0, MAKELPARAM(120, 80));
    const Point first = preview.exit_rules().first_mouse();
    ASSERT_NE(first, (Point{-1, -1}));
    EXPECT_TRUE(Open());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(first.x, first.y));
    EXPECT_FALSE(GoneWithin(window_, 300)) << "the same place again is no movement";
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(first.x + 1, first.y));
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

struct InputCase {
    const char* name;
    PreviewExitFlags flags;
    UINT message;
    WPARAM wparam;
};

TEST_F(Preview, KeysButtonsAndDeactivationEndItAsTheProjectSays) {
    const InputCase cases[] = {
        {"a key, keyboard allowed", {true, false, false, false}, WM_KEYDOWN, 'A'},
        {"left button, left allowed", {false, false, true, false}, WM_LBUTTONDOWN, MK_LBUTTON},
        {"middle button, left allowed", {false, false, true, false}, WM_MBUTTONDOWN, MK_MBUTTON},
        {"right button, right allowed", {false, true, false, false}, WM_RBUTTONDOWN, MK_RBUTTON},
        {"the window turns inactive", {false, false, false, false}, WM_ACTIVATE, WA_INACTIVE},
        {"the program loses the activation", {false, false, false, false}, WM_ACTIVATEAPP, FALSE},
        {"a close request from outside", {false, false, false, false}, WM_CLOSE, 0},
    };
    for (const InputCase& c : cases) {
        PreviewPlan plan = QuickPlan({});
        plan.exit = c.flags;
        Open(std::move(plan));
        Send(c.message, c.wparam);
        EXPECT_TRUE(GoneWithin(window_, 3000)) << c.name;
        DropPendingMessages();
    }
    // And what the project did not allow leaves it open.
    PreviewPlan plan = QuickPlan({});
    plan.exit = {true, false, false, true};
    Open(std::move(plan));
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_MBUTTONDOWN, MK_MBUTTON);
    Send(WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_FALSE(GoneWithin(window_, 300));
}

TEST_F(Preview, MusicFollowsItsTimersTrackByTrackWithThePauseBetween) {
    PreviewPlan plan = QuickPlan({});
    plan.music = {"C:\\a.wav", "C:\\b.mid"};
    plan.music_pause = 2;
    Open(std::move(plan));
    media_->plays_for = 1;
    KillTimer(window_, PreviewWindow::kMusicStartTimerId);  // driven by hand from here
    auto tick = [&](UINT_PTR id) { Send(WM_TIMER, id); };
    tick(PreviewWindow::kMusicStartTimerId);
    EXPECT_EQ(*journal_, (Journal{"open C:\\a.wav", "play"}));
    tick(PreviewWindow::kMusicTimerId);  // still playing
    tick(PreviewWindow::kMusicTimerId);  // ended: closed, first second of the pause
    tick(PreviewWindow::kMusicTimerId);  // second second
    EXPECT_EQ(*journal_, (Journal{"open C:\\a.wav", "play", "close"}));
    tick(PreviewWindow::kMusicTimerId);  // the pause is over: the other track
    EXPECT_EQ(*journal_, (Journal{"open C:\\a.wav", "play", "close", "open C:\\b.mid", "play"}));
    EXPECT_EQ(preview_->music().gap_seconds(), 0);
}

// The media layer takes UTF-8 paths and finds a name outside the code page itself (see
// the MCI player's tests): the preview hands it the project's path unchanged, not a
// code-page form that would name no file.
TEST_F(Preview, MusicWhoseNameTheCodePageCannotHoldReachesTheMediaLayerUnchanged) {
    TempFolder folder;
    const std::string foreign = folder.Write("\xe9\x9f\xb3\xe6\xa5\xbd.wav", "m");
    PreviewPlan plan = QuickPlan({});
    plan.music = {foreign};
    Open(std::move(plan));
    KillTimer(window_, PreviewWindow::kMusicStartTimerId);
    Send(WM_TIMER, PreviewWindow::kMusicStartTimerId);
    ASSERT_FALSE(journal_->empty());
    EXPECT_EQ(journal_->front(), "open " + foreign);
}

TEST_F(Preview, MutedOrSilentProjectsStartNoMusic) {
    Open(QuickPlan({}));  // the plan of a muted project has no tracks
    PumpMessagesUntil([] { return false; }, 800);
    EXPECT_TRUE(journal_->empty());
    EXPECT_TRUE(preview_->music().tracks().empty());
}

// The preview on its own thread: Close hides the window, stops and joins the show thread,
// closes the music, then the window is destroyed and only then the thread ends.
TEST(PreviewThread, ClosesInOrderWindowShowMusicThread) {
    TempFolder folder;
    PreviewPlan plan = QuickPlan({WriteColorJpeg(folder, "red.jpg", 64, 48, RGB(255, 0, 0)),
                                  WriteColorJpeg(folder, "blue.jpg", 64, 48, RGB(0, 0, 255))});
    plan.music = {"C:\\a.wav"};
    auto media = std::make_unique<FakeMedia>();
    media->plays_for = 1000000;
    std::mutex lock;
    Journal steps;
    auto note = [&](std::string step) {
        std::lock_guard guard(lock);
        steps.push_back(std::move(step));
    };
    std::atomic<HWND> made{nullptr};
    std::atomic<PreviewWindow*> preview{nullptr};
    PreviewWindowOptions options;
    options.on_step = [&](std::string_view step) { note(std::string(step)); };
    // Closing the music: the show thread must have ended already.
    media->on_close = [&] {
        HWND window = made.load();
        note(window && IsWindow(window) ? "music closed" : "music closed late");
    };
    options.media = std::move(media);
    CSaverPreviewThread thread(GetModuleHandleW(nullptr), std::move(plan), std::move(options));
    thread.on_thread_end = [&] { note(IsWindow(made.load()) ? "thread ended before its window" : "thread ended"); };
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(PumpMessagesUntil([&] { return thread.window() != nullptr; }, 5000));
    made = thread.window();
    // The show runs and the music plays half a second after the set-up.
    PumpMessagesUntil([] { return false; }, 1500);
    thread.RequestClose();
    ASSERT_TRUE(thread.Join(10000)) << "the preview's thread did not end";
    EXPECT_FALSE(IsWindow(made.load()));
    EXPECT_EQ(steps, (Journal{"window hidden", "show stopped", "music closed", "music stopped", "close requested",
                              "window destroyed", "thread ended"}));
}

// Escape in the middle of a ten-second effect: the show thread stops at its next step
// and the preview closes at once.
TEST(PreviewThread, EscapeDuringTheFirstEffectClosesAtOnce) {
    TempFolder folder;
    PreviewPlan plan = QuickPlan({WriteColorJpeg(folder, "red.jpg", 320, 240, RGB(255, 0, 0)),
                                  WriteColorJpeg(folder, "blue.jpg", 320, 240, RGB(0, 0, 255))});
    plan.show.effect_duration = 10000;
    plan.show.effects = {21};  // Clock: 360 steps over the ten seconds
    PreviewWindowOptions options;
    options.media = std::make_unique<FakeMedia>();
    CSaverPreviewThread thread(GetModuleHandleW(nullptr), std::move(plan), std::move(options));
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(PumpMessagesUntil([&] { return thread.window() != nullptr; }, 5000));
    PumpMessagesUntil([] { return false; }, 300);
    const DWORD start = GetTickCount();
    PostMessageW(thread.window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(thread.Join(5000)) << "the preview hung in its first effect";
    EXPECT_LT(GetTickCount() - start, 3000u);
}

// The project's monitor mode: with a picture on each monitor, the preview covers every
// monitor of its layout and plays a picture of its own on each; when the monitors change,
// it takes their new layout.
TEST(PreviewMonitors, PlaysAPictureOnEachMonitorOfTheLayout) {
    TempFolder folder;
    PreviewPlan plan = QuickPlan({WriteColorJpeg(folder, "red.jpg", 320, 240, RGB(255, 0, 0)),
                                  WriteColorJpeg(folder, "blue.jpg", 320, 240, RGB(0, 0, 255))});
    plan.show.picture_pause = 30;
    plan.monitor_mode = 2;
    PreviewWindowOptions options;
    options.media = std::make_unique<FakeMedia>();
    std::vector<MonitorMode> asked;
    ScreenLayout layout{{0, 0, 640, 240}, {ShowStage{{0, 0, 320, 240}}, ShowStage{{320, 0, 640, 240}}}};
    options.layouts = [&](MonitorMode mode) {
        asked.push_back(mode);
        return layout;
    };
    PreviewWindow* preview = PreviewWindow::Create(GetModuleHandleW(nullptr), std::move(plan), std::move(options));
    ASSERT_NE(preview, nullptr);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), MonitorMode::kDifferentPictures);
    RECT r{};
    GetWindowRect(preview->hwnd(), &r);
    EXPECT_EQ(r.right, 640);
    EXPECT_EQ(r.bottom, 240);
    ASSERT_EQ(preview->show().group().size(), 2u);
    auto red = [](Pixel p) { return (p >> 16 & 0xFF) > 200 && (p & 0xFF) < 60; };
    auto blue = [](Pixel p) { return (p & 0xFF) > 200 && (p >> 16 & 0xFF) < 60; };
    auto middle = [&](size_t i) { return preview->show().group().host(i).window_buffer().pixel(160, 120); };
    EXPECT_TRUE(PumpMessagesUntil([&] {
        const Pixel a = middle(0), b = middle(1);
        return (red(a) && blue(b)) || (blue(a) && red(b));
    }, 5000)) << std::hex << middle(0) << " and " << middle(1);

    // The second monitor unplugged: the preview takes the monitors that are left, its first
    // show playing on, and goes on until an exit event.
    ShowHost* first = &preview->show().group().host(0);
    layout = ScreenLayout{{0, 0, 320, 240}, {ShowStage{{0, 0, 320, 240}}}};
    SendMessageW(preview->hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(320, 240));
    EXPECT_TRUE(PumpMessagesUntil([&] { return preview->layout() == layout; }, 3000));
    GetWindowRect(preview->hwnd(), &r);
    EXPECT_EQ(r.right, 320);
    ASSERT_EQ(preview->show().group().size(), 1u);
    EXPECT_EQ(&preview->show().group().host(0), first);
    EXPECT_FALSE(preview->closing());
    DestroyWindow(preview->hwnd());
    DropPendingMessages();
}

}  // namespace
}  // namespace gd::test
