#pragma once
// The show's text renderer on Windows: GDI text (ANSI text with CreateFontIndirectA and
// DrawTextA, as always; UTF-8 text with the wide functions) drawn straight into the show's frame, a DIB section GDI can draw into. Text for any
// other bitmap goes through a scratch DIB of the same size.

#include <memory>

#include "raster/text_renderer.h"
#include "win32/dib_surface.h"

namespace gd {

class GdiTextRenderer : public TextRenderer {
public:
    explicit GdiTextRenderer(const DibSurface& frame) : frame_(frame) {}
    void DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect, unsigned format,
                  const LogFont& font, ColorRef color) override;

private:
    const DibSurface& frame_;
    std::unique_ptr<DibSurface> scratch_;
};

}  // namespace gd
