#include "maker/win32/frame_menu.h"

#include "maker/ui/recent_projects.h"
#include "maker/win32/bitmap_strip.h"
#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {

bool IsRecentCommand(UINT id) { return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4; }

}  // namespace

std::wstring MenuItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text;
    item.cch = UINT(std::size(text));
    if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &item)) return {};
    return text;
}

HMENU FindPopup(HMENU bar, const wchar_t* text) {
    int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        if (MenuItemText(bar, i) == text) return GetSubMenu(bar, i);
    }
    return nullptr;
}

bool EnsureTipOfTheDayItem(HWND frame, HMENU bar) {
    HMENU help = FindPopup(bar, L"&Help");
    if (help && MenuItemText(help, 0) == kTipOfTheDayText) return false;
    if (help) {
        InsertMenuW(help, 0, MF_BYPOSITION | MF_STRING, ID_TIP_OF_THE_DAY, kTipOfTheDayText);
        return true;
    }
    help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, ID_TIP_OF_THE_DAY, kTipOfTheDayText);
    AppendMenuW(bar, MF_POPUP, UINT_PTR(help), L"&Help");
    if (frame) DrawMenuBar(frame);
    return true;
}

void SetRecentEntries(HMENU bar, const std::vector<std::string>& paths) {
    HMENU file = FindPopup(bar, L"&File");
    if (!file) return;
    // The entries sit where the first of them (or the placeholder) is.
    int position = -1;
    for (int i = GetMenuItemCount(file) - 1; i >= 0; --i) {
        if (IsRecentCommand(GetMenuItemID(file, i))) {
            DeleteMenu(file, UINT(i), MF_BYPOSITION);
            position = i;
        }
    }
    if (position < 0) return;
    if (paths.empty()) {
        InsertMenuW(file, UINT(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, L"Recent File");
        return;
    }
    for (size_t i = 0; i < paths.size() && i < kRecentProjectCount; ++i) {
        InsertMenuW(file, UINT(position) + UINT(i), MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FILE1 + UINT(i),
                    Wide(RecentMenuText(i, paths[i])).c_str());
    }
}

namespace {

struct MenuImage {
    UINT command;
    int index;  // in the toolbar strip; -1: the Exit image
};

constexpr MenuImage kMenuImages[] = {
    {ID_FILE_NEW, 0},     {ID_FILE_OPEN, 1}, {ID_FILE_SAVE, 2},  {ID_MAKE_PREVIEW, 3},  {ID_MAKE_SCR, 4},
    {ID_HOMEPAGE, 5},     {ID_APP_ABOUT, 6}, {ID_HELP_TOPICS, 7}, {ID_APP_EXIT, -1},
};

constexpr int kMenuImageSize = 16;

}  // namespace

MenuImages::~MenuImages() { Drop(); }

void MenuImages::Drop() {
    for (HBITMAP b : bitmaps_) DeleteObject(b);
    bitmaps_.clear();
}

void MenuImages::Attach(HINSTANCE instance, HMENU bar, UINT dpi) {
    Drop();
    int size = ScaleForDpi(kMenuImageSize, dpi);
    for (const MenuImage& m : kMenuImages) {
        HBITMAP image = m.index < 0 ? MakeStripImage(instance, size, IDB_EXIT, IDB_EXIT_2X, kMenuImageSize, 0)
                                    : MakeStripImage(instance, size, IDB_MENU_IMAGES, IDB_TOOLBAR, kMenuImageSize,
                                                     m.index);
        if (!image) continue;
        bitmaps_.push_back(image);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_BITMAP;
        item.hbmpItem = image;
        SetMenuItemInfoW(bar, m.command, FALSE, &item);
    }
}

HBITMAP MenuImages::ItemImage(HMENU bar, UINT command) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP;
    if (!GetMenuItemInfoW(bar, command, FALSE, &item)) return nullptr;
    return item.hbmpItem;
}

}  // namespace gd
