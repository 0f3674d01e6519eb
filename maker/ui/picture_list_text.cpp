#include "maker/ui/picture_list_text.h"

#include <algorithm>
#include <cstdio>

#include "imaging/codec_list.h"
#include "maker/project/image_type.h"

namespace gd {

namespace {
constexpr size_t kNamedMissingFiles = 12;
}  // namespace

long long PictureKilobytes(long long bytes) { return bytes < 0 ? 0 : bytes / 1024; }

std::string PictureSizeText(long long bytes) { return std::to_string(PictureKilobytes(bytes)) + "K"; }

std::string PictureTotalsText(size_t count, long long kilobytes) {
    char text[96];
    if (kilobytes > 1023)
        std::snprintf(text, sizeof text, "Total picture num: %zu  Total size: %.2f M", count, double(kilobytes) / 1024);
    else
        std::snprintf(text, sizeof text, "Total picture num: %zu  Total size: %lld K", count, kilobytes);
    return text;
}

const FileTypeSet& PictureListTypes() {
    // "*dib" in the dialog's filter has no dot, so it matches any name ending in "dib";
    // a dropped file is taken by its extension.
    static const FileTypeSet types(PictureExtensions());
    return types;
}

int PictureTypeIcon(std::string_view path) {
    if (int type = ImageTypeFromPath(path); type != kImageUnknown) return type;
    return HasPictureExtension(path) ? kOtherPictureTypeIcon : -1;
}

std::string PictureTypesAccepted() { return "Only " + PictureTypeList() + " pictures can be added."; }

std::string AddPicturesFilter() {
    std::string all, groups;
    for (const std::string& group : PictureTypeGroups()) {
        std::string patterns;
        for (const PictureFileType& t : kPictureFileTypes) {
            if (group != t.group) continue;
            if (!patterns.empty()) patterns += ';';
            patterns += t.pattern;
        }
        if (!all.empty()) all += ';';
        all += patterns;
        groups.append(group).append(" (").append(patterns).append(")|").append(patterns).append("|");
    }
    return std::string("All Support Image Files|").append(all).append("|").append(groups).append("|");
}

std::string MissingPicturesMessage(const std::vector<std::string>& paths) {
    std::string text;
    const size_t named = std::min(paths.size(), kNamedMissingFiles);
    for (size_t i = 0; i < named; ++i) text += (i ? "\n" : "") + paths[i] + " is not exists!";
    if (paths.size() > named) text += "\n... and " + std::to_string(paths.size() - named) + " more";
    return text;
}

std::string PixelSizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace gd
