#pragma once
// Pictures for the show window tests and reading back what a window shows.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/runtime/wine/message_pump.h"

namespace gd {

inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kBackground = RGB(0, 160, 0);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// A JPEG of `width` x `height` whose left half is `left` and right half `right`.
std::vector<uint8_t> HalvesJpeg(int width, int height, COLORREF left, COLORREF right);

inline bool Near(COLORREF a, COLORREF b) {
    auto close = [](int x, int y) { return x - y <= 48 && y - x <= 48; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

struct Probe {
    int x, y;
    COLORREF color;
};

inline COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

// True when every probe shows its colour within `milliseconds`; the failure names the
// first probe that did not.
inline ::testing::AssertionResult ShowsWithin(HWND window, const std::vector<Probe>& probes, DWORD milliseconds) {
    auto all = [&] {
        for (const Probe& p : probes) {
            if (!Near(PixelAt(window, p.x, p.y), p.color)) return false;
        }
        return true;
    };
    if (PumpMessagesUntil(all, milliseconds)) return ::testing::AssertionSuccess();
    for (const Probe& p : probes) {
        COLORREF c = PixelAt(window, p.x, p.y);
        if (!Near(c, p.color)) {
            return ::testing::AssertionFailure() << "pixel (" << p.x << ", " << p.y << ") is " << std::hex
                                                 << c << ", expected about " << p.color;
        }
    }
    return ::testing::AssertionFailure() << "the pixels changed while they were read";
}

}  // namespace gd
