#pragma once
// CEffectView: page 5 of the main window. The user ticks the transition effects the
// screensaver may use and watches any of them demonstrated: a click on a row plays that
// effect in the demonstration pane on two sample pictures, its name under the pane.
//
// Ticking a box changes only the list; the project takes the ticks over when the page is
// stored, and is marked modified only when a tick differs from it. "Select all" and
// "Clear all" tick or clear every row and mark the project modified at once.

#include <windows.h>

#include <memory>

#include "maker/win32/effect_demo_pane.h"
#include "maker/win32/frame_page.h"
#include "win32/dialog_window.h"
#include "win32/list_page.h"

namespace gd {

class CEffectView final : public DialogWindow, public FramePage {
public:
    explicit CEffectView(PageContext context) : context_(std::move(context)) {}
    ~CEffectView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }

    void LoadFromProject() override;
    void StoreToProject() override;
    void ResetForNewProject() override;
    // Preview and Make stop the demonstration; it plays again when they end.
    void StopPlaying() override;
    void ResumePlaying() override;
    // Hidden, the page stops its demonstration; shown again, it plays the selected
    // effect again if it played when the page was left.
    void Show(bool visible) override;

    // The commands, also for tests.
    void SelectRow(int row);
    void SetAllChecks(bool checked);

    HWND list() const;
    int selected_row() const { return selected_; }
    EffectDemoPane& demo() { return demo_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void SetUpOnce();
    void SetButtonIcons();
    void OnListNotify(const NMHDR& header);
    void OnRowSelected(int row);

    PageContext context_;
    EffectDemoPane demo_;
    int selected_ = -1;
    bool set_up_ = false;
    bool resume_ = false;
    bool reselecting_ = false;
    HICON icons_[2] = {};
    ControlTips tips_;
};

}  // namespace gd
