#pragma once
// A dialog made from a template, with one state object per window (the object derived
// from DialogWindow, found through the window's user data). The same object runs modal
// (the programs) or modeless (child pages, and tests that drive a dialog by messages).

#include <windows.h>

#include <optional>

namespace gd {

class DialogWindow {
public:
    DialogWindow() = default;
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs template `template_id` of `instance` modally; the result given to End(), or -1
    // when the dialog cannot be made.
    INT_PTR RunModal(HINSTANCE instance, int template_id, HWND owner);
    // Makes it modeless as a child or owned window of `parent`; nullptr on failure.
    HWND CreateModeless(HINSTANCE instance, int template_id, HWND parent);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    // The result a modeless dialog ended with, once it ended.
    std::optional<INT_PTR> result() const { return result_; }

protected:
    // Ends the dialog: EndDialog when modal, DestroyWindow when modeless.
    void End(INT_PTR result);
    // The dialog procedure of this window: TRUE when handled (with the result set by
    // SetDlgMsgResult where the message has one), FALSE for the default handling.
    virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
    std::optional<INT_PTR> result_;
};

}  // namespace gd
