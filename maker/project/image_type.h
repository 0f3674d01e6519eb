#pragma once
// The picture type the maker derives from a file name's extension. The build uses it to
// keep GIF files unchanged and to allow the GIF fallback for the BMP family; the Pictures
// page shows it. Which names are pictures at all comes from the codec table's file types
// (kPictureFileTypes in imaging/codec_list.h).

#include <string>
#include <string_view>
#include <vector>

namespace gd {

enum ImageType : int {
    kImageUnknown = -1,  // also a picture the table takes that has no type of its own (ICO, WEBP, ...)
    kImageBmp = 0,       // BMP, WBMP, DIB, WBM
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

// The facade format (imaging/image_format.h) of a file the maker takes by its extension,
// case-insensitive; kFormatNone (0) for a name the table does not list.
int PictureFormatFromPath(std::string_view path);
// Whether the maker takes the file as a picture by its name.
inline bool HasPictureExtension(std::string_view path) { return PictureFormatFromPath(path) != 0; }

// The type of a picture file from its extension, case-insensitive; -1 when it has none.
int ImageTypeFromPath(std::string_view path);

// The groups of the file types in the table's order, each once: "BMP", "JPG", ...
std::vector<std::string> PictureTypeGroups();
// The extensions the maker takes, upper case without the dot: "BMP", "WBMP", "DIB", ...
std::vector<std::string> PictureExtensions();
// "BMP, JPG, ... and JBIG": the groups as one list for a sentence.
std::string PictureTypeList();

}  // namespace gd
