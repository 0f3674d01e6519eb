#pragma once
// Pixel sizes of the maker's window are given at 96 DPI and scaled to the DPI of the
// monitor a window is on (the program is per-monitor DPI aware through its manifest);
// WindowDpi comes from the shared dialog helpers.

#include <windows.h>

#include "win32/dialog_items.h"

namespace gd {

inline constexpr UINT kDefaultDpi = 96;

inline int ScaleForDpi(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), int(kDefaultDpi)); }

}  // namespace gd
