#pragma once
// PreviewWindow: the maker's full-screen preview of the open project. A top-most popup
// over the primary screen, black, without a mouse pointer, that plays the project with
// the made screensaver's own show (win32/window_show.h over the picture files) and its
// music straight from the music files, until an exit event closes it.
//
// Timers: 66 starts the show 10 ms after set-up; 77 starts the music half a second after
// it; 99 checks the music once a second. Close is the only way out: timers killed, show
// thread stopped and joined, music closed, then the window destroys itself (and the
// preview thread, whose main window it is, ends with it).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "common/media_player.h"
#include "maker/preview/preview_exit_rules.h"
#include "maker/preview/preview_music_player.h"
#include "maker/preview/preview_plan.h"
#include "raster/geometry.h"
#include "win32/window_show.h"

namespace gd {

struct PreviewWindowOptions {
    // Where the window goes, in screen coordinates; unset: the primary screen.
    std::optional<Rect> rect;
    // The music's back end; unset: the media control interface.
    std::unique_ptr<MediaPlayer> media;
    // The show thread's random seed; unset: the time, as in the screensaver.
    std::optional<uint32_t> seed;
    // The window activated again when the preview closes (the maker's).
    HWND return_to = nullptr;
    // Told "show stopped", "window destroyed" on the preview's thread: the steps of
    // closing, for tests.
    std::function<void(std::string_view step)> on_step;
};

class PreviewWindow {
public:
    static constexpr UINT_PTR kShowTimerId = 66;
    static constexpr UINT_PTR kMusicStartTimerId = 77;
    static constexpr UINT_PTR kMusicTimerId = 99;
    // Posted by another thread to close the preview.
    static constexpr UINT kCloseRequest = WM_APP + 66;
    // Posted to itself once made: takes the keyboard (see TakeKeyboard).
    static constexpr UINT kTakeKeyboard = WM_APP + 67;

    // Makes the window on the calling thread, which must run its messages, and sets it
    // up; nullptr when the window cannot be made. The object deletes itself when its
    // window is destroyed, and posts the thread's quit message then.
    static PreviewWindow* Create(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options);

    HWND hwnd() const { return window_; }
    WindowShow& show() { return *show_; }
    PreviewMusicPlayer& music() { return *music_; }
    const PreviewExitRules& exit_rules() const { return exit_; }
    bool closing() const { return closing_; }

private:
    PreviewWindow(PreviewPlan plan, PreviewWindowOptions options);
    ~PreviewWindow();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

    void Setup();
    void TakeKeyboard();
    void OnTimer(UINT_PTR id);
    void MusicStep();
    void OnInput(PreviewInput input, Point cursor = {});
    void Close();
    void OnDestroy();
    void KillTimers();
    void Step(std::string_view step) const;

    HWND window_ = nullptr;
    PreviewPlan plan_;
    PreviewWindowOptions options_;
    PreviewExitRules exit_;
    // Destroyed in reverse order: the show first, then the music.
    std::unique_ptr<MediaPlayer> media_;
    std::unique_ptr<PreviewMusicPlayer> music_;
    std::unique_ptr<WindowShow> show_;
    bool closing_ = false;
};

}  // namespace gd
