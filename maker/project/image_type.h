#pragma once
// The picture type the maker derives from a file name's extension. The build uses it to
// keep GIF files unchanged and to allow the GIF fallback for the BMP family; the Pictures
// page shows it.

#include <string_view>

namespace gd {

enum ImageType : int {
    kImageUnknown = -1,
    kImageBmp = 0,  // BMP, WBMP, DIB, WBM
    kImageJpeg = 1,
    kImageGif = 2,
    kImagePng = 3,
    kImagePcx = 4,
    kImageTiff = 5,
    kImageTga = 6,
    kImageWmf = 7,
};

// The text after the last "." of the file name (the whole name when it has none).
std::string_view FileExtension(std::string_view path);

// The type of a picture file from its extension, case-insensitive; -1 when unknown.
int ImageTypeFromPath(std::string_view path);

}  // namespace gd
