#pragma once
// The navigation pane on the left of the main window: five toggle buttons, General,
// Pictures, Music, Settings and Effects from the top, each 112x68 (at 96 DPI) with a
// 48x48 icon over its caption, on RGB(200,200,200) (in a high-contrast theme: the theme's
// button colours, the shown page's button in its highlight). Exactly one is checked: the button
// of the page shown. A click on another button tells the parent with WM_COMMAND
// (kNavigationCommandBase + page); a click on the checked one does nothing. From the
// keyboard the pane is one stop of the frame's Tab order (the checked button), and the
// arrow keys move through it.

#include <windows.h>

#include <array>

#include "win32/state_window.h"

namespace gd {

inline constexpr int kNavigationCommandBase = 2000;  // + page number 1..5
inline constexpr COLORREF kNavigationColor = RGB(200, 200, 200);

class CNavigationBar {
public:
    CNavigationBar() = default;
    ~CNavigationBar();
    CNavigationBar(const CNavigationBar&) = delete;
    CNavigationBar& operator=(const CNavigationBar&) = delete;

    bool Create(HINSTANCE instance, HWND parent, int id);
    HWND hwnd() const { return window_; }
    HWND Button(int page) const;

    // Checks the button of `page` and clears the others.
    void SetChecked(int page);
    int checked() const { return checked_; }
    int hovered() const { return hovered_; }

    // The pane's width at the window's DPI.
    int Width() const;
    // Sizes and icons for a new DPI.
    void UpdateForDpi();

private:
    class ButtonAccessible;
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND, int control, HWND, UINT code);
    void OnDrawItem(HWND, const DRAWITEMSTRUCT* item) { DrawButton(*item); }
    BOOL OnEraseBkgnd(HWND, HDC dc);
    // Up and Left go to the previous page's button, Down and Right to the next (round),
    // Home and End to the first and last; the page follows.
    void OnArrowKey(int page, UINT key);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void SetHovered(int page);
    // The ground of the pane: its grey, or the theme's button face in high contrast.
    void UpdateColors();
    void LoadIcons();
    void DropResources();

    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<HWND, 6> buttons_{};
    std::array<HICON, 6> icons_{};
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    UINT dpi_ = 96;
    int checked_ = 1;
    int hovered_ = 0;
    int id_ = 0;
};

}  // namespace gd
