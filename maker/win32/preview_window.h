#pragma once
// PreviewWindow: the maker's full-screen preview of the open project. A top-most popup,
// black, without a mouse pointer, that plays the project with the made screensaver's own
// shows (player/win32/window_show.h over the picture files) and its music straight from
// the music files, until an exit event closes it. It follows the project's monitor mode:
// over the primary screen alone in mode 0 (the other monitors keep the maker), over every
// monitor with a show on each in the others, as the screensaver will; when the monitors
// change it takes their new layout. The sequencing is the player's session
// (player/saver_session.h), as in the screensaver.
//
// Timers: 66 starts the show 10 ms after set-up; 77 starts the music half a second after
// it; 99 checks the music once a second; 101 and 102 watch the monitors. Close is the
// only way out, in the session's order: window hidden, timers killed, show threads
// stopped (waited for within a bound), music closed, then the window destroys itself (and
// the preview thread, whose main window it is, ends with it).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "common/media_player.h"
#include "maker/preview/preview_exit_rules.h"
#include "maker/preview/preview_session.h"
#include "player/monitor_sharing.h"
#include "player/saver_session.h"
#include "player/screen_layout.h"
#include "player/win32/monitor_watch.h"
#include "player/win32/session_window.h"
#include "player/win32/window_show.h"
#include "raster/geometry.h"
#include "win32/state_window.h"

namespace gd {

struct PreviewWindowOptions {
    // Where the window goes, in screen coordinates, with one show over all of it; unset:
    // as the plan's monitor mode says (PreviewLayout).
    std::optional<Rect> rect;
    // Where the window and its shows go in a monitor mode, now and after the monitors
    // changed; unset: PreviewLayout over the platform's monitors.
    std::function<ScreenLayout(MonitorMode mode)> layouts;
    // The music's back end; unset: the media control interface.
    std::unique_ptr<MediaPlayer> media;
    // The show thread's random seed; unset: the time, as in the screensaver.
    std::optional<uint32_t> seed;
    // The window activated again when the preview closes (the maker's).
    HWND return_to = nullptr;
    // Told the session's steps of closing ("window hidden", "show stopped", ...) and
    // "window destroyed" on the preview's thread: for tests.
    std::function<void(std::string_view step)> on_step;
};

class PreviewWindow {
public:
    static constexpr UINT_PTR kShowTimerId = 66;
    static constexpr UINT_PTR kMusicStartTimerId = 77;
    static constexpr UINT_PTR kMusicTimerId = 99;
    static constexpr UINT_PTR kMusicPrepareTimerId = 100;  // unused: the files play as they are
    // The monitor watch's timers (player/win32/monitor_watch.h).
    static constexpr UINT_PTR kRelayoutTimerId = 101;
    static constexpr UINT_PTR kMonitorCheckTimerId = 102;
    // Posted by another thread to close the preview.
    static constexpr UINT kCloseRequest = WM_APP + 66;
    // Posted to itself once made: takes the keyboard (see TakeKeyboard).
    static constexpr UINT kTakeKeyboard = WM_APP + 67;

    // Makes the window on the calling thread, which must run its messages, and sets it
    // up; nullptr when the window cannot be made. The object deletes itself when its
    // window is destroyed, and posts the thread's quit message then.
    static PreviewWindow* Create(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options);

    // The preview's layout over the platform's monitors: the primary screen alone, one
    // show over it, in mode 0; the screensaver's full-screen layout in the others.
    static ScreenLayout PreviewLayout(MonitorMode mode);

    HWND hwnd() const { return window_; }
    WindowShow& show() { return *show_; }
    PreviewMusicPlayer& music() { return music_->player(); }
    const PreviewExitRules& exit_rules() const { return exit_; }
    const ScreenLayout& layout() const { return layout_; }
    bool closing() const { return session_ && session_->closing(); }

private:
    PreviewWindow(PreviewPlan plan, PreviewWindowOptions options, ScreenLayout layout);
    ~PreviewWindow();
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(HWND, UINT id);
    BOOL OnEraseBkgnd(HWND, HDC) { return TRUE; }  // WM_PAINT covers everything
    void OnPaint(HWND);
    void OnClose(HWND);
    void OnDestroy(HWND);

    void Setup();
    ScreenLayout LayoutNow() const;
    void Relayout();
    void TakeKeyboard();
    void Step(std::string_view step) const;

    HWND window_ = nullptr;
    PreviewPlan plan_;
    PreviewWindowOptions options_;
    PreviewExitRules exit_;
    ScreenLayout layout_;
    std::unique_ptr<MonitorWatch> monitors_;
    // Destroyed in reverse order: the session first, then the show, then the music's
    // device.
    std::unique_ptr<MediaPlayer> media_;
    std::unique_ptr<WindowSession> window_side_;
    std::unique_ptr<WindowShow> show_;
    PreviewMusic* music_ = nullptr;  // owned by the session
    std::unique_ptr<SaverSession> session_;
};

}  // namespace gd
