#include "maker/project/image_type.h"

#include <string>

#include "maker/project/path_rules.h"

namespace gd {

std::string_view FileExtension(std::string_view path) {
    size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path : path.substr(dot + 1);
}

int ImageTypeFromPath(std::string_view path) {
    struct Entry {
        std::string_view ext;
        int type;
    };
    static constexpr Entry kTypes[] = {
        {"BMP", kImageBmp},  {"WBMP", kImageBmp},  {"DIB", kImageBmp},  {"WBM", kImageBmp},
        {"JPG", kImageJpeg}, {"JPEG", kImageJpeg}, {"JPE", kImageJpeg}, {"GIF", kImageGif},
        {"PNG", kImagePng},  {"PCX", kImagePcx},   {"TIF", kImageTiff}, {"TIFF", kImageTiff},
        {"TGA", kImageTga},  {"WMF", kImageWmf},
    };
    std::string ext = UpperAscii(FileExtension(path));
    for (const auto& e : kTypes)
        if (e.ext == ext) return e.type;
    return kImageUnknown;
}

}  // namespace gd
