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

bool ProbeBmp(Bytes data);
Status BmpInfo(Bytes data, ImageInfo& info);
Status BmpDecode(Bytes data, Dib& out);
bool ProbeIco(Bytes data);
Status IcoInfo(Bytes data, ImageInfo& info);
Status IcoDecode(Bytes data, Dib& out);
bool ProbePng(Bytes data);
Status PngInfo(Bytes data, ImageInfo& info);
Status PngDecode(Bytes data, Dib& out);
bool ProbeTiff(Bytes data);
Status TiffInfo(Bytes data, ImageInfo& info);
Status TiffDecode(Bytes data, Dib& out);
bool ProbeTga(Bytes data);
Status TgaInfo(Bytes data, ImageInfo& info);
Status TgaDecode(Bytes data, Dib& out);
bool ProbePcx(Bytes data);
Status PcxInfo(Bytes data, ImageInfo& info);
Status PcxDecode(Bytes data, Dib& out);
bool ProbeWbmp(Bytes data);
Status WbmpInfo(Bytes data, ImageInfo& info);
Status WbmpDecode(Bytes data, Dib& out);
bool ProbeWmf(Bytes data);
Status WmfInfo(Bytes data, ImageInfo& info);
Status WmfDecode(Bytes data, Dib& out);
bool ProbeJ2k(Bytes data);
Status J2kInfo(Bytes data, ImageInfo& info);
Status J2kDecode(Bytes data, Dib& out);
bool ProbeJbig(Bytes data);
Status JbigInfo(Bytes data, ImageInfo& info);
Status JbigDecode(Bytes data, Dib& out);

}  // namespace gd
