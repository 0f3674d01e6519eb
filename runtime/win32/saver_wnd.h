#pragma once
// The full-screen show window: a thin adapter of the show's session to a window. Its
// messages become the session's input and timers; the exit rules and the password check
// of the screensaver decide when it ends.
//
// The window covers every monitor; the shows play on the monitors the monitor mode of
// the configuration names (player/screen_layout.h), one session over all of them. When
// the monitors change during the show (one plugged in, removed or rearranged, a DPI
// changed), the window takes the new layout (player/win32/monitor_watch.h) and the shows
// go on there.

#include <windows.h>

#include <functional>
#include <memory>

#include "common/saver_config.h"
#include "player/monitor_sharing.h"
#include "player/saver_session.h"
#include "player/win32/monitor_watch.h"
#include "player/win32/session_window.h"
#include "player/win32/window_show.h"
#include "runtime/exit_rules.h"
#include "runtime/resource_source.h"
#include "player/screen_layout.h"
#include "win32/mci_player.h"
#include "win32/state_window.h"

namespace gd {

class CSaverWnd {
public:
    // Where the window and its shows go: the platform's monitors in a mode.
    using LayoutSource = std::function<ScreenLayout(MonitorMode mode)>;

    // Creates the top-most window over every monitor and starts music and shows on the
    // monitors of the configuration's mode; nullptr when the window cannot be created. The
    // window deletes itself when it is destroyed.
    static CSaverWnd* Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source);
    // The same over the layouts `layouts` gives (the first now, the next at each change
    // of the monitors): `window` in screen coordinates, the shows in `stages`.
    static CSaverWnd* Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source, LayoutSource layouts);
    HWND hwnd() const { return window_; }
    SaverSession& session() { return *session_; }
    WindowShow& shows() { return *show_; }
    const ScreenLayout& layout() const { return layout_; }

    // The window's timer ids of the session's timers.
    static constexpr SessionTimerIds kTimerIds{101, 102, 99, 100};
    // The monitor watch's timers (player/win32/monitor_watch.h).
    static constexpr UINT_PTR kRelayoutTimerId = 103;
    static constexpr UINT_PTR kMonitorCheckTimerId = 104;

private:
    CSaverWnd(const SaverConfig& config, std::shared_ptr<const ResourceSource> source, LayoutSource layouts,
              ScreenLayout layout);
    ~CSaverWnd();
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnCreate(HWND, LPCREATESTRUCT);
    BOOL OnEraseBkgnd(HWND, HDC) { return TRUE; }  // WM_PAINT covers everything
    void OnPaint(HWND);
    void OnTimer(HWND, UINT id);
    void StartMusicAndShow();
    bool EndsShow(ShowInput input);
    // The monitors changed: the pointer's new place is no movement, and the layout is
    // taken again once they settle.
    void OnDisplayChange();
    // Takes the monitors' layout again, when it changed.
    void Relayout();
    // Closes the window unless the close message must not close it.
    void OnClose(HWND);
    bool MayClose();
    void OnDestroy(HWND);

    HWND window_ = nullptr;
    const SaverConfig config_;
    std::shared_ptr<const ResourceSource> source_;
    const LayoutSource layouts_;
    const MonitorMode mode_;
    ScreenLayout layout_;  // where the window and its shows are now
    std::unique_ptr<MonitorWatch> monitors_;
    ExitFlags flags_;
    ExitState exit_;
    int major_version_ = 0;
    // Destroyed in reverse order: the session first, then the shows, then the music's
    // device.
    CMciPlayer player_;
    std::unique_ptr<WindowSession> window_side_;
    std::unique_ptr<WindowShow> show_;
    std::unique_ptr<SaverSession> session_;
};

}  // namespace gd
