// libFuzzer target for one of our own decoders (GD_FUZZ_FORMAT picks it): probe, header,
// limits and decode, as the facade runs them.
#include <cstddef>
#include <cstdint>

#include "imaging/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const gd::Codec* codec = gd::FindCodec(GD_FUZZ_FORMAT);
    if (!codec) return 0;
    gd::Dib dib;
    gd::DecodeWith(*codec, gd::Bytes(data, size), dib);
    return 0;
}
