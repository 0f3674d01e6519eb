#pragma once
// HEIF and AVIF pictures through libheif: HEIF's HEVC pictures decoded by libde265,
// AVIF's AV1 pictures by dav1d (each decoder named, so every build of the maker decodes
// the same way, whatever else its libheif was built with). Only the primary picture is
// read. The container's 'irot' and 'imir' turn and mirror it and its clean aperture crops
// it, as libheif does by default (the tests hold it); pictures of more than 8 bits are
// decoded as stored and turned by us instead (imaging/heif_boxes.h says why), without
// the crop. 10 and 12 bits come out at 8 (libheif's own reduction); alpha comes out as an
// alpha plane beside the straight colours, laid over the background later as for PNG.

#include <vector>

#include "imaging/codec.h"

namespace gd {

struct HeifFamily {
    const char* name;        // "HEIF": the start of every error text
    const char* decoder_id;  // the libheif decoder of its pictures
    // Whether an EXIF orientation turns the picture where the container has no 'irot' or
    // 'imir' of its own (where it has, they win: writers set them from the EXIF
    // orientation and keep the EXIF data, which must not turn the picture twice).
    bool exif_orientation;
};

inline constexpr HeifFamily kHeifFamily{"HEIF", "libde265", false};
inline constexpr HeifFamily kAvifFamily{"AVIF", "dav1d", true};

// The picture's size as it will be decoded (turned), from the container alone.
Status HeifFamilyInfo(const HeifFamily& family, Bytes data, ImageInfo& info);
Status HeifFamilyDecode(const HeifFamily& family, Bytes data, Dib& out);
// The ICC profile stored for the primary picture; empty when there is none.
std::vector<uint8_t> HeifFamilyIccProfile(Bytes data);

}  // namespace gd
