#include "maker/cli/label_text.h"
#include "win32/gdi_text_renderer.h"

namespace gd::cli {

namespace {

// GDI text needs a surface to draw on; the sheet is not one, so every label goes through
// the renderer's scratch surface and this frame stays unused.
class LabelText : public TextRenderer {
public:
    LabelText() : frame_(1, 1), gdi_(frame_) {}
    void DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect, unsigned format,
                  const LogFont& font, ColorRef color) override {
        gdi_.DrawText(target, text, form, rect, format, font, color);
    }

private:
    DibSurface frame_;
    GdiTextRenderer gdi_;
};

}  // namespace

std::unique_ptr<TextRenderer> NewLabelTextRenderer() { return std::make_unique<LabelText>(); }

}  // namespace gd::cli
