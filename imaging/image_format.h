#pragma once
// Format identifiers of the image facade: one numbering for the whole system. They are
// the facade's own and differ from the picture types the project derives from file names.

namespace gd {

enum ImageFormat : int {
    kFormatNone = 0,  // detect from the content
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpeg = 3,
    kFormatPng = 4,
    kFormatIco = 5,
    kFormatTiff = 6,
    kFormatTga = 7,
    kFormatPcx = 8,
    kFormatWbmp = 9,
    kFormatWmf = 10,
    kFormatJ2k = 11,
    kFormatJbig = 12,
    kFormatWebp = 13,
    kFormatHeif = 14,
    kFormatAvif = 15,
};

constexpr int kFormatLast = kFormatAvif;

}  // namespace gd
