// The hyperlink label and the colour swatch on a window of the test's own, driven by
// messages and read back pixel by pixel.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/runtime/wine/message_pump.h"
#include "tests/win32/fake_prompter.h"
#include "win32/color_swatch.h"
#include "win32/link_label.h"

namespace gd {
namespace {

constexpr COLORREF kPageColor = RGB(0, 128, 0);

// A top-level window whose static children are drawn on a green background.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    static HBRUSH green = CreateSolidBrush(kPageColor);
    if (message == WM_CTLCOLORSTATIC) return LRESULT(green);
    return DefWindowProcW(window, message, wparam, lparam);
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GdControlsHost";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, L"GdControlsHost", L"Host Title", WS_POPUP | WS_VISIBLE, 100, 100, 300, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);
        label_window_ = CreateWindowExW(0, L"STATIC", L"WWWWWWWW", WS_CHILD | WS_VISIBLE, 10, 10, 200, 30, host_,
                                        nullptr, wc.hInstance, nullptr);
        HFONT font = CreateFontW(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        SendMessageW(label_window_, WM_SETFONT, WPARAM(font), TRUE);
        swatch_window_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 220, 10, 40, 40, host_, nullptr,
                                         wc.hInstance, nullptr);
        ASSERT_TRUE(label_.Attach(label_window_));
        ASSERT_TRUE(swatch_.Attach(swatch_window_));
        label_.SetPrompter(prompter_);
        label_.SetAddress(L"https://www.example.org/x");
        SetCursorPos(5, 5);  // away from the label
    }
    void TearDown() override {
        DestroyWindow(host_);
        DropPendingMessages();
    }

    // The client area of `window` once it has painted, as rows of COLORREF values.
    static std::vector<std::vector<COLORREF>> Capture(HWND window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT r{};
        GetClientRect(window, &r);
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = r.right;
        info.bmiHeader.biHeight = -r.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<std::vector<COLORREF>> rows(size_t(r.bottom), std::vector<COLORREF>(size_t(r.right)));
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (int y = 0; y < r.bottom; ++y) {
            for (int x = 0; x < r.right; ++x) {
                uint32_t p = pixels[y * r.right + x];
                rows[y][x] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            }
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, dc);
        return rows;
    }
    // How many pixels of `window` have `color`.
    static int Count(HWND window, COLORREF color) {
        int n = 0;
        for (const auto& row : Capture(window)) {
            for (COLORREF c : row) n += c == color;
        }
        return n;
    }
    // The lowest row holding pixels of `color`, -1 when there is none.
    static int LowestRow(HWND window, COLORREF color) {
        auto rows = Capture(window);
        for (int y = int(rows.size()) - 1; y >= 0; --y) {
            for (COLORREF c : rows[y]) {
                if (c == color) return y;
            }
        }
        return -1;
    }

    HWND host_ = nullptr;
    HWND label_window_ = nullptr;
    HWND swatch_window_ = nullptr;
    FakePrompter prompter_;
    CLinkLabel label_;
    CColorSwatch swatch_;
};

TEST_F(Controls, LabelDrawsItsTextInTheLinkColourOnTheParentsBackground) {
    EXPECT_GT(Count(label_window_, kLinkColor), 20);
    EXPECT_GT(Count(label_window_, kPageColor), 1000) << "the background is the parent's";
    EXPECT_EQ(Count(label_window_, GetSysColor(COLOR_BTNFACE)), 0);
}

TEST_F(Controls, HoverTurnsRedAndUnderlinedUntilTheTimerSeesTheCursorLeave) {
    const int plain_bottom = LowestRow(label_window_, kLinkColor);
    POINT inside{50, 15};
    ClientToScreen(label_window_, &inside);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(label_window_, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
    EXPECT_TRUE(label_.hovered());
    EXPECT_EQ(Count(label_window_, kLinkColor), 0);
    EXPECT_GT(LowestRow(label_window_, kHoveredLinkColor), plain_bottom) << "an underline below the letters";
    // Still inside: the leave timer keeps it hovered.
    PumpMessagesUntil([] { return false; }, 300);
    EXPECT_TRUE(label_.hovered());

    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpMessagesUntil([this] { return !label_.hovered(); }, 2000));
    EXPECT_GT(Count(label_window_, kLinkColor), 20);
}

TEST_F(Controls, UnderlineModes) {
    label_.SetUnderline(UnderlineMode::kAlways);
    const int underlined_bottom = LowestRow(label_window_, kLinkColor);
    label_.SetUnderline(UnderlineMode::kNever);
    SendMessageW(label_window_, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
    EXPECT_LT(LowestRow(label_window_, kHoveredLinkColor), underlined_bottom);
}

TEST_F(Controls, ClickOpensTheAddressAndAFailureSaysWhy) {
    std::wstring opened;
    int show = -1;
    intptr_t result = 2;
    label_.SetOpener([&](const std::wstring& address, int s) {
        opened = address;
        show = s;
        return result;
    });
    SendMessageW(label_window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(label_window_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(opened, L"https://www.example.org/x");
    EXPECT_EQ(show, SW_SHOWNORMAL);
    EXPECT_FALSE(label_.visited());
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].text, L"Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(prompter_.shown[0].title, L"Host Title");
    EXPECT_EQ(prompter_.shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));

    result = 42;
    SendMessageW(label_window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(label_window_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(label_.visited());
    EXPECT_EQ(prompter_.shown.size(), 1u);
    SetCursorPos(5, 5);
    PumpMessagesUntil([this] { return !label_.hovered(); }, 1000);
    EXPECT_GT(Count(label_window_, kVisitedLinkColor), 20);
}

TEST_F(Controls, LabelHasAHandCursorAndATooltipWithItsAddress) {
    SendMessageW(label_window_, WM_SETCURSOR, WPARAM(label_window_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
    EXPECT_EQ(SendMessageW(label_window_, WM_NCHITTEST, 0, 0), HTCLIENT) << "a plain static lets the mouse through";

    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM out) {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(out) = w;
        return TRUE;
    }, LPARAM(&tip));
    ASSERT_NE(tip, nullptr);
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = host_;
    tool.uId = UINT_PTR(label_window_);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, LPARAM(&tool));
    EXPECT_STREQ(text, L"https://www.example.org/x");
}

TEST_F(Controls, SwatchPaintsItsColourOrTheButtonFace) {
    swatch_.SetColor(RGB(10, 200, 30));
    EXPECT_EQ(Count(swatch_window_, RGB(10, 200, 30)), 40 * 40);
    swatch_.SetColor(kButtonFaceSwatch);
    EXPECT_EQ(swatch_.ShownColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Count(swatch_window_, GetSysColor(COLOR_BTNFACE)), 40 * 40);
}

}  // namespace
}  // namespace gd
