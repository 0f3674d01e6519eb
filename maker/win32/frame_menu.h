#pragma once
// The main window's menu bar: the recent-project entries of the File menu, the
// "Ti&p of the Day..." item of the Help menu, and the toolbar images beside the commands
// that have a toolbar button (Exit has its own).

#include <windows.h>

#include <string>
#include <vector>

namespace gd {

inline constexpr wchar_t kTipOfTheDayText[] = L"Ti&p of the Day...";

// Puts "Ti&p of the Day..." first in the "&Help" menu unless it is there already; makes
// a "&Help" menu holding only that item when the bar has none. True when it changed the
// bar.
bool EnsureTipOfTheDayItem(HWND frame, HMENU bar);

// Replaces the recent-project entries of the "&File" menu by `paths` (most recent first),
// or by the disabled placeholder "Recent File" when there are none.
void SetRecentEntries(HMENU bar, const std::vector<std::string>& paths);

// The text of a menu item by position.
std::wstring MenuItemText(HMENU menu, int position);
// The popup of the bar whose text is `text`, or nullptr.
HMENU FindPopup(HMENU bar, const wchar_t* text);

// The bitmaps shown beside menu items, owned for the menu's life.
class MenuImages {
public:
    MenuImages() = default;
    ~MenuImages();
    MenuImages(const MenuImages&) = delete;
    MenuImages& operator=(const MenuImages&) = delete;

    // Sets the images of every command in `bar` that has one, at the size for `dpi`.
    void Attach(HINSTANCE instance, HMENU bar, UINT dpi);
    // The bitmap an item shows, or nullptr.
    static HBITMAP ItemImage(HMENU bar, UINT command);

private:
    void Drop();
    std::vector<HBITMAP> bitmaps_;
};

}  // namespace gd
