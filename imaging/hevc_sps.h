#pragma once
// The picture size an HEVC sequence parameter set declares, read by us before libde265
// decodes anything: the decoder allocates and decodes the whole of that size, up to
// 65535 x 65535, whatever size the HEIF container states for the picture. A file of a few
// hundred bytes could otherwise take gigabytes.

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/codec.h"

namespace gd {

struct HevcPictureSize {
    int64_t width = 0;
    int64_t height = 0;
};

// The luma size of a sequence parameter set NAL unit (with its two-byte header, emulation
// prevention bytes still in); nullopt when it is no SPS or is cut short.
std::optional<HevcPictureSize> HevcSpsSize(Bytes nal);

// The sizes of every SPS in an 'hvcC' box's body (its NAL unit arrays); false when the box
// cannot be read. `length_size` gets the size of the NAL length fields of the item's data.
bool HevcConfigSpsSizes(Bytes hvcc, std::vector<HevcPictureSize>& sizes, int& length_size);

// The sizes of every SPS in coded item data: NAL units, each after a big-endian length of
// `length_size` bytes (1, 2 or 4). Stops at a length that runs past the end.
void InBandSpsSizes(Bytes data, int length_size, std::vector<HevcPictureSize>& sizes);

}  // namespace gd
