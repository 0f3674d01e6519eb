// The show's presenter on a window of the test's own: what reaches the window is the
// window buffer's pixels inside the dirty rectangles, at the show's origin, and nothing
// else, whether the rectangles are blitted one by one or through one clip region.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/runtime/wine/message_pump.h"
#include "win32/dib_surface.h"
#include "win32/gdi_presenter.h"

namespace gd {
namespace {

constexpr int kW = 160, kH = 80;
constexpr Point kOrigin{20, 10};

// The buffer's pixel at (x, y): distinct in every 8 x 8 block, never black.
COLORREF BufferColor(int x, int y) { return RGB(40 + (x / 8) * 10, 40 + (y / 8) * 20, 200); }

class Presenting : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "GdPresenterHost";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "GdPresenterHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 220, 120, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        PumpMessagesUntil([] { return false; }, 100);
        Bitmap pixels = buffer_.View();
        ASSERT_FALSE(pixels.empty());
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const COLORREF c = BufferColor(x, y);
                pixels.set_pixel(x, y, Pixel(GetRValue(c)) << 16 | Pixel(GetGValue(c)) << 8 | GetBValue(c));
            }
    }
    void TearDown() override {
        DestroyWindow(window_);
        DropPendingMessages();
    }
    // Every pixel of the stage on the window: the buffer's inside `shown`, black elsewhere.
    void ExpectShows(const std::vector<Rect>& shown, const std::string& what) {
        HDC dc = GetDC(window_);
        int wrong = 0;
        char first[80] = "";
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                bool inside = false;
                for (const Rect& r : shown) inside = inside || r.contains(x, y);
                const COLORREF want = inside ? BufferColor(x, y) : RGB(0, 0, 0);
                const COLORREF got = GetPixel(dc, kOrigin.x + x, kOrigin.y + y);
                if (got != want && wrong++ == 0)
                    std::snprintf(first, sizeof first, "(%d, %d) is %06lx", x, y, static_cast<unsigned long>(got));
            }
        ReleaseDC(window_, dc);
        EXPECT_EQ(wrong, 0) << what << ": first wrong pixel " << first;
    }

    HWND window_ = nullptr;
    DibSurface buffer_{kW, kH};
};

TEST_F(Presenting, AFewRectanglesReachTheWindowAndNothingElse) {
    GdiPresenter presenter(window_, buffer_, kOrigin);
    int hooks = 0;
    presenter.set_first_present_hook([&] { ++hooks; });
    const std::vector<Rect> dirty{{0, 0, 32, 8}, {64, 40, 96, 80}};
    ASSERT_LE(dirty.size(), GdiPresenter::kSeparateBlits);
    presenter.Present(buffer_.View(), dirty);
    ExpectShows(dirty, "separate blits");
    presenter.Present(buffer_.View(), std::vector<Rect>{{150, 70, 160, 80}});
    EXPECT_EQ(hooks, 1) << "the first-present hook runs once";
}

TEST_F(Presenting, ManyRectanglesGoThroughOneClipRegion) {
    GdiPresenter presenter(window_, buffer_, kOrigin);
    std::vector<Rect> dirty;
    for (int k = 0; k < 12; ++k) dirty.push_back(Rect::FromSize((k * 37) % 150, (k * 13) % 72, 1 + k % 9, 1 + k % 7));
    ASSERT_GT(dirty.size(), GdiPresenter::kSeparateBlits);
    presenter.Present(buffer_.View(), dirty);
    ExpectShows(dirty, "one clipped blit");
    // The clip does not stay on the window: a later single rectangle is drawn in full.
    const std::vector<Rect> whole{{0, 0, kW, kH}};
    presenter.Present(buffer_.View(), whole);
    ExpectShows(whole, "after the clipped blit");
}

// Regression: Wine shows what a thread drew into a window when the window's own thread
// next looks at its messages. The show draws on a thread of its own while the window's
// thread sleeps in GetMessage for a whole picture pause, so the last present of every
// transition stayed off the screen until the next one.
TEST_F(Presenting, APresentFromTheShowThreadWakesTheWindowsThread) {
    GdiPresenter presenter(window_, buffer_, kOrigin);
    DropPendingMessages();
    constexpr UINT_PTR kGiveUp = 77;  // only so that a failure ends
    SetTimer(window_, kGiveUp, 20000, nullptr);
    std::thread show([&] { presenter.Present(buffer_.View(), std::vector<Rect>{{0, 0, 32, 8}}); });
    MSG message{};
    bool woken = false;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window_ && message.message == WM_TIMER && message.wParam == kGiveUp) break;
        if (message.hwnd == window_ && message.message == WM_NULL) {
            woken = true;
            break;
        }
        DispatchMessageA(&message);
    }
    show.join();
    KillTimer(window_, kGiveUp);
    EXPECT_TRUE(woken) << "the window's thread slept through the present";
}

}  // namespace
}  // namespace gd
