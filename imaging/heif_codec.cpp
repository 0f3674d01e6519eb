// The HEIF and AVIF rows of the maker's adapters, both over libheif (imaging/heif_decoder.h);
// their probes are in iso_brands.cpp.

#include "imaging/codec_list.h"
#include "imaging/heif_decoder.h"

namespace gd {
namespace {

// The picture with its profile: a phone's HEIC is usually Display P3, kept in the
// container's 'colr' box.
Status DecodeWithProfile(const HeifFamily& family, Bytes data, Dib& out) {
    Status s = HeifFamilyDecode(family, data, out);
    if (s) out.colour_profile = HeifFamilyIccProfile(data);
    return s;
}

}  // namespace

Status HeifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kHeifFamily, data, info); }
Status HeifDecode(Bytes data, Dib& out) { return DecodeWithProfile(kHeifFamily, data, out); }
Status AvifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kAvifFamily, data, info); }
Status AvifDecode(Bytes data, Dib& out) { return DecodeWithProfile(kAvifFamily, data, out); }

std::vector<uint8_t> HeifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }
std::vector<uint8_t> AvifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }

}  // namespace gd
