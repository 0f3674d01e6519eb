// The preview window inside a host window of this process, read back pixel by pixel:
// a host in another process (the real case) cannot be read on every platform the tests
// run on, while here the child's drawing lands in the host's own window.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/resource_types.h"
#include "runtime/resource_source.h"
#include "runtime/win32/child_preview_wnd.h"
#include "tests/runtime/wine/message_pump.h"
#include "tests/runtime/wine/window_pixels.h"

namespace gd {
namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Two pictures, each brought in by a random effect and shown for one second, on a green
// background:
// 0 is 320 x 120 red | blue, which fits the 200 x 150 host as 200 x 75 at rows 37..112;
// 1 is 120 x 120 yellow, which keeps its size, centred.
class PreviewWindow : public ::testing::Test {
protected:
    static constexpr int kWidth = 200, kHeight = 150;

    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "PreviewTestHost";
        RegisterClassA(&wc);
        host_ = CreateWindowExA(0, "PreviewTestHost", "", WS_POPUP | WS_VISIBLE, 40, 40, kWidth, kHeight,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);

        config_.bg_color = kBackground;
        config_.picture_count = config_.has_pictures = 2;
        config_.auto_adjust_size = 1;
        config_.picture_pause = 1;
        config_.effect_millisecond = 500;
        config_.effect_on.fill(1);  // every effect, drawn in the small window too
        source_ = std::make_shared<MemoryResourceSource>();
        source_->Add(RT_SAVER_PICTURE, 0, HalvesJpeg(320, 120, kRed, kBlue));
        source_->Add(RT_SAVER_PICTURE, 1, HalvesJpeg(120, 120, kYellow, kYellow));
    }
    void TearDown() override {
        if (IsWindow(host_)) DestroyWindow(host_);
        DropPendingMessages();
    }
    HWND StartPreview() {
        auto* preview = CChildPreviewWnd::Create(GetModuleHandleA(nullptr), host_, config_, source_);
        return preview ? preview->hwnd() : nullptr;
    }

    HWND host_ = nullptr;
    SaverConfig config_;
    std::shared_ptr<MemoryResourceSource> source_;
};

const std::vector<Probe> kFirstPicture = {
    {50, 75, kRed}, {150, 75, kBlue}, {100, 10, kBackground}, {100, 140, kBackground},
    {5, 40, kRed}, {195, 109, kBlue}, {5, 33, kBackground}, {195, 116, kBackground},
};
const std::vector<Probe> kSecondPicture = {
    {100, 75, kYellow}, {45, 20, kYellow}, {155, 130, kYellow}, {35, 75, kBackground}, {165, 75, kBackground},
};

TEST_F(PreviewWindow, FillsTheHostAndShowsThePicturesOneAfterAnother) {
    HWND child = StartPreview();
    ASSERT_NE(child, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    EXPECT_EQ(GetParent(child), host_);

    EXPECT_TRUE(ShowsWithin(host_, kFirstPicture, 3000));
    EXPECT_TRUE(ShowsWithin(host_, kSecondPicture, 4000));
    EXPECT_TRUE(ShowsWithin(host_, kFirstPicture, 4000)) << "the show goes round again";
}

TEST_F(PreviewWindow, RepaintsItsPictureWhenTheHostRedraws) {
    config_.picture_pause = 30;  // stays on the first picture
    HWND child = StartPreview();
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(ShowsWithin(host_, kFirstPicture, 3000));

    HDC dc = GetDC(host_);  // as if something had covered the host
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(host_, dc);
    RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsWithin(host_, kFirstPicture, 500));
}

TEST_F(PreviewWindow, StaysBlackWithoutPictures) {
    config_.picture_count = config_.has_pictures = 0;
    HWND child = StartPreview();
    ASSERT_NE(child, nullptr);
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(300);
    EXPECT_TRUE(ShowsWithin(host_, {{100, 75, kBlack}, {5, 5, kBlack}, {195, 145, kBlack}}, 500));
}

TEST_F(PreviewWindow, EndsTheMessageLoopWhenTheHostGoes) {
    HWND child = StartPreview();
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(ShowsWithin(host_, kFirstPicture, 3000));
    DestroyWindow(host_);
    EXPECT_FALSE(IsWindow(child));
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) quit = quit || message.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

TEST_F(PreviewWindow, RefusesAHandleThatNamesNoWindow) {
    HWND gone = host_;
    DestroyWindow(host_);
    EXPECT_EQ(CChildPreviewWnd::Create(GetModuleHandleA(nullptr), gone, config_, source_), nullptr);
}

}  // namespace
}  // namespace gd
