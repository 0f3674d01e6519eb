#pragma once
// The screensaver's settings dialog: a tab control with the pages "Gerneral" (about),
// "Settings" (options) and "Effects"; OK stores the pages' values into the process-wide
// configuration and writes the settings file.

#include <windows.h>

#include <array>

#include "common/profile_store.h"
#include "common/saver_config.h"
#include "common/saver_settings_file.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/settings_pages.h"
#include "win32/dialog_window.h"
#include "win32/prompter.h"

namespace gd {

struct SettingsDialogContext {
    HINSTANCE instance = nullptr;  // the module with the templates and the icon
    SaverConfig* config = nullptr; // the process-wide configuration; OK writes into it
    ProfileStore* store = nullptr;
    SettingsFolders folders;
    Prompter* prompter = nullptr;
    ColorChooser choose_color = ChooseColorFullyOpen;
};

class CSettingsDlg final : public DialogWindow {
public:
    explicit CSettingsDlg(SettingsDialogContext context);
    ~CSettingsDlg() override;

    INT_PTR DoModal(HWND owner) { return RunModal(context_.instance, IDD_SETTINGS, owner); }
    HWND Create(HWND owner) { return CreateModeless(context_.instance, IDD_SETTINGS, owner); }

    static constexpr int kPageCount = 3;
    HWND page(int index) const { return pages_[size_t(index)]->hwnd(); }
    int shown_page() const { return shown_; }
    const COptionsPage& options() const { return options_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void PlacePages();
    void OnTabMouseDown();
    void ShowPage(int index);
    void OnOK();
    bool PaintMinimised();
    static LRESULT CALLBACK TabProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR self);

    SettingsDialogContext context_;
    CAboutPage about_;
    COptionsPage options_;
    CEffectsPage effects_;
    std::array<DialogWindow*, kPageCount> pages_;
    int shown_ = 0;
    HICON large_icon_ = nullptr;
    HICON small_icon_ = nullptr;
};

}  // namespace gd
