#pragma once
// CSettingView: page 4 of the main window. It edits the show's settings: the pause after
// each picture and the effects' duration, picture shuffling, sizing and movement, the
// pause after each track, music shuffling and muting, the mouse and keyboard events that
// end the screensaver, the background colour and the banner (text, font, colour and
// position).
//
// The values reach the project only when the page is stored. The user's edits (a box
// clicked, a list entry chosen, the banner typed, a colour or font chosen, "Default")
// mark the project modified at once; loading and storing do not.

#include <windows.h>

#include <string>
#include <vector>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "maker/project/param_data.h"
#include "maker/ui/fit_choices.h"
#include "maker/win32/character_limit.h"
#include "maker/win32/frame_page.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/color_swatch.h"
#include "win32/dialog_window.h"
#include "win32/list_page.h"

namespace gd {

class CSettingView final : public DialogWindow, public FramePage {
public:
    explicit CSettingView(PageContext context) : context_(std::move(context)) {}
    ~CSettingView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }

    void LoadFromProject() override;
    void StoreToProject() override;

    // The commands of the page's buttons, also for tests.
    void ChangeBackground();
    void DefaultBackground();
    void ChooseBannerFont();
    void FocusBanner();

    // What the page holds for the parts that are not plain controls.
    ColorRef background() const { return ColorRef(swatch_.color()); }
    const LogFont& banner_font() const { return banner_font_; }
    ColorRef banner_color() const { return banner_color_; }
    // The note under the banner; empty when the screensaver can hold the banner.
    std::wstring banner_note() const;

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void OnCommand(int id, int code);
    void SetButtonIcons();
    void DrawSample(const DRAWITEMSTRUCT& item);
    void BannerChanged();
    void MarkModified();
    // The box pictures are fitted into when made: its list, shown and stored.
    void ShowFitBox(const CParamData& project);
    void StoreFitBox(CParamData& project) const;

    PageContext context_;
    CColorSwatch swatch_;
    LogFont banner_font_;
    ColorRef banner_color_ = 0xFFFFFF;
    HICON button_icons_[3] = {};
    ControlTips tips_;
    bool first_load_ = true;
    bool loading_ = false;
    CharacterLimit banner_limit_{IDC_BANNER_TEXT, kMaxBanner};
    std::vector<FitChoice> fit_choices_;  // the fit list's entries, in its order
};

}  // namespace gd
