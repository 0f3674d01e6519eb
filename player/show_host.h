#pragma once
// ShowHost: one show, put together from the pieces every screen needs, over a surface
// and a picture source its platform gives it: the show settings, the stage, the frame
// source (pictures composed with their captions and the banner) and the runner of the
// show thread. The screensaver's windows, the maker's preview and demonstration, and the
// tools each make one over their own surface; none of them assembles the show itself.
//
// Stopping: Stop waits for the show thread as long as it takes; StopWithin gives up
// after a bound and leaves the thread to end on its own (a large picture's decode cannot
// be interrupted). Such a thread keeps every piece it uses alive until it ends, and its
// presents no longer reach the surface's presenter from the moment it was given up.
//
// Threads: the owner's thread calls everything here; the show thread only runs the show.

#include <cstdint>
#include <memory>

#include "effects/clock.h"
#include "effects/picture_source.h"
#include "effects/show_runner.h"
#include "effects/show_settings.h"
#include "effects/slide_stage.h"
#include "player/session_show.h"
#include "player/show_surface.h"

namespace gd {

class ShowHost final : public SessionShow {
public:
    // Without a clock, the platform's. The settings start with the values of a new show:
    // set them up before Start.
    ShowHost(std::unique_ptr<ShowSurface> surface, std::unique_ptr<PictureSource> pictures,
             std::unique_ptr<Clock> clock = nullptr);
    // Stops the show thread, waiting for it.
    ~ShowHost() override;
    ShowHost(const ShowHost&) = delete;
    ShowHost& operator=(const ShowHost&) = delete;

    // Only while the show thread is not running: the thread reads them.
    ShowSettings& settings();
    const ShowSettings& settings() const;
    ShowRunner& runner();
    SlideStage& stage();
    ShowSurface& surface();
    // What the window shows once presented; read it from any thread for repainting.
    const Bitmap& window_buffer() const;

    // Starts the show thread when there are pictures; with none nothing runs.
    void Start() override;
    // Stops the show thread, waiting for it, then clears a visible window to black.
    void Stop();
    // As Stop, waiting at most `ms`: true when the thread ended in time. Otherwise the
    // thread is given up (see above) and this show cannot be started again.
    bool StopWithin(uint32_t ms) override;
    // Asks the show thread to stop without waiting: several shows then stop together.
    void RequestStop();
    bool running() const;
    // Fills the stage black, in the window buffer and on the window. Does nothing while
    // the show thread runs.
    void Clear();

private:
    struct Core;
    std::shared_ptr<Core> core_;
    bool given_up_ = false;
};

}  // namespace gd
