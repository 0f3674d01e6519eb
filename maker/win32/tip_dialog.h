#pragma once
// The "Tip of the Day" dialog over a TipOfTheDay: a white panel with the bulb, the
// header, the tip and the footer, the "&Show Tips on StartUp" box, "&Next Tip" and
// "&Close".

#include <string>

#include "maker/ui/tip_of_the_day.h"
#include "win32/dialog_window.h"

namespace gd {

// <program folder>\data\Tips.txt
std::string TipsFilePath(const std::string& program_folder);

class CTipDlg final : public DialogWindow {
public:
    explicit CTipDlg(TipOfTheDay& tips) : tips_(tips) {}
    ~CTipDlg() override;
    INT_PTR Run(HINSTANCE instance, HWND owner);
    HWND CreateForTest(HINSTANCE instance, HWND owner);

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void ShowTip();
    void OnPaint();
    void DrawBulb(const DRAWITEMSTRUCT& item);

    TipOfTheDay& tips_;
    HINSTANCE instance_ = nullptr;
    HFONT header_font_ = nullptr;
    HBITMAP bulb_ = nullptr;
};

}  // namespace gd
