#include "raster/resample.h"

#include <algorithm>
#include <cmath>

namespace gd {
namespace {

// Source pixels outside the picture read as its nearest edge: taps clamped to the same
// index are merged, taps of no weight dropped.
void AddTap(std::vector<std::pair<int32_t, double>>& taps, int32_t index, int src_length, double weight) {
    if (weight <= 0) return;
    index = std::clamp(index, 0, src_length - 1);
    if (!taps.empty() && taps.back().first == index)
        taps.back().second += weight;
    else
        taps.emplace_back(index, weight);
}

// The weights in fixed point, summing to exactly kWeightOne: what rounding leaves over
// goes to the heaviest tap.
void StoreTaps(AxisFilter& f, size_t i, const std::vector<std::pair<int32_t, double>>& taps) {
    double total = 0;
    for (const auto& t : taps) total += t.second;
    f.first[i] = taps.front().first;
    f.count[i] = int32_t(taps.size());
    int32_t sum = 0;
    size_t heaviest = 0;
    for (size_t k = 0; k < taps.size(); ++k) {
        const int32_t w = int32_t(std::lround(taps[k].second / total * AxisFilter::kWeightOne));
        f.weights[i * size_t(f.taps) + k] = w;
        sum += w;
        if (taps[k].second > taps[heaviest].second) heaviest = k;
    }
    f.weights[i * size_t(f.taps) + heaviest] += AxisFilter::kWeightOne - sum;
}

}  // namespace

AxisFilter MakeAxisFilter(double start, double length, int src_length, int dst_length, int from, int to) {
    AxisFilter f;
    const int n = std::max(to - from, 0);
    if (n == 0 || src_length <= 0 || dst_length <= 0 || !(length > 0)) return f;
    const double scale = length / dst_length;  // source pixels per destination pixel
    const bool shrink = scale > 1.0;
    f.taps = shrink ? int(std::ceil(scale)) + 2 : 2;
    f.first.resize(size_t(n));
    f.count.resize(size_t(n));
    f.weights.assign(size_t(n) * size_t(f.taps), 0);
    std::vector<std::pair<int32_t, double>> taps;
    for (int d = from; d < to; ++d) {
        taps.clear();
        if (shrink) {
            // The area the destination pixel covers, and how much of each source pixel.
            const double a = start + d * scale, b = a + scale;
            for (double k = std::floor(a); k < b; k += 1)
                AddTap(taps, int32_t(k), src_length, std::min(b, k + 1) - std::max(a, k));
        } else {
            // Between the two source pixels whose centres surround the destination's.
            const double c = start + (d + 0.5) * scale - 0.5, k = std::floor(c), frac = c - k;
            AddTap(taps, int32_t(k), src_length, 1 - frac);
            AddTap(taps, int32_t(k) + 1, src_length, frac);
        }
        if (taps.empty()) AddTap(taps, int32_t(std::floor(start + d * scale)), src_length, 1);
        StoreTaps(f, size_t(d - from), taps);
    }
    return f;
}

ChannelRows RowsOf(const Bitmap& bitmap) {
    return {bitmap.width(), bitmap.height(), 4,
            [&bitmap](int y) { return reinterpret_cast<const uint8_t*>(bitmap.row(y)); }};
}

namespace {

// One destination row's vertical pass: the weighted sum of the source rows over the
// columns [x0, x1), kept with 8 more bits (value x 256) so that the horizontal pass
// rounds only once.
void VerticalPass(const ChannelRows& src, const AxisFilter& rows, size_t j, int x0, int x1,
                  std::vector<int32_t>& acc, std::vector<uint16_t>& out) {
    const size_t n = size_t(x1 - x0) * size_t(src.channels);
    const size_t offset = size_t(x0) * size_t(src.channels);
    const int32_t count = rows.count[j];
    const int32_t* w = &rows.weights[j * size_t(rows.taps)];
    if (count == 1) {
        const uint8_t* p = src.row(rows.first[j]) + offset;
        for (size_t i = 0; i < n; ++i) out[i] = uint16_t(p[i] << 8);
        return;
    }
    {
        const uint8_t* p = src.row(rows.first[j]) + offset;
        const int32_t w0 = w[0];
        for (size_t i = 0; i < n; ++i) acc[i] = p[i] * w0;
    }
    for (int32_t t = 1; t < count; ++t) {
        const uint8_t* p = src.row(rows.first[j] + t) + offset;
        const int32_t wt = w[t];
        for (size_t i = 0; i < n; ++i) acc[i] += p[i] * wt;
    }
    constexpr int kDrop = AxisFilter::kWeightBits - 8;
    for (size_t i = 0; i < n; ++i) out[i] = uint16_t((acc[i] + (1 << (kDrop - 1))) >> kDrop);
}

// The horizontal pass into one row of destination pixels.
void HorizontalPass(const std::vector<uint16_t>& in, int channels, int x0, const AxisFilter& cols, Pixel* out,
                    int n) {
    constexpr int kShift = AxisFilter::kWeightBits + 8;
    constexpr int32_t kHalf = 1 << (kShift - 1);
    for (int i = 0; i < n; ++i) {
        const int32_t count = cols.count[size_t(i)];
        const int32_t* w = &cols.weights[size_t(i) * size_t(cols.taps)];
        const uint16_t* p = &in[size_t(cols.first[size_t(i)] - x0) * size_t(channels)];
        int32_t b = kHalf, g = kHalf, r = kHalf;
        for (int32_t t = 0; t < count; ++t, p += channels) {
            b += p[0] * w[t];
            g += p[1] * w[t];
            r += p[2] * w[t];
        }
        out[i] = MakePixel(uint8_t(std::min(r >> kShift, 255)), uint8_t(std::min(g >> kShift, 255)),
                           uint8_t(std::min(b >> kShift, 255)));
    }
}

}  // namespace

void ResampleInto(Bitmap& target, const Rect& dst, const ChannelRows& src, const SourceWindow& window,
                  const Rect& clip) {
    if (src.width <= 0 || src.height <= 0 || dst.is_empty() || !src.row) return;
    Rect visible = dst.intersected(clip).intersected(target.rect());
    if (visible.is_empty()) return;
    const AxisFilter cols = MakeAxisFilter(window.x, window.width, src.width, dst.width(), visible.left - dst.left,
                                           visible.right - dst.left);
    const AxisFilter rows = MakeAxisFilter(window.y, window.height, src.height, dst.height(), visible.top - dst.top,
                                           visible.bottom - dst.top);
    if (cols.first.empty() || rows.first.empty()) return;
    // The source columns the visible destination columns read.
    const int x0 = cols.first.front();
    const int x1 = cols.first.back() + cols.count.back();
    const size_t span = size_t(x1 - x0) * size_t(src.channels);
    std::vector<int32_t> acc(span);
    std::vector<uint16_t> inter(span);
    for (int y = visible.top; y < visible.bottom; ++y) {
        VerticalPass(src, rows, size_t(y - visible.top), x0, x1, acc, inter);
        HorizontalPass(inter, src.channels, x0, cols, target.row(y) + visible.left, visible.width());
    }
}

}  // namespace gd
