#pragma once
// The picture entries of a made screensaver, made with the image facade: GIF files are
// embedded unchanged, every other picture is re-encoded as JPEG (quality 75, same pixel
// size); a palette picture that JPEG cannot take (a palette that is not a grey ramp)
// becomes a GIF, whatever its type. A picture with an alpha channel, of any format, is
// first laid over the show's background colour, so a transparent logo sits on it. With a
// box to fit, a larger picture (GIF files excepted: they are kept as they are) is shrunk
// to fit it with smooth scaling before it is encoded.

#include "maker/project/build_hooks.h"

namespace gd {

class CxPictureEncoder : public PictureEncoder {
public:
    PictureEntry Encode(const std::string& path, int image_type, const PictureShape& shape) const override;
};

}  // namespace gd
