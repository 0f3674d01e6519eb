#pragma once
// Writes a bitmap as an 8-bit RGB PNG file.

#include <string>

#include "raster/bitmap.h"

namespace gd::cli {

// False with a readable reason in `error` when the file cannot be written.
bool WritePng(const std::string& path, const Bitmap& image, std::string& error);

}  // namespace gd::cli
