#pragma once
// EffectDemoPane: the small window of the Effects page in which the chosen effect plays
// over and over on the two sample pictures, each brought in by the effect, then shown
// for a second. The same show as the screensaver's (player/win32/window_show.h), with the
// effect fixed and paced by the demonstration's short sleeps instead of the effect
// duration.
//
// The pane's ground (around the pictures, and while nothing plays) is black, or the
// theme's window colour in a high-contrast theme.
//
// Threads: the demonstration draws from its own thread; the page's thread only starts
// it, and stops it by setting the stop flag and waiting for the thread's end, after
// which it paints the pane's ground itself.

#include <windows.h>

#include <memory>
#include <string>

#include "player/win32/window_show.h"
#include "win32/state_window.h"

namespace gd {

class EffectDemoPane {
public:
    EffectDemoPane() = default;
    ~EffectDemoPane();
    EffectDemoPane(const EffectDemoPane&) = delete;
    EffectDemoPane& operator=(const EffectDemoPane&) = delete;

    // Makes the pane a visible child of `parent` exactly over the client area of the
    // control `frame_id`, and sets it up with the sample pictures of `program_folder`.
    bool Create(HINSTANCE instance, HWND parent, int frame_id, const std::string& program_folder);
    HWND hwnd() const { return window_; }
    bool ready() const { return ready_; }

    // Plays effect `id` (ids outside 1..44 show each picture at once). Another effect
    // than the one playing stops that one first and empties the pane; the effect that
    // is playing goes on undisturbed.
    void Demonstrate(int32_t id);
    // Stops the demonstration, waiting for its thread, and paints the pane's ground.
    void Stop();
    bool playing() const { return show_ && show_->running(); }
    // The effect last demonstrated (-1 before the first).
    int32_t effect() const { return show_ ? show_->settings().demo_effect : -1; }
    WindowShow* show() { return show_.get(); }

private:
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    // The paint and the timers are the show's (AnswerShowWindow).
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    void OnDestroy(HWND);
    void SetUp(const std::string& program_folder);

    HWND window_ = nullptr;
    std::unique_ptr<WindowShow> show_;
    bool ready_ = false;
};

}  // namespace gd
