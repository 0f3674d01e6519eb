#pragma once
// Pixel transfers between bitmaps through an optional clip region: the drawing
// primitives under the show's surface. Every function clips once (to the source, the
// destination and the clip) and then hands whole row spans to a worker, and returns the
// bounding rectangle of the destination pixels it may have changed (empty when none).
// `written`, when given, grows by the number of destination pixels visited.

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/region.h"

namespace gd {

// Copies the `src_rect` part of `src` to `dst` with its top-left corner at (dx, dy),
// unscaled. Parts of `src_rect` outside `src` are not drawn; nor are destination pixels
// outside `dst` or outside `clip` (when given).
Rect CopyPixels(Bitmap& dst, int dx, int dy, const Bitmap& src, const Rect& src_rect, const Region* clip,
                int64_t* written = nullptr);

// Copies the `src_rect` part of `src` scaled to `dst_rect` without smoothing: destination
// pixel (X, Y) takes source pixel (sx + floor((X - dx) * sw / dw), sy + floor((Y - dy) *
// sh / dh)). Destination pixels whose source pixel lies outside `src` are not drawn.
Rect StretchPixels(Bitmap& dst, const Rect& dst_rect, const Bitmap& src, const Rect& src_rect, const Region* clip,
                   int64_t* written = nullptr);

// Fills `r` with `p`, clipped to `dst` and to `clip` (when given).
Rect FillPixels(Bitmap& dst, const Rect& r, Pixel p, const Region* clip, int64_t* written = nullptr);

}  // namespace gd
