#pragma once
// The Linux text renderer: fonts found through fontconfig (a missing face falls back to
// the closest installed one, a blank face to sans-serif) and drawn with FreeType,
// anti-aliased, blended over the target. Bold and italic are synthesised when the matched
// face lacks them. UTF-8 text takes each character the font lacks from the closest
// installed font that has it (fontconfig's order), as the platform's font linking does on
// Windows; ANSI text is drawn from the font alone, as it always was. Native build only.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "raster/text_renderer.h"

namespace gd {

class FreeTypeTextRenderer : public TextRenderer {
public:
    FreeTypeTextRenderer();
    ~FreeTypeTextRenderer() override;
    FreeTypeTextRenderer(const FreeTypeTextRenderer&) = delete;
    FreeTypeTextRenderer& operator=(const FreeTypeTextRenderer&) = delete;

    void DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect, unsigned format,
                  const LogFont& font, ColorRef color) override;

    // The file fontconfig chose for `font` (empty when none): lets callers and tests see
    // which face a LogFont resolves to.
    std::string ResolveFontFile(const LogFont& font) const;

private:
    int LineWidth(std::u32string_view line, TextForm form);
    void DrawLine(Bitmap& target, std::u32string_view line, TextForm form, int x, int baseline, uint32_t color,
                  const Rect& clip);

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace gd
