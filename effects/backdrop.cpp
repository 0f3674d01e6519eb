#include "effects/backdrop.h"

#include <algorithm>

#include "raster/resample.h"

namespace gd {
namespace {

// The small copy is this many times smaller than the screen: a blur of a few of its
// pixels spans a tenth of the screen.
constexpr int kShrink = 24;

// One pass of a 3 x 3 box blur, edges repeated; `scratch` has the size of `b`.
void BoxBlur(Bitmap& b, Bitmap& scratch) {
    const int w = b.width(), h = b.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t sum[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const Pixel p = b.pixel(std::clamp(x + dx, 0, w - 1), std::clamp(y + dy, 0, h - 1));
                    for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
                }
            scratch.set_pixel(x, y, ((sum[2] / 9) << 16) | ((sum[1] / 9) << 8) | (sum[0] / 9));
        }
    std::swap(b, scratch);
}

void Darken(Bitmap& b) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const Pixel p = b.pixel(x, y);
            const uint32_t rb = ((p & 0xFF00FFu) * kBackdropBrightness >> 8) & 0xFF00FFu;
            const uint32_t g = ((p & 0x00FF00u) * kBackdropBrightness >> 8) & 0x00FF00u;
            b.set_pixel(x, y, rb | g);
        }
}

}  // namespace

void DrawBackdrop(Bitmap& frame, const CxImage& image, Pixel background) {
    const int w = frame.width(), h = frame.height();
    if (!image.IsValid() || w <= 0 || h <= 0) {
        frame.Fill(background);
        return;
    }
    // The part of the picture with the screen's shape that covers it, centred.
    const double w0 = image.GetWidth(), h0 = image.GetHeight();
    const double s = std::max(w / w0, h / h0);
    const SourceWindow cover{(w0 - w / s) / 2, (h0 - h / s) / 2, w / s, h / s};
    Bitmap small(std::max(w / kShrink, 2), std::max(h / kShrink, 2)), scratch(small.width(), small.height());
    image.DrawSmooth(small, small.rect(), background, &cover);
    for (int pass = 0; pass < 3; ++pass) BoxBlur(small, scratch);
    Darken(small);
    ResampleInto(frame, frame.rect(), RowsOf(small), frame.rect());
}

}  // namespace gd
