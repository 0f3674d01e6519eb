#pragma once
// How captions and the banner sit on the screen.
//
// Caption positions (text inset 50 pixels from every edge of the stage):
//   0 top left     1 top centre     2 top right      multi-line
//   3 middle left  4 middle centre  5 middle right   single line
//   6 bottom left  7 bottom centre  8 bottom right   single line
// any other value draws as 0. Banner positions (inset 10 pixels): 0 top centre
// (multi-line), 1 bottom centre (single line), anything else top left (multi-line).
// Multi-line text breaks only at line breaks; nothing is clipped to the rectangle.

#include <cstdint>
#include <string_view>

#include "raster/text_renderer.h"

namespace gd {

constexpr int kCaptionInset = 50;
constexpr int kBannerInset = 10;

unsigned CaptionFormat(int32_t position);
unsigned BannerFormat(int32_t position);

// Draws `text` trimmed of surrounding white space, aligned by `format` in `area` shrunk by
// `inset`; an empty trimmed text draws nothing.
void DrawInsetText(TextRenderer& renderer, Bitmap& target, std::string_view text, TextForm form, const Rect& area,
                   int inset, unsigned format, const LogFont& font, ColorRef color);

}  // namespace gd
