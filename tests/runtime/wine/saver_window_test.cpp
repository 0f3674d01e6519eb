// The full-screen window in the test's own process, fed messages directly: the parts of
// its behaviour that a screenshot or a key press from outside cannot show.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "runtime/resource_source.h"
#include "runtime/win32/saver_wnd.h"
#include "tests/runtime/wine/message_pump.h"

namespace gd {
namespace {

bool GoneWithin(HWND window, DWORD milliseconds) {
    return PumpMessagesUntil([window] { return !IsWindow(window); }, milliseconds);
}

class SaverWindow : public ::testing::Test {
protected:
    void SetUp() override {
        config_.picture_count = 0;  // a black show: the rules, not the pictures, are under test
        saver_ = CSaverWnd::Create(GetModuleHandleA(nullptr), config_, std::make_shared<MemoryResourceSource>());
        ASSERT_NE(saver_, nullptr);
        window_ = saver_->hwnd();
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        DropPendingMessages();
    }

    SaverConfig config_;
    CSaverWnd* saver_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(SaverWindow, CoversThePrimaryScreenOnTop) {
    RECT r{};
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SaverWindow, HidesTheCursorWhileIdle) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
    ASSERT_NE(GetCursor(), nullptr);
    EXPECT_TRUE(SendMessageA(window_, WM_SETCURSOR, WPARAM(window_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(SaverWindow, OnlyItsOwnCloseRequestClosesIt) {
    SendMessageA(window_, WM_CLOSE, 0, 0);
    SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(window_, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_FALSE(GoneWithin(window_, 300)) << "a close message from outside closed the show";
    EXPECT_FALSE(SendMessageA(window_, WM_NCACTIVATE, FALSE, 0)) << "the frame may not turn inactive";

    SendMessageA(window_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000)) << "Escape asked to close, and the window stayed";
}

TEST_F(SaverWindow, KeysAndButtonsEndItOnlyWhenAllowed) {
    // Every flag is off: a letter and the left and right buttons do nothing...
    SendMessageA(window_, WM_KEYDOWN, 'A', 0);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window_, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_FALSE(GoneWithin(window_, 300));
    // ...while the middle button always ends the show.
    SendMessageA(window_, WM_MBUTTONDOWN, MK_MBUTTON, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

TEST_F(SaverWindow, LosingActivationEndsIt) {
    SendMessageA(window_, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

}  // namespace
}  // namespace gd
