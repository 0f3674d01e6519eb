#include "win32/common_dialogs.h"

#include <commdlg.h>

namespace gd {

std::optional<ColorRef> ChooseColorFullyOpen(HWND owner, ColorRef initial) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = initial & 0x00FFFFFFu;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&choose)) return std::nullopt;
    return ColorRef(choose.rgbResult);
}

}  // namespace gd
