#pragma once
// A page of the main window: a child window bound to the open project. The General page
// is built in; the Pictures, Music, Settings and Effects pages plug in through
// MakerServices::make_page as small classes of the same shape.

#include <windows.h>

#include <functional>

#include "maker/ui/page_switcher.h"
#include "maker/win32/maker_services.h"

namespace gd {

class CScreenSaverDoc;

// What a page gets when the frame makes it.
struct PageContext {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;  // the parent of the page
    CScreenSaverDoc* doc = nullptr;
    MakerServices* services = nullptr;
};

class FramePage : public ProjectView {
public:
    virtual HWND hwnd() const = 0;
    void Show(bool visible) override { ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE); }
};

}  // namespace gd
