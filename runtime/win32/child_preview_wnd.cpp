#include "runtime/win32/child_preview_wnd.h"

#include <windowsx.h>

#include "runtime/win32/resource_ids.h"
#include "runtime/win32/saver_show.h"

namespace gd {
namespace {

constexpr char kClassName[] = "ReelhostPreviewWnd";

}  // namespace

CChildPreviewWnd* CChildPreviewWnd::Create(HINSTANCE instance, HWND parent, const SaverConfig& config,
                                           std::shared_ptr<const ResourceSource> source) {
    if (!parent || !IsWindow(parent)) return nullptr;
    if (!RegisterShowWindowClass(instance, kClassName, &StateWindowProc<CChildPreviewWnd, StateOwner::kWindowDeletes>,
                                 LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr)) {
        return nullptr;
    }
    RECT client{};
    GetClientRect(parent, &client);
    auto* self = new CChildPreviewWnd();
    HWND hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right - client.left,
                                client.bottom - client.top, parent, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    self->show_ = MakeSaverShow(hwnd, config, std::move(source), ShowVariant::kPreview);
    self->show_->Start();
    return self;
}

LRESULT CChildPreviewWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; AnswerShowWindow(window_, show_.get(), message, wParam, result)) return result;
    switch (message) {
        HANDLE_MSG(window_, WM_DESTROY, OnDestroy);
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void CChildPreviewWnd::OnDestroy(HWND) {
    show_.reset();  // the show thread ends before the window goes
    PostQuitMessage(0);
}

}  // namespace gd
