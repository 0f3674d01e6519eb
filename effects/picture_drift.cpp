#include "effects/picture_drift.h"

#include <algorithm>

#include "common/random15.h"

namespace gd {
namespace {

// Starts and ends at rest, so the drift neither jumps when the pause begins nor when the
// next transition takes over.
double Ease(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A point of [0.2, 0.8] of `length`, from the generator.
double RandomInside(double length) { return length * (0.2 + 0.6 * (NextRandom() / 32767.0)); }

}  // namespace

bool PansOnStage(int w, int h, int w0, int h0) {
    return w > 0 && h > 0 && w0 > 0 && h0 > 0 && double(h0) * w >= kPanRatio * double(h) * w0;
}

void PictureDrift::Clear() {
    picture_ = Bitmap();
    text_.clear();
}

void PictureDrift::Prepare(const CxImage& image, const Rect& placed, int strength_percent, bool smooth, Pixel under) {
    Clear();
    placed_ = placed;
    if (!image.IsValid() || placed.is_empty()) return;
    const int w0 = image.GetWidth(), h0 = image.GetHeight();
    pan_ = PansOnStage(placed.width(), placed.height(), w0, h0);
    zoom_ = 1.0 + std::clamp(strength_percent, 1, 50) / 100.0;
    int kw, kh;
    if (pan_) {
        kw = placed.width();
        kh = std::max(placed.height(), int(double(h0) * kw / w0));
    } else {
        kw = int(placed.width() * zoom_ + 0.5);
        kh = int(placed.height() * zoom_ + 0.5);
    }
    picture_ = Bitmap(kw, kh, under);
    if (smooth)
        image.DrawSmooth(picture_, picture_.rect(), under);
    else
        image.Draw2(picture_, 0, 0, kw, kh);
    anchor_x_ = RandomInside(kw);
    anchor_y_ = RandomInside(kh);
}

SourceWindow PictureDrift::WindowAt(double t) const {
    const double e = Ease(t), kw = picture_.width(), kh = picture_.height();
    if (pan_) return {0, e * (kh - placed_.height()), kw, double(placed_.height())};
    // At zoom z the window is 1 / z of the kept picture (which is zoom_ times the placed
    // size, so the drift ends at the kept picture's own scale), and the anchor keeps its
    // place on the screen as the window closes in on it.
    const double z = 1.0 + (zoom_ - 1.0) * e;
    const double shrink = 1.0 / z;
    return {anchor_x_ * (1 - shrink), anchor_y_ * (1 - shrink), kw * shrink, kh * shrink};
}

void PictureDrift::TakeTextOverlay(const Bitmap& on_black, const Bitmap& on_white) {
    text_.clear();
    const Rect r = placed_.intersected(on_black.rect()).intersected(on_white.rect());
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const Pixel b = on_black.pixel(x, y), w = on_white.pixel(x, y);
            if (b != 0 || w != 0x00FFFFFF) text_.push_back({uint32_t(x), uint32_t(y), b, w});
        }
}

void PictureDrift::DrawAt(Bitmap& frame, double t) {
    if (!active()) return;
    DrawBilinear(frame, placed_, picture_, WindowAt(t), scratch_);
    // Each channel of a text pixel: its colour over black, plus what shows through it
    // (white minus black is how much of the picture does, per channel).
    for (const TextPixel& p : text_) {
        Pixel& out = frame.row(int(p.y))[p.x];
        Pixel mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const uint32_t b = (p.on_black >> shift) & 0xFF, w = (p.on_white >> shift) & 0xFF;
            const uint32_t under = (out >> shift) & 0xFF, through = w >= b ? w - b : 0;
            mixed |= std::min<uint32_t>(255, b + (under * through + 127) / 255) << shift;
        }
        out = mixed;
    }
}

}  // namespace gd
