#include "win32/color_swatch.h"

#include <commctrl.h>

namespace gd {
namespace {
constexpr UINT_PTR kSubclassId = 0x4353;  // "CS"
}  // namespace

CColorSwatch::~CColorSwatch() { Detach(); }

bool CColorSwatch::Attach(HWND control) {
    Detach();
    if (!control || !SetWindowSubclass(control, &CColorSwatch::SubclassProc, kSubclassId, DWORD_PTR(this))) {
        return false;
    }
    control_ = control;
    InvalidateRect(control_, nullptr, TRUE);
    return true;
}

void CColorSwatch::Detach() {
    if (!control_) return;
    RemoveWindowSubclass(control_, &CColorSwatch::SubclassProc, kSubclassId);
    control_ = nullptr;
}

void CColorSwatch::SetColor(COLORREF color) {
    color_ = color;
    if (control_) InvalidateRect(control_, nullptr, TRUE);
}

COLORREF CColorSwatch::ShownColor() const {
    return color_ == kButtonFaceSwatch ? GetSysColor(COLOR_BTNFACE) : color_;
}

LRESULT CALLBACK CColorSwatch::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                            DWORD_PTR self) {
    auto* swatch = reinterpret_cast<CColorSwatch*>(self);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills everything
        case WM_PAINT:
            swatch->Paint();
            return 0;
        case WM_NCDESTROY:
            swatch->Detach();
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

void CColorSwatch::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control_, &ps);
    RECT client{};
    GetClientRect(control_, &client);
    // Only the low 24 bits are a colour; a stored value with a high byte would otherwise
    // make a palette-index brush.
    HBRUSH brush = CreateSolidBrush(ShownColor() & 0x00FFFFFFu);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(control_, &ps);
}

}  // namespace gd
