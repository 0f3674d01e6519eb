#pragma once
// What the dialog tests share: the common controls, a screensaver's information, and a
// button press as the dialog hears of it.

#include <windows.h>
#include <commctrl.h>

#include "common/saver_config.h"

namespace gd {

inline void InitDialogControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

inline SaverConfig SampleSaverConfig() {
    SaverConfig config;
    config.identifier = "00112233445566778899AABBCCDDEEFF";
    config.name = "Autumn Walk";
    config.author = "Ada";
    config.email = "ada@example.org";
    config.home_page = "https://ada.example.org/";
    config.copyright = "(c) Ada";
    config.description = "Leaves and light.";
    return config;
}

inline void PressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

}  // namespace gd
