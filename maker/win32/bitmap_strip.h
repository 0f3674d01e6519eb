#pragma once
// Images cut from the maker's bitmap strips: square images side by side, black standing
// for transparent. Each strip comes at its base size and at twice that; other sizes are
// scaled from the nearer one.

#include <windows.h>
#include <commctrl.h>

namespace gd {

// An image list of `size` x `size` images, masked on black.
HIMAGELIST MakeStripImageList(HINSTANCE instance, int size, int strip_id, int strip_2x_id, int base_size);

// Image `index` of a strip as a 32-bit bitmap with alpha (black fully transparent), as
// menus draw beside their items; nullptr when the strip cannot be loaded.
HBITMAP MakeStripImage(HINSTANCE instance, int size, int strip_id, int strip_2x_id, int base_size, int index);

}  // namespace gd
