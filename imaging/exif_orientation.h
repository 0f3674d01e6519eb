#pragma once
// Photos from phones and cameras store the sensor's rows as they came and note in their
// EXIF data how to turn them upright. The maker applies that note when it decodes a JPEG,
// so the picture it re-encodes (which carries no EXIF data) is upright everywhere; other
// formats that carry EXIF data (WebP) are turned the same way. This
// goes beyond plain JPEG decoding on purpose and lives here alone so it is easy to find.

#include "imaging/codec.h"

namespace gd {

// The EXIF orientation (1..8) of a JPEG file, or 1 when it has none.
int ReadExifOrientation(Bytes jpeg);

// The orientation in an EXIF block as other formats store it: the TIFF structure, with or
// without the "Exif\0\0" that JPEG puts before it; 1 when it has none.
int ReadTiffOrientation(Bytes exif);

// Turns `dib` (8 or 24 bits, with its alpha plane) by an EXIF orientation; 1 and unknown values leave it as is.
Status OrientDib(Dib& dib, int orientation);

// Reads the orientation of `jpeg` and turns its decoded picture upright.
void ApplyExifOrientation(Bytes jpeg, Dib& dib);

}  // namespace gd
