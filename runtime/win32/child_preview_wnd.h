#pragma once
// The small preview inside the host's screensaver page: a child window filling the
// host window, showing the pictures without captions, banner, music or input handling.

#include <windows.h>

#include <memory>

#include "common/saver_config.h"
#include "runtime/resource_source.h"
#include "player/win32/window_show.h"

namespace gd {

class CChildPreviewWnd {
public:
    // nullptr when `parent` is not a window or the child cannot be created. The window
    // deletes itself when it is destroyed, which ends the message loop.
    static CChildPreviewWnd* Create(HINSTANCE instance, HWND parent, const SaverConfig& config,
                                    std::shared_ptr<const ResourceSource> source);
    HWND hwnd() const { return hwnd_; }

private:
    CChildPreviewWnd() = default;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    HWND hwnd_ = nullptr;
    std::unique_ptr<WindowShow> show_;
};

}  // namespace gd
