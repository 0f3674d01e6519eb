#pragma once
// The adapter functions, one file each; codecs_lean.cpp and codecs_full.cpp put them in
// their detection order.

#include "imaging/codec.h"

namespace gd {

inline bool ProbeJpeg(Bytes data) { return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF; }
Status StbJpegInfo(Bytes data, ImageInfo& info);
Status StbJpegDecode(Bytes data, Dib& out);
Status StbGifDecode(Bytes data, Dib& out);

Status JpegInfo(Bytes data, ImageInfo& info);
Status JpegDecode(Bytes data, Dib& out);
Status JpegEncode(const Dib& dib, const EncodeOptions& options, std::vector<uint8_t>& out);
Status GifDecode(Bytes data, Dib& out);
Status GifEncode(const Dib& dib, const EncodeOptions& options, std::vector<uint8_t>& out);

}  // namespace gd
