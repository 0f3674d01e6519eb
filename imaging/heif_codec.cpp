// The HEIF and AVIF rows of the maker's adapters, both over libheif (imaging/heif_decoder.h);
// their probes are in iso_brands.cpp.

#include "imaging/codec_list.h"
#include "imaging/heif_decoder.h"
#include "imaging/icc_profile.h"

namespace gd {
namespace {

// The picture in sRGB: a phone's HEIC is usually Display P3, kept in the container's
// 'colr' box. A profile that cannot be used leaves the colours as stored.
Status DecodeInSrgb(const HeifFamily& family, Bytes data, Dib& out) {
    Status s = HeifFamilyDecode(family, data, out);
    if (s) (void)ConvertToSrgb(out, HeifFamilyIccProfile(data));
    return s;
}

}  // namespace

Status HeifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kHeifFamily, data, info); }
Status HeifDecode(Bytes data, Dib& out) { return DecodeInSrgb(kHeifFamily, data, out); }
Status AvifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kAvifFamily, data, info); }
Status AvifDecode(Bytes data, Dib& out) { return DecodeInSrgb(kAvifFamily, data, out); }

std::vector<uint8_t> HeifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }
std::vector<uint8_t> AvifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }

}  // namespace gd
