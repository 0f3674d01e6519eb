#pragma once
// What a platform gives a show to draw on: the window buffer (what the window shows once
// presented), the frame in which the next screen is composed, the presenter that pushes
// the window buffer to the real window, and a text renderer for captions and the banner.
//
// The show owns its surface for as long as its thread may draw: a show thread that is
// left to finish a decode after its window went (ShowHost::StopWithin) still holds it,
// so a surface must not depend on its window for anything but presenting.

#include "raster/bitmap.h"
#include "raster/presenter.h"
#include "raster/text_renderer.h"

namespace gd {

class ShowSurface {
public:
    virtual ~ShowSurface() = default;
    // Views of memory the surface owns, valid as long as it. The frame may be empty: the
    // stage then allocates one of the window buffer's size.
    virtual Bitmap WindowBuffer() = 0;
    virtual Bitmap Frame() = 0;
    // Either may be null: nothing presented (tests read the window buffer), no text.
    virtual Presenter* presenter() = 0;
    virtual TextRenderer* text() = 0;
    // The show's place in its window moved to `origin` (client coordinates), its size
    // unchanged: a window over several monitors whose layout changed. Any thread may
    // present meanwhile; the next present goes to the new place.
    virtual void MoveTo(Point) {}
};

// A surface in plain memory: for tests, tools and platforms that present from memory.
class MemoryShowSurface final : public ShowSurface {
public:
    MemoryShowSurface(int width, int height, Presenter* presenter = nullptr, TextRenderer* text = nullptr)
        : window_(width, height), presenter_(presenter), text_(text) {}
    Bitmap WindowBuffer() override { return Bitmap::View(window_.data(), window_.width(), window_.height(), window_.stride()); }
    Bitmap Frame() override { return {}; }
    Presenter* presenter() override { return presenter_; }
    TextRenderer* text() override { return text_; }

private:
    Bitmap window_;
    Presenter* presenter_;
    TextRenderer* text_;
};

}  // namespace gd
