#pragma once
// The main window's toolbar and status bar. The toolbar shows 32x32 images (one strip,
// black transparent) with captions under them, every button as large as New; hovering a
// button shows its tooltip and its prompt in the status bar. The status bar has a
// message pane ("Ready" when idle) and the CAP, NUM and SCRL indicators.

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace gd {

inline constexpr int kToolbarId = 59392;
inline constexpr int kStatusBarId = 59393;
inline constexpr int kNavigationBarId = 59394;

class FrameBars {
public:
    FrameBars() = default;
    ~FrameBars();
    FrameBars(const FrameBars&) = delete;
    FrameBars& operator=(const FrameBars&) = delete;

    bool Create(HINSTANCE instance, HWND frame);
    // Images and sizes for the frame's DPI.
    void UpdateForDpi();

    HWND toolbar() const { return toolbar_; }
    HWND status_bar() const { return status_; }
    int ToolbarHeight() const;
    int StatusBarHeight() const;
    // Puts the bars at the top and bottom of the frame's client area.
    void Layout();

    void SetMessage(const std::wstring& text);
    std::wstring Message() const;
    // The idle text "Ready".
    void ShowIdle();
    // Shows the prompt of a command (menu item or toolbar button).
    void ShowPrompt(UINT command);
    // CAP, NUM and SCRL follow the keyboard's lock keys.
    void UpdateIndicators();
    std::wstring Indicator(int pane) const;

    // Tooltips and hot buttons; true when handled (the result in *result).
    bool OnNotify(const NMHDR& header, LRESULT* result);
    // Status prompts while a menu is open.
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);

private:
    void AddButtons();
    void SetImages();
    void SetStatusParts();

    HINSTANCE instance_ = nullptr;
    HWND frame_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::wstring tooltip_;  // the text a tooltip request is answered with
};

}  // namespace gd
