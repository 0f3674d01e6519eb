#include "win32/dialog_window.h"

namespace gd {

DialogWindow::~DialogWindow() {
    // A modeless dialog outliving its object would call into freed memory.
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        if (!modal_) DestroyWindow(hwnd_);
    }
}

INT_PTR DialogWindow::RunModal(HINSTANCE instance, int template_id, HWND owner) {
    modal_ = true;
    result_.reset();
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(template_id), owner, &DialogWindow::Procedure,
                           LPARAM(this));
}

HWND DialogWindow::CreateModeless(HINSTANCE instance, int template_id, HWND parent) {
    modal_ = false;
    result_.reset();
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(template_id), parent, &DialogWindow::Procedure,
                              LPARAM(this));
}

void DialogWindow::End(INT_PTR result) {
    result_ = result;
    if (modal_) {
        EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lparam);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, DWLP_USER, LONG_PTR(self));
    }
    if (!self) return FALSE;
    INT_PTR handled = self->OnMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return handled;
}

}  // namespace gd
