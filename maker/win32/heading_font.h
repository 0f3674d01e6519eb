#pragma once
// The font of a heading in a dialog: the dialog's own font, half as large again and bold.

#include <windows.h>

namespace gd {

// A new font the caller deletes.
HFONT MakeHeadingFont(HWND dialog);

}  // namespace gd
