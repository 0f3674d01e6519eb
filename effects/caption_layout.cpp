#include "effects/caption_layout.h"

#include "common/text_trim.h"

namespace gd {

unsigned CaptionFormat(int32_t position) {
    static constexpr unsigned kFormats[9] = {
        kTextLeft | kTextTop,
        kTextCenter | kTextTop,
        kTextRight | kTextTop,
        kTextLeft | kTextVCenter | kTextSingleLine,
        kTextCenter | kTextVCenter | kTextSingleLine,
        kTextRight | kTextVCenter | kTextSingleLine,
        kTextLeft | kTextBottom | kTextSingleLine,
        kTextCenter | kTextBottom | kTextSingleLine,
        kTextRight | kTextBottom | kTextSingleLine,
    };
    if (position < 0 || position > 8) position = 0;
    return kFormats[position] | kTextNoClip;
}

unsigned BannerFormat(int32_t position) {
    switch (position) {
    case 0: return kTextCenter | kTextTop | kTextNoClip;
    case 1: return kTextCenter | kTextBottom | kTextSingleLine | kTextNoClip;
    default: return kTextLeft | kTextTop | kTextNoClip;
    }
}

void DrawInsetText(TextRenderer& renderer, Bitmap& target, std::string_view text, TextForm form, const Rect& area,
                   int inset, unsigned format, const LogFont& font, ColorRef color) {
    std::string_view trimmed = TrimWhiteSpace(text);
    if (trimmed.empty()) return;
    Rect r{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    renderer.DrawText(target, trimmed, form, r, format, font, color);
}

}  // namespace gd
