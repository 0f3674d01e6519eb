#pragma once
// CGeneralView: page 1 of the main window. It edits the screensaver's name, author,
// e-mail address, home page, copyright and description, its icon, the output folder
// and whether a standard (.scr) or a self-installing (.exe) screensaver is made.

#include <windows.h>

#include <string>
#include <vector>

#include "maker/win32/character_limit.h"

#include "maker/win32/frame_page.h"
#include "win32/dialog_window.h"
#include "win32/list_page.h"

namespace gd {

class CGeneralView final : public DialogWindow, public FramePage {
public:
    explicit CGeneralView(PageContext context);
    ~CGeneralView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }

    void LoadFromProject() override;
    void StoreToProject() override;

    void FocusName();
    // The icon file the page shows (empty: the built-in icon) and whether its icon
    // could be loaded.
    const std::string& icon_path() const { return icon_path_; }
    bool ShowsBuiltInIcon() const { return shows_built_in_; }

    // The commands of the page's buttons, also for tests.
    void ChangeIcon();
    void UseDefaultIcon();
    void BrowseOutputFolder();

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void SizeIconDisplay();
    void OnCommand(int id, int code);
    void SetButtonIcons();
    // Shows the icon of `path`; false when it cannot be loaded (the built-in one shows).
    bool ShowIcon(const std::string& path);
    void DrawIcon(const DRAWITEMSTRUCT& item);
    void MarkModified();
    void DropIcons();

    PageContext context_;
    std::string icon_path_;
    HICON icon_ = nullptr;
    bool shows_built_in_ = true;
    HICON button_icons_[3] = {};
    ControlTips tips_;
    bool first_load_ = true;
    bool loading_ = false;
    std::vector<CharacterLimit> limits_;  // of the text fields, in their order
};

// A folder as the output folder field shows it: ending in one backslash.
std::string WithTrailingSeparator(std::string folder);

}  // namespace gd
