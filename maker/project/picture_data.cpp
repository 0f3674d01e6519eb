#include "maker/project/picture_data.h"

#include "maker/project/image_type.h"

namespace gd {

CPictureData::CPictureData(std::string file, const CaptionStyle& style)
    : szFile(std::move(file)), lfCaptionFont(style.font), crCaptionColor(style.color), nCaptionPos(style.position) {}

int CPictureData::GetImageType() const { return ImageTypeFromPath(szFile); }

}  // namespace gd
