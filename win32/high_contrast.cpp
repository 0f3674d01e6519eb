#include "win32/high_contrast.h"

#include <algorithm>
#include <cmath>

namespace gd {

namespace {

std::optional<bool>& Override() {
    static std::optional<bool> on;
    return on;
}

}  // namespace

bool HighContrastOn() {
    if (Override()) return *Override();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) { Override() = on; }

COLORREF ThemedColor(COLORREF usual, int index) { return HighContrastOn() ? GetSysColor(index) : usual; }

COLORREF ScreenPaneGround() { return ThemedColor(RGB(0, 0, 0), COLOR_WINDOW); }

void PaintGround(HWND window, COLORREF color) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH ground = CreateSolidBrush(color);
    FillRect(dc, &paint.rcPaint, ground);
    DeleteObject(ground);
    EndPaint(window, &paint);
}

namespace {

double Luminance(COLORREF color) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(color)) + 0.7152 * channel(GetGValue(color)) + 0.0722 * channel(GetBValue(color));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool HardToTellApart(COLORREF a, COLORREF b) { return ContrastRatio(a, b) < 3.0; }

void SpreadColorChange(HWND top) {
    EnumChildWindows(
        top,
        [](HWND child, LPARAM) -> BOOL {
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
            return TRUE;
        },
        0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace gd
