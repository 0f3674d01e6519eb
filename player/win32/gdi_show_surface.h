#pragma once
// The show's surface on Windows: the window buffer and the frame as DIB sections (GDI
// draws the captions straight into the frame and blits from the window buffer), the GDI
// presenter and the GDI text renderer.

#include <windows.h>

#include "player/show_surface.h"
#include "raster/geometry.h"
#include "win32/dib_surface.h"
#include "win32/gdi_presenter.h"
#include "win32/gdi_text_renderer.h"

namespace gd {

class GdiShowSurface final : public ShowSurface {
public:
    // The show plays in `stage` of the window's client area (client coordinates).
    GdiShowSurface(HWND window, const Rect& stage)
        : window_buffer_(stage.width(), stage.height()),
          frame_(stage.width(), stage.height()),
          presenter_(window, window_buffer_, {stage.left, stage.top}),
          text_(frame_) {}

    Bitmap WindowBuffer() override { return window_buffer_.View(); }
    Bitmap Frame() override { return frame_.View(); }
    Presenter* presenter() override { return &presenter_; }
    TextRenderer* text() override { return &text_; }
    void MoveTo(Point origin) override { presenter_.set_origin(origin); }
    GdiPresenter& gdi_presenter() { return presenter_; }

private:
    DibSurface window_buffer_;
    DibSurface frame_;
    GdiPresenter presenter_;
    GdiTextRenderer text_;
};

}  // namespace gd
