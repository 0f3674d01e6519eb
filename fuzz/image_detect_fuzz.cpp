// libFuzzer target for format detection through the facade: every adapter of the maker in
// its order, then drawing whatever decoded into a small target.
#include <cstddef>
#include <cstdint>

#include "imaging/cx_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gd::CxImage image;
    if (image.Decode(std::span<const uint8_t>(data, size), gd::kFormatNone)) {
        gd::Bitmap target(37, 23);
        image.Draw(target, -3, 2, 50, 11);
        image.Draw2(target, 1, 1, 7, 40);
    }
    return 0;
}
