#pragma once
// Pixel sizes of the maker's window are given at 96 DPI and scaled to the DPI of the
// monitor a window is on (the program is per-monitor DPI aware through its manifest).

#include <windows.h>

namespace gd {

inline constexpr UINT kDefaultDpi = 96;

// The DPI of the window's monitor; the system's for a process that is not aware of
// monitors, or on platforms without the per-window query.
UINT WindowDpi(HWND window);

inline int ScaleForDpi(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), int(kDefaultDpi)); }

}  // namespace gd
