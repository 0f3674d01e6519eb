#pragma once
// The three pages of the settings dialog, each a child dialog of the tab control made
// from its own template.

#include <windows.h>

#include <functional>
#include <optional>

#include "common/saver_config.h"
#include "runtime/win32/saver_info.h"
#include "win32/color_swatch.h"
#include "win32/common_dialogs.h"
#include "win32/dialog_window.h"
#include "win32/link_label.h"
#include "win32/prompter.h"

namespace gd {

// The platform's colour chooser: the chosen colour, or nothing when cancelled.
using ColorChooser = std::function<std::optional<COLORREF>(HWND owner, COLORREF initial)>;
// The real one is ChooseColorFullyOpen (win32/common_dialogs.h).

// "Gerneral": the screensaver's information and the link to the maker. Nothing here is
// saved.
class CAboutPage final : public DialogWindow {
public:
    CAboutPage(const SaverConfig& config, Prompter& prompter) : config_(config), prompter_(prompter) {}
    const CLinkLabel& maker_link() const { return maker_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    const SaverConfig& config_;
    Prompter& prompter_;
    SaverInfoLinks links_;
    CLinkLabel maker_;
};

// "Settings": timing, picture handling, music, exit conditions and background colour.
class COptionsPage final : public DialogWindow {
public:
    COptionsPage(const SaverConfig& config, ColorChooser choose_color)
        : config_(config), choose_color_(std::move(choose_color)) {}
    // Stores every control's value into `config`.
    void Save(SaverConfig& config) const;
    COLORREF background() const { return swatch_.color(); }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();

    const SaverConfig& config_;
    ColorChooser choose_color_;
    CColorSwatch swatch_;
};

// "Effects": one checked row per effect that the show may use.
class CEffectsPage final : public DialogWindow {
public:
    explicit CEffectsPage(const SaverConfig& config) : config_(config) {}
    // Flag bytes 1..44 from the rows' check marks; the other bytes stay.
    void Save(SaverConfig& config) const;

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void OnListClick();

    const SaverConfig& config_;
    // The row selected by the last click on a row; -1 (every row) before any.
    int remembered_row_ = -1;
};

}  // namespace gd
