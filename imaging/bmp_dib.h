#pragma once
// The device-independent bitmap inside BMP files and icons: header, colour table and
// pixel rows (uncompressed 1/4/8/16/24/32 bits, RLE4 and RLE8, bit-field masks, both
// row orders). The BMP adapter gives it the whole file; the ICO adapter an icon image.

#include "imaging/codec.h"

namespace gd {

struct DibSource {
    Bytes header;            // from the info header to the end of the data
    int64_t bits_offset = -1;  // offset of the pixel rows in `header`, -1 = right after the colours
    bool icon = false;       // icon images store twice their height (colour rows, then the mask)
};

Status DibHeaderInfo(const DibSource& source, ImageInfo& info);
Status DecodeDibBody(const DibSource& source, Dib& out);

}  // namespace gd
