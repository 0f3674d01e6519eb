#include "maker/cli/label_text.h"
#include "raster/freetype_text_renderer.h"

namespace gd::cli {

std::unique_ptr<TextRenderer> NewLabelTextRenderer() { return std::make_unique<FreeTypeTextRenderer>(); }

}  // namespace gd::cli
