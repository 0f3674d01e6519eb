#include "win32/gdi_text_renderer.h"

#include <cstring>

#include "win32/gdi_text.h"

namespace gd {
namespace {

void CopyPixels(const Bitmap& from, Bitmap& to) {
    for (int y = 0; y < from.height(); ++y) std::memcpy(to.row(y), from.row(y), size_t(from.width()) * sizeof(Pixel));
}

}  // namespace

void GdiTextRenderer::DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect,
                               unsigned format, const LogFont& font, ColorRef color) {
    if (target.empty()) return;
    // The text-format values are the platform's own DT_* flags.
    if (target.data() == frame_.View().data()) {
        GdiFlush();  // the frame was written through its pixels
        DrawGdiText(frame_.dc(), font, color, rect, text, form, format);
        GdiFlush();
        return;
    }
    if (!scratch_ || scratch_->width() != target.width() || scratch_->height() != target.height()) {
        scratch_ = std::make_unique<DibSurface>(target.width(), target.height());
    }
    Bitmap scratch = scratch_->View();
    if (scratch.empty()) return;
    CopyPixels(target, scratch);
    GdiFlush();
    DrawGdiText(scratch_->dc(), font, color, rect, text, form, format);
    GdiFlush();
    CopyPixels(scratch, target);
}

}  // namespace gd
