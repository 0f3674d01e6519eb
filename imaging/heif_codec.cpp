// The HEIF and AVIF rows of the maker's adapters, both over libheif (imaging/heif_decoder.h);
// their probes are in iso_brands.cpp.

#include "imaging/codec_list.h"
#include "imaging/heif_decoder.h"

namespace gd {

Status HeifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kHeifFamily, data, info); }
Status HeifDecode(Bytes data, Dib& out) { return HeifFamilyDecode(kHeifFamily, data, out); }
Status AvifInfo(Bytes data, ImageInfo& info) { return HeifFamilyInfo(kAvifFamily, data, info); }
Status AvifDecode(Bytes data, Dib& out) { return HeifFamilyDecode(kAvifFamily, data, out); }

std::vector<uint8_t> HeifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }
std::vector<uint8_t> AvifIccProfile(Bytes data) { return HeifFamilyIccProfile(data); }

}  // namespace gd
