#include "maker/project/image_type.h"

#include <algorithm>

#include "common/path_parts.h"
#include "imaging/codec_list.h"
#include "maker/project/path_rules.h"

namespace gd {

namespace {

// "*.jpg" -> "JPG", "*dib" -> "DIB".
std::string PatternExtension(std::string_view pattern) {
    size_t star = pattern.rfind('*');
    std::string_view rest = star == std::string_view::npos ? pattern : pattern.substr(star + 1);
    if (rest.starts_with('.')) rest.remove_prefix(1);
    return UpperAscii(rest);
}

int ImageTypeOfFormat(int format) {
    switch (format) {
    case kFormatBmp:
    case kFormatWbmp: return kImageBmp;
    case kFormatJpeg: return kImageJpeg;
    case kFormatGif: return kImageGif;
    case kFormatPng: return kImagePng;
    case kFormatPcx: return kImagePcx;
    case kFormatTiff: return kImageTiff;
    case kFormatTga: return kImageTga;
    case kFormatWmf: return kImageWmf;
    default: return kImageUnknown;
    }
}

}  // namespace

std::string_view FileExtension(std::string_view path) {
    size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path : path.substr(dot + 1);
}

int PictureFormatFromPath(std::string_view path) {
    // The name's own extension: a dot in a folder's name is none.
    const std::string ext = UpperAscii(PathExtension(path, kWindowsSeparators));
    if (ext.empty()) return kFormatNone;
    for (const PictureFileType& t : kPictureFileTypes)
        if (PatternExtension(t.pattern) == ext) return t.format;
    return kFormatNone;
}

int ImageTypeFromPath(std::string_view path) { return ImageTypeOfFormat(PictureFormatFromPath(path)); }

std::vector<std::string> PictureTypeGroups() {
    std::vector<std::string> groups;
    for (const PictureFileType& t : kPictureFileTypes)
        if (std::find(groups.begin(), groups.end(), t.group) == groups.end()) groups.push_back(t.group);
    return groups;
}

std::vector<std::string> PictureExtensions() {
    std::vector<std::string> extensions;
    for (const PictureFileType& t : kPictureFileTypes) extensions.push_back(PatternExtension(t.pattern));
    return extensions;
}

std::string PictureTypeList() {
    const std::vector<std::string> groups = PictureTypeGroups();
    std::string text;
    for (size_t i = 0; i < groups.size(); ++i)
        text += (i == 0 ? "" : i + 1 == groups.size() ? " and " : ", ") + groups[i];
    return text;
}

}  // namespace gd
