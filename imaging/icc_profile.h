#pragma once
// True colours: a picture whose file embeds an ICC profile (a phone's Display P3, a
// camera's Adobe RGB, ...) holds colours in that profile's space. The made screensaver
// re-encodes every picture as JPEG without a profile and draws it as sRGB, so the maker
// converts such colours to sRGB when it decodes them; drawn unconverted, a Display P3
// photo looks washed out. The maker's adapters hand the profile over with the picture
// (Dib::colour_profile) and the facade converts by it unless told to keep the colours as
// stored (CxImage::SetTrueColours); the runtime's lean set decodes what the maker wrote,
// which is sRGB already.

#include <cstdint>
#include <span>

#include "imaging/dib.h"
#include "imaging/status.h"

namespace gd {

// Converts the colours of `dib` in place from the RGB space `profile` describes to sRGB
// (perceptual intent: colours outside sRGB are brought in rather than clipped where the
// profile says how). A 24-bit picture has its pixels converted, a palette picture its
// palette; a grey-ramp palette and the alpha plane are left alone. An empty profile, and
// one that describes sRGB itself, leave the picture byte for byte as it was. A profile
// that is damaged, or describes no RGB space (a grey or CMYK one), leaves the picture
// unchanged too and gives an error saying why: a picture is never refused for its
// profile, so callers may ignore it.
Status ConvertToSrgb(Dib& dib, std::span<const uint8_t> profile);

}  // namespace gd
