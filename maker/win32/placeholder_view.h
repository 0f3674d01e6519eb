#pragma once
// A page that this version of the maker does not have yet: it says so on the page and
// leaves the project alone.

#include "maker/win32/frame_page.h"
#include "win32/dialog_window.h"

namespace gd {

class CPlaceholderView final : public DialogWindow, public FramePage {
public:
    CPlaceholderView(PageContext context, int page) : context_(std::move(context)), page_(page) {}
    ~CPlaceholderView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }
    void LoadFromProject() override {}
    void StoreToProject() override {}

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    PageContext context_;
    int page_;
    HFONT title_font_ = nullptr;
};

}  // namespace gd
