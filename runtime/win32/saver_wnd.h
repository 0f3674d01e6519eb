#pragma once
// The full-screen show window: the show, its music and the rules that end it.

#include <windows.h>

#include <memory>

#include "common/saver_config.h"
#include "runtime/exit_rules.h"
#include "runtime/music_list.h"
#include "runtime/music_timer.h"
#include "runtime/resource_source.h"
#include "runtime/screen_layout.h"
#include "win32/mci_player.h"
#include "win32/window_show.h"

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

private:
    CSaverWnd(const SaverConfig& config, std::shared_ptr<const ResourceSource> source, const Rect& stage);
    ~CSaverWnd();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

    void OnCreate();
    void StartMusicAndShow();
    void StartShow();
    void OnTimer(UINT_PTR id);
    // True when the input was handled by asking the show to close.
    bool OnInput(SaverInput input);
    void RequestClose();
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
    bool show_pending_ = false;
    bool show_start_scheduled_ = false;
    // Destroyed in reverse order: the show first, then the music objects.
    CMciPlayer player_;
    std::unique_ptr<CMusicList> music_;
    std::unique_ptr<OneShotTimer> prepare_timer_;
    std::unique_ptr<MusicTimer> music_timer_;
    std::unique_ptr<WindowShow> show_;
};

}  // namespace gd
