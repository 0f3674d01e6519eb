#pragma once
// One picture of a project: its file and its caption.

#include <cstdint>
#include <string>

#include "common/color_ref.h"
#include "common/log_font.h"

namespace gd {

struct CaptionStyle {
    LogFont font;
    ColorRef color = 0;
    int32_t position = 0;  // 0..8, top left to bottom right
};

class CPictureData {
public:
    CPictureData() = default;
    // A picture with an empty caption in the given caption look (the document's defaults).
    CPictureData(std::string file, const CaptionStyle& style);

    // The picture's type from the extension of szFile (see ImageTypeFromPath).
    int GetImageType() const;

    std::string szFile;     // full path of the picture file
    std::string szCaption;  // empty: no caption
    LogFont lfCaptionFont;
    ColorRef crCaptionColor = 0;
    int32_t nCaptionPos = 0;

    friend bool operator==(const CPictureData&, const CPictureData&) = default;
};

}  // namespace gd
