#pragma once
// A test seam of every platform's screensaver: the same show, frame for frame, wherever
// it plays. Read once at start from the environment; when none of the variables is set
// nothing changes (no clock, no seed, no presenter of its own):
//
//   REELHOST_SEED=N              the show thread seeds its random generator with N
//                                instead of the calendar time
//   REELHOST_STEP_CLOCK=1        the show's clock stands still but for its own sleeps,
//                                so each transition steps through every pacing point
//                                whatever the machine's speed
//   REELHOST_CAPTURE=DIR         each present of the first REELHOST_CAPTURE_FRAMES
//                                (default 400) appends "INDEX HASH" to DIR/frames.txt
//                                (HASH: 64-bit FNV-1a of the window buffer's colours,
//                                row by row, in hexadecimal); every
//                                REELHOST_CAPTURE_EVERY-th (default 50) and the last are
//                                also written as DIR/frame-INDEX.ppm; DIR/done appears
//                                after the last
//
// The captured frame is the window buffer at the pacing point, what the presenter is
// about to push to the window.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "effects/clock.h"
#include "player/show_surface.h"
#include "raster/bitmap.h"

namespace gd {

struct ShowCaptureSettings {
    std::optional<uint32_t> seed;
    bool step_clock = false;
    std::string dir;  // empty: no capture
    int frames = 400;
    int every = 50;
};

// Nothing when none of the variables is set.
std::optional<ShowCaptureSettings> ShowCaptureFromEnvironment();

// The clock of a show under `settings`: a standing clock when asked for, else nothing
// (the platform's).
std::unique_ptr<Clock> CaptureClock(const ShowCaptureSettings& settings);

// `inner` with a presenter that records the frames as above before passing them on; the
// surface itself when no capture is asked for.
std::unique_ptr<ShowSurface> CapturingSurface(std::unique_ptr<ShowSurface> inner, const ShowCaptureSettings& settings);

// The 64-bit FNV-1a hash of the colours (the low 24 bits of each pixel) row by row.
uint64_t FrameHash(const Bitmap& frame);

// Writes `frame` as a binary PPM (P6); false when the file cannot be written.
bool WritePpm(const std::string& path, const Bitmap& frame);

}  // namespace gd
