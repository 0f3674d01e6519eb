#include "raster/blit.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace gd {
namespace {

// Calls fn(y, x0, x1) for every row span of `r` inside `clip` (or all of `r` without a
// clip), top to bottom, and returns the bounds of the spans visited. Callers must have
// clipped `r` to the destination bitmap.
template <class Fn> Rect ForEachSpan(const Rect& r, const Region* clip, int64_t* written, Fn fn) {
    if (r.is_empty()) return {};
    if (!clip) {
        for (int y = r.top; y < r.bottom; ++y) fn(y, r.left, r.right);
        if (written) *written += int64_t(r.width()) * r.height();
        return r;
    }
    // Bounds kept per band, not per span: clips of thin rings hold thousands of spans.
    int left = INT_MAX, right = INT_MIN, first = INT_MAX, last = INT_MIN;
    int64_t count = 0;
    for (const RegionBand& band : clip->bands()) {
        if (band.bottom <= r.top) continue;
        if (band.top >= r.bottom) break;
        const int top = std::max(band.top, r.top), bottom = std::min(band.bottom, r.bottom);
        int band_left = INT_MAX, band_right = INT_MIN;
        for (const Span& s : clip->spans(band)) {
            if (s.right <= r.left) continue;
            if (s.left >= r.right) break;
            const int x0 = std::max(s.left, r.left), x1 = std::min(s.right, r.right);
            for (int y = top; y < bottom; ++y) fn(y, x0, x1);
            count += int64_t(x1 - x0) * (bottom - top);
            band_left = std::min(band_left, x0);
            band_right = x1;
        }
        if (band_right == INT_MIN) continue;
        left = std::min(left, band_left);
        right = std::max(right, band_right);
        first = std::min(first, top);
        last = bottom;
    }
    if (written) *written += count;
    return right == INT_MIN ? Rect{} : Rect{left, first, right, last};
}

constexpr int kShortSpan = 8;

// Whether the pixel memory of the two bitmaps may overlap (one viewing the other).
bool Overlap(const Bitmap& a, const Bitmap& b) {
    if (a.empty() || b.empty()) return false;
    auto end = [](const Bitmap& m) { return m.row(m.height() - 1) + m.width(); };
    return a.data() < end(b) && b.data() < end(a);
}

}  // namespace

Rect CopyPixels(Bitmap& dst, int dx, int dy, const Bitmap& src, const Rect& src_rect, const Region* clip,
                int64_t* written) {
    // Clip the source, carry the cut over to the destination, then clip the destination.
    Rect s = src_rect.intersected(src.rect());
    if (s.is_empty()) return {};
    int ox = dx - src_rect.left, oy = dy - src_rect.top;  // source to destination offset
    Rect d = s.translated(ox, oy).intersected(dst.rect());
    // Clipped copies often come as thousands of spans of a pixel or two (a ring's edge on
    // every row); a call to memmove for each costs more than the copying.
    const bool separate = !Overlap(dst, src);
    return ForEachSpan(d, clip, written, [&](int y, int x0, int x1) {
        Pixel* out = dst.row(y) + x0;
        const Pixel* in = src.row(y - oy) + (x0 - ox);
        const int n = x1 - x0;
        if (separate && n <= kShortSpan) {
            for (int k = 0; k < n; ++k) out[k] = in[k];
        } else {
            std::memmove(out, in, size_t(n) * sizeof(Pixel));
        }
    });
}

Rect StretchPixels(Bitmap& dst, const Rect& dst_rect, const Bitmap& src, const Rect& src_rect, const Region* clip,
                   int64_t* written) {
    int dw = dst_rect.width(), dh = dst_rect.height(), sw = src_rect.width(), sh = src_rect.height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return {};
    Rect d = dst_rect.intersected(dst.rect());
    if (d.is_empty()) return {};
    // Source column of every destination column in d, or -1 when it lies outside src.
    std::vector<int> columns(size_t(d.width()));
    for (int x = d.left; x < d.right; ++x) {
        int64_t sx = src_rect.left + int64_t(x - dst_rect.left) * sw / dw;
        columns[size_t(x - d.left)] = sx >= 0 && sx < src.width() ? int(sx) : -1;
    }
    return ForEachSpan(d, clip, written, [&](int y, int x0, int x1) {
        int64_t sy = src_rect.top + int64_t(y - dst_rect.top) * sh / dh;
        if (sy < 0 || sy >= src.height()) return;
        const Pixel* in = src.row(int(sy));
        Pixel* out = dst.row(y);
        for (int x = x0; x < x1; ++x) {
            int c = columns[size_t(x - d.left)];
            if (c >= 0) out[x] = in[c];
        }
    });
}

Rect FillPixels(Bitmap& dst, const Rect& r, Pixel p, const Region* clip, int64_t* written) {
    return ForEachSpan(r.intersected(dst.rect()), clip, written,
                       [&](int y, int x0, int x1) { std::fill(dst.row(y) + x0, dst.row(y) + x1, p); });
}

}  // namespace gd
