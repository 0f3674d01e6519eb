#pragma once
// Draws aligned text into a bitmap with a font described by a LogFont. Each platform
// brings its own renderer (FreeType on Linux, GDI on Windows); the show composes captions
// and the banner through this interface only.

#include <string_view>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "raster/bitmap.h"
#include "raster/text_form.h"

namespace gd {

// Layout flags; the values are those of the platform's text-drawing format flags, so a
// GDI renderer can pass them through.
enum TextFormat : unsigned {
    kTextLeft = 0x0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextTop = 0x0,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextSingleLine = 0x20,  // without it, lines break at line breaks only (no wrapping)
    kTextNoClip = 0x100,     // glyphs may run outside the rectangle (still inside the bitmap)
};

class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // Draws `text` into `target`, aligned in `rect` by `format`, in `color` on a
    // transparent background; `form` says how the text and font.face_name are held. A
    // single-line layout draws line breaks as nothing and keeps everything on one line.
    virtual void DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect, unsigned format,
                          const LogFont& font, ColorRef color) = 0;
};

}  // namespace gd
