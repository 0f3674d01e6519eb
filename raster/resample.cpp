#include "raster/resample.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "raster/blend.h"

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
    int16_t* w = &f.weights[i * size_t(f.taps)];
    for (size_t k = 0; k < taps.size(); ++k) {
        w[k] = int16_t(std::lround(taps[k].second / total * AxisFilter::kWeightOne));
        sum += w[k];
        if (taps[k].second > taps[heaviest].second) heaviest = k;
    }
    w[heaviest] = int16_t(w[heaviest] + AxisFilter::kWeightOne - sum);
}

}  // namespace

AxisFilter MakeAxisFilter(double start, double length, int src_length, int dst_length, int from, int to) {
    AxisFilter f;
    const int n = std::max(to - from, 0);
    if (n == 0 || src_length <= 0 || dst_length <= 0 || !(length > 0)) return f;
    const double scale = length / dst_length;  // source pixels per destination pixel
    const bool shrink = scale > 1.0;
    // A box of `scale` pixels touches at most ceil(scale) + 1 of them.
    // Rounded up to an even count: the horizontal pass takes two taps a step.
    f.taps = std::min(shrink ? (int(std::ceil(scale)) + 2) / 2 * 2 : 2, src_length);
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
        // Zero taps after the real ones may run past the source's end: then the taps
        // start earlier, with zeros before the real ones, so every index stays inside.
        const int32_t shift = std::max(0, taps.front().first + f.taps - src_length);
        if (shift > 0) {
            const int32_t lead = std::min(shift, taps.front().first);
            std::vector<std::pair<int32_t, double>> padded;
            for (int32_t k = 0; k < lead; ++k) padded.emplace_back(taps.front().first - lead + k, 0.0);
            padded.insert(padded.end(), taps.begin(), taps.end());
            taps.swap(padded);
        }
        StoreTaps(f, size_t(d - from), taps);
    }
    return f;
}

ChannelRows RowsOf(const Bitmap& bitmap) {
    return {bitmap.width(), bitmap.height(), 4,
            [&bitmap](int y) { return reinterpret_cast<const uint8_t*>(bitmap.row(y)); }};
}

namespace {

// The intermediate values carry 7 more bits than the source (value x 128, at most 32640),
// so they and the 14-bit weights are 16-bit numbers whose products fit 32 bits: the
// compiler multiplies them eight at a time.
constexpr int kInterBits = 7;

// One destination row's vertical pass: the weighted sum of the source rows over the
// columns [x0, x1), rounded once, to value x 128.
void VerticalPass(const ChannelRows& src, const AxisFilter& rows, size_t j, int x0, int x1,
                  std::vector<int16_t>& out) {
    const size_t n = size_t(x1 - x0) * size_t(src.channels);
    const size_t offset = size_t(x0) * size_t(src.channels);
    const int32_t count = rows.count[j], first = rows.first[j];
    const int16_t* w = &rows.weights[j * size_t(rows.taps)];
    constexpr int kDrop = AxisFilter::kWeightBits - kInterBits;
    constexpr int32_t kRound = 1 << (kDrop - 1);
    int16_t* o = out.data();
    if (count == 1) {
        const uint8_t* p = src.row(first) + offset;
        for (size_t i = 0; i < n; ++i) o[i] = int16_t(p[i] << kInterBits);
        return;
    }
    if (count == 2) {
        const uint8_t *p0 = src.row(first) + offset, *p1 = src.row(first + 1) + offset;
        const int16_t w0 = w[0], w1 = w[1];
        for (size_t i = 0; i < n; ++i) o[i] = int16_t((int16_t(p0[i]) * w0 + int16_t(p1[i]) * w1 + kRound) >> kDrop);
        return;
    }
    if (count == 3) {
        const uint8_t *p0 = src.row(first) + offset, *p1 = src.row(first + 1) + offset,
                      *p2 = src.row(first + 2) + offset;
        const int16_t w0 = w[0], w1 = w[1], w2 = w[2];
        for (size_t i = 0; i < n; ++i)
            o[i] = int16_t((int16_t(p0[i]) * w0 + int16_t(p1[i]) * w1 + int16_t(p2[i]) * w2 + kRound) >> kDrop);
        return;
    }
    std::vector<int32_t> acc(n, kRound);  // rare: shrinking by three or more
    for (int32_t t = 0; t < count; ++t) {
        const uint8_t* p = src.row(first + t) + offset;
        const int16_t wt = w[t];
        for (size_t i = 0; i < n; ++i) acc[i] += int16_t(p[i]) * wt;
    }
    for (size_t i = 0; i < n; ++i) o[i] = int16_t(acc[i] >> kDrop);
}

// The horizontal pass into one row of destination pixels, over every tap of the filter
// (the padding ones weigh nothing). `in` has kInterSlack values after the row.
constexpr size_t kInterSlack = 16;

template <int kChannels>
void HorizontalPass(const std::vector<int16_t>& in, int x0, const AxisFilter& cols, Pixel* out, int n) {
    constexpr int kShift = AxisFilter::kWeightBits + kInterBits;
    constexpr int32_t kHalf = 1 << (kShift - 1);
    const int taps = cols.taps;
#if defined(__SSE2__)
    // Two taps a step: a tap's channels are four 16-bit lanes (with three channels the
    // fourth is the next pixel's blue, whose sum is never read), interleaved with the
    // next tap's, then multiplied by the pair of weights and added in 32 bits.
    const __m128i half = _mm_set1_epi32(kHalf);
    for (int i = 0; i < n; ++i) {
        const int16_t* w = &cols.weights[size_t(i) * size_t(taps)];
        const int16_t* p = &in[size_t(cols.first[size_t(i)] - x0) * kChannels];
        __m128i sum = half;
        for (int t = 0; t < taps; t += 2) {
            const int16_t w1 = t + 1 < taps ? w[t + 1] : 0;  // an odd count only from a tiny source
            const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + t * kChannels));
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + (t + 1) * kChannels));
            const __m128i pair = _mm_set1_epi32(int32_t(uint16_t(w[t])) | int32_t(uint32_t(uint16_t(w1)) << 16));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), pair));
        }
        const __m128i words = _mm_packs_epi32(_mm_srai_epi32(sum, kShift), sum);
        out[i] = Pixel(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))) & 0x00FFFFFFu;
    }
#else
    for (int i = 0; i < n; ++i) {
        const int16_t* w = &cols.weights[size_t(i) * size_t(taps)];
        const int16_t* p = &in[size_t(cols.first[size_t(i)] - x0) * kChannels];
        int32_t b = kHalf, g = kHalf, r = kHalf;
        for (int t = 0; t < taps; ++t, p += kChannels) {
            b += p[0] * w[t];
            g += p[1] * w[t];
            r += p[2] * w[t];
        }
        out[i] = MakePixel(uint8_t(std::min(r >> kShift, 255)), uint8_t(std::min(g >> kShift, 255)),
                           uint8_t(std::min(b >> kShift, 255)));
    }
#endif
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
    // The source columns the visible destination columns read, padding taps included.
    const int x0 = cols.first.front();
    const int x1 = std::min(cols.first.back() + cols.taps, src.width);
    std::vector<int16_t> inter(size_t(x1 - x0) * size_t(src.channels) + kInterSlack, 0);
    for (int y = visible.top; y < visible.bottom; ++y) {
        VerticalPass(src, rows, size_t(y - visible.top), x0, x1, inter);
        Pixel* out = target.row(y) + visible.left;
        if (src.channels == 4)
            HorizontalPass<4>(inter, x0, cols, out, visible.width());
        else
            HorizontalPass<3>(inter, x0, cols, out, visible.width());
    }
}

namespace {

// Where a destination pixel's centre falls in the source: the left (top) source index,
// kept so that it and the next lie inside, and the weight of the next, 0..256.
void Locate(double start, double scale, int d, int src_length, int32_t& index, uint16_t& weight) {
    const double c = start + (d + 0.5) * scale - 0.5;
    const double k = std::clamp(std::floor(c), 0.0, double(std::max(src_length - 2, 0)));
    const double f = std::clamp(c - k, 0.0, 1.0);
    index = int32_t(k);
    weight = uint16_t(std::lround(f * kBlendWhole));
}

// out[i] = the blend of row[c] and row[c + 1], c = column[i] - x0, by weight[i]. Four
// pixels at a time in 16-bit lanes where the processor has them (every x86-64 does).
void BlendColumns(const Pixel* row, const int32_t* column, int x0, const uint16_t* weight, Pixel* out, int n) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), whole = _mm_set1_epi16(kBlendWhole), half = _mm_set1_epi16(128);
    for (; i + 4 <= n; i += 4) {
        const int c0 = column[i] - x0, c1 = column[i + 1] - x0, c2 = column[i + 2] - x0, c3 = column[i + 3] - x0;
        const __m128i left = _mm_set_epi32(int(row[c3]), int(row[c2]), int(row[c1]), int(row[c0]));
        const __m128i right = _mm_set_epi32(int(row[c3 + 1]), int(row[c2 + 1]), int(row[c1 + 1]), int(row[c0 + 1]));
        const short w0 = short(weight[i]), w1 = short(weight[i + 1]), w2 = short(weight[i + 2]),
                    w3 = short(weight[i + 3]);
        const __m128i wlo = _mm_set_epi16(w1, w1, w1, w1, w0, w0, w0, w0);
        const __m128i whi = _mm_set_epi16(w3, w3, w3, w3, w2, w2, w2, w2);
        // Each lane: left x (256 - w) + right x w + 128, at most 65408: no overflow.
        const __m128i lo = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(left, zero), _mm_sub_epi16(whole, wlo)),
                                        _mm_mullo_epi16(_mm_unpacklo_epi8(right, zero), wlo)),
                          half),
            8);
        const __m128i hi = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(left, zero), _mm_sub_epi16(whole, whi)),
                                        _mm_mullo_epi16(_mm_unpackhi_epi8(right, zero), whi)),
                          half),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i) {
        const int c = column[i] - x0;
        out[i] = BlendPixel(row[c], row[c + 1], weight[i]);
    }
}

}  // namespace

void DrawBilinear(Bitmap& target, const Rect& dst, const Bitmap& src, const SourceWindow& window,
                  BilinearScratch& scratch) {
    const Rect visible = dst.intersected(target.rect());
    if (visible.is_empty() || src.empty() || !(window.width > 0) || !(window.height > 0)) return;
    const int n = visible.width();
    const double sx = window.width / dst.width(), sy = window.height / dst.height();
    scratch.column.resize(size_t(n));
    scratch.weight.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        Locate(window.x, sx, visible.left - dst.left + i, src.width(), scratch.column[size_t(i)],
               scratch.weight[size_t(i)]);
    const int last = std::min(src.width() - 1, 1);
    const int x0 = scratch.column.front(), x1 = std::min(scratch.column.back() + last, src.width() - 1);
    // Columns one to one at a whole offset: rows only.
    const bool columns_as_they_are = sx == 1.0 && window.x == std::floor(window.x) &&
                                     scratch.weight.front() == 0 && x1 - x0 + 1 >= n;
    scratch.row.resize(size_t(x1 - x0 + 2));
    for (int y = visible.top; y < visible.bottom; ++y) {
        int32_t k;
        uint16_t wy;
        Locate(window.y, sy, y - dst.top, src.height(), k, wy);
        const int k2 = std::min(k + 1, src.height() - 1);
        Pixel* out = target.row(y) + visible.left;
        if (columns_as_they_are) {
            BlendPixelRow(out, src.row(k) + x0, src.row(k2) + x0, n, wy);
            continue;
        }
        Pixel* row = scratch.row.data();
        BlendPixelRow(row, src.row(k) + x0, src.row(k2) + x0, x1 - x0 + 1, wy);
        row[x1 - x0 + 1] = row[x1 - x0];  // the right neighbour of the last column
        BlendColumns(row, scratch.column.data() , x0, scratch.weight.data(), out, n);
    }
}

}  // namespace gd
