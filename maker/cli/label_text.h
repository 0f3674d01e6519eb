#pragma once
// The text renderer that labels render-effect's contact sheet: FreeType on Linux, GDI on
// Windows.

#include <memory>

#include "raster/text_renderer.h"

namespace gd::cli {

std::unique_ptr<TextRenderer> NewLabelTextRenderer();

}  // namespace gd::cli
