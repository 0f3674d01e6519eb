// The colour conversion over any bytes as the profile a photo carries (lcms2 reads them):
// a picture and a palette keep their shape whatever the profile says, and a profile that
// is refused leaves them byte for byte as they were.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "imaging/icc_profile.h"

namespace {

gd::Dib Spread() {
    gd::Dib dib;
    if (!gd::AllocateDib(dib, 17, 5, 24)) return dib;
    for (size_t i = 0; i < dib.bits.size(); ++i) dib.bits[i] = uint8_t(i * 37);
    return dib;
}

gd::Dib Palette() {
    gd::Dib dib;
    (void)gd::DibFromIndices(dib, 3, 1, std::vector<uint8_t>{0, 1, 2},
                             std::vector<gd::RgbQuad>{gd::MakeQuad(200, 100, 50), gd::MakeQuad(0, 0, 0),
                                                      gd::MakeQuad(255, 255, 255)});
    return dib;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> profile(data, size);
    for (const gd::Dib& before : {Spread(), Palette()}) {
        gd::Dib dib = before;
        const bool converted = gd::ConvertToSrgb(dib, profile).ok();
        gd::fuzz::Require(dib.width == before.width && dib.height == before.height && dib.bpp == before.bpp &&
                              dib.bits.size() == before.bits.size() && dib.palette.size() == before.palette.size(),
                          "the conversion changed the picture's shape");
        gd::fuzz::Require(converted || (dib.bits == before.bits && dib.palette == before.palette),
                          "a refused profile changed the picture");
    }
    return 0;
}
