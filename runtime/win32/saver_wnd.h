#pragma once
// The full-screen show window: a thin adapter of the show's session to a window. Its
// messages become the session's input and timers; the exit rules and the password check
// of the screensaver decide when it ends.

#include <windows.h>

#include <memory>

#include "common/saver_config.h"
#include "player/saver_session.h"
#include "player/win32/session_window.h"
#include "player/win32/window_show.h"
#include "runtime/exit_rules.h"
#include "runtime/resource_source.h"
#include "runtime/screen_layout.h"
#include "win32/mci_player.h"

namespace gd {

class CSaverWnd {
public:
    // Creates the top-most window over every monitor and starts music and show on the
    // primary one; nullptr when the window cannot be created. The window deletes itself
    // when it is destroyed.
    static CSaverWnd* Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source);
    // The same over a given layout: `layout.window` in screen coordinates, the show in
    // `layout.stage`.
    static CSaverWnd* Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source, const ScreenLayout& layout);
    HWND hwnd() const { return hwnd_; }
    SaverSession& session() { return *session_; }

    // The window's timer ids of the session's timers.
    static constexpr SessionTimerIds kTimerIds{101, 102, 99, 100};

private:
    CSaverWnd(const SaverConfig& config, std::shared_ptr<const ResourceSource> source, const Rect& stage);
    ~CSaverWnd();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

    void OnCreate();
    void StartMusicAndShow();
    bool EndsShow(ShowInput input);
    // False when the close message must not close the window.
    bool OnClose();
    void OnDestroy();

    HWND hwnd_ = nullptr;
    const SaverConfig config_;
    std::shared_ptr<const ResourceSource> source_;
    const Rect stage_;  // where the show plays, in client coordinates
    ExitFlags flags_;
    ExitState exit_;
    int major_version_ = 0;
    // Destroyed in reverse order: the session first, then the show, then the music's
    // device.
    CMciPlayer player_;
    std::unique_ptr<WindowSession> window_side_;
    std::unique_ptr<WindowShow> show_;
    std::unique_ptr<SaverSession> session_;
};

}  // namespace gd
