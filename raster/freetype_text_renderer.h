#pragma once
// The Linux text renderer: fonts found through fontconfig (a missing face falls back to
// the closest installed one, a blank face to sans-serif) and drawn with FreeType,
// anti-aliased, blended over the target. Bold and italic are synthesised when the matched
// face lacks them. Native build only.

#include <memory>

#include "raster/text_renderer.h"

namespace gd {

class FreeTypeTextRenderer : public TextRenderer {
public:
    FreeTypeTextRenderer();
    ~FreeTypeTextRenderer() override;
    FreeTypeTextRenderer(const FreeTypeTextRenderer&) = delete;
    FreeTypeTextRenderer& operator=(const FreeTypeTextRenderer&) = delete;

    void DrawText(Bitmap& target, std::string_view text, const Rect& rect, unsigned format, const LogFont& font,
                  ColorRef color) override;

    // The file fontconfig chose for `font` (empty when none): lets callers and tests see
    // which face a LogFont resolves to.
    std::string ResolveFontFile(const LogFont& font) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace gd
