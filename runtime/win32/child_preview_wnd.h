#pragma once
// The small preview inside the host's screensaver page: a child window filling the
// host window, showing the pictures without captions, banner, music or input handling.

#include <windows.h>

#include <memory>

#include "common/saver_config.h"
#include "runtime/resource_source.h"
#include "player/win32/window_show.h"
#include "win32/state_window.h"

namespace gd {

class CChildPreviewWnd {
public:
    // nullptr when `parent` is not a window or the child cannot be created. The window
    // deletes itself when it is destroyed, which ends the message loop.
    static CChildPreviewWnd* Create(HINSTANCE instance, HWND parent, const SaverConfig& config,
                                    std::shared_ptr<const ResourceSource> source);
    HWND hwnd() const { return window_; }

private:
    CChildPreviewWnd() = default;
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    // The paint (black until the show thread draws, then what it drew) and the timers are
    // the show's; the show ends before the window goes, and ends the message loop.
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroy(HWND);

    HWND window_ = nullptr;
    std::unique_ptr<WindowShow> show_;
};

}  // namespace gd
