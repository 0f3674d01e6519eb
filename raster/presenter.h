#pragma once
// Pushes the window buffer to the real window. The show thread calls it with the
// rectangles that changed since the last present (inside the window buffer, not
// overlapping, never empty as a list); the window buffer is what the window is meant to
// show, so a presenter only copies (a DIB blit, a texture upload). Tests need none: they
// read the window buffer.
//
// Present runs on the show thread. It must not wait for the window's own thread (no
// SendMessage, no blocking queued call): that thread may be blocked in ShowRunner::Stop,
// waiting for the show thread to end.

#include <span>

#include "raster/bitmap.h"

namespace gd {

class Presenter {
public:
    virtual ~Presenter() = default;
    virtual void Present(const Bitmap& window, std::span<const Rect> dirty) = 0;
    // A hidden window is not cleared when the show stops.
    virtual bool IsVisible() const { return true; }
};

}  // namespace gd
