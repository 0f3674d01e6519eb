#pragma once
// The adapter functions, one file each; codecs_lean.cpp and codecs_full.cpp put them in
// their detection order. Below them, the picture files the maker takes by name.

#include "imaging/codec.h"

namespace gd {

inline bool ProbeJpeg(Bytes data) { return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF; }
Status StbJpegInfo(Bytes data, ImageInfo& info);
Status StbJpegDecode(Bytes data, Dib& out);
Status StbGifDecode(Bytes data, Dib& out);

Status JpegInfo(Bytes data, ImageInfo& info);
Status JpegDecode(Bytes data, Dib& out);
Status JpegDecodeWithin(Bytes data, const DecodeBox& box, Dib& out);
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
bool ProbeWebp(Bytes data);
Status WebpInfo(Bytes data, ImageInfo& info);
Status WebpDecode(Bytes data, Dib& out);
bool ProbeHeif(Bytes data);
Status HeifInfo(Bytes data, ImageInfo& info);
Status HeifDecode(Bytes data, Dib& out);
bool ProbeAvif(Bytes data);
Status AvifInfo(Bytes data, ImageInfo& info);
Status AvifDecode(Bytes data, Dib& out);

// The ICC profile a HEIF or AVIF file embeds for its primary picture, empty when it has
// none (or the file cannot be read): the colours the decoded picture is in.
std::vector<uint8_t> HeifIccProfile(Bytes data);
std::vector<uint8_t> AvifIccProfile(Bytes data);

// The picture files the maker takes, one row per name pattern of its open dialog's filter,
// with the group the filter lists it under and the facade format that reads it. The
// Pictures page, its dialog, drag and drop, the command line's folders and its help all
// derive what they accept from these rows; the maker's adapter set reads every format
// named here (a test holds the two together). The first seven groups are the dialog's
// filter of old, in its order and with its "*dib" that has no dot.
struct PictureFileType {
    const char* group;    // "JPG": the filter's group and the name the texts give
    const char* pattern;  // "*.jpg": the filter's pattern; the extension is what follows "*." (or "*")
    int format;
};

inline constexpr PictureFileType kPictureFileTypes[] = {
    {"BMP", "*.bmp", kFormatBmp},   {"BMP", "*.wbmp", kFormatWbmp}, {"BMP", "*dib", kFormatBmp},
    {"BMP", "*.wbm", kFormatWbmp},  {"JPG", "*.jpg", kFormatJpeg},  {"JPG", "*.jpeg", kFormatJpeg},
    {"JPG", "*.jpe", kFormatJpeg},  {"GIF", "*.gif", kFormatGif},   {"PNG", "*.png", kFormatPng},
    {"PCX", "*.pcx", kFormatPcx},   {"TIF", "*.tif", kFormatTiff},  {"TIF", "*.tiff", kFormatTiff},
    {"TGA", "*.tga", kFormatTga},   {"WEBP", "*.webp", kFormatWebp}, {"ICO", "*.ico", kFormatIco},
    {"WMF", "*.wmf", kFormatWmf},   {"J2K", "*.j2k", kFormatJ2k},   {"J2K", "*.j2c", kFormatJ2k},
    {"J2K", "*.jpc", kFormatJ2k},   {"J2K", "*.jp2", kFormatJ2k},   {"JBIG", "*.jbg", kFormatJbig}, {"JBIG", "*.jbig", kFormatJbig},
    {"HEIC", "*.heic", kFormatHeif}, {"HEIC", "*.heif", kFormatHeif}, {"AVIF", "*.avif", kFormatAvif},
};

}  // namespace gd
