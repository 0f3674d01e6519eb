// Drawing a CxImage with smooth scaling (raster/resample.h).

#include <vector>

#include "imaging/cx_image.h"
#include "imaging/fit_size.h"

namespace gd {
namespace {

// A picture that is not plain 24-bit (a palette, a transparent index, an alpha plane) as
// 24-bit rows, top-down, with its see-through pixels laid over `under`: what drawing it
// over a frame filled with that colour shows.
std::vector<uint8_t> FlatRows(const CxImage& image, Pixel under) {
    const Dib& dib = image.dib();
    const size_t w = size_t(dib.width);
    std::vector<uint8_t> rows(w * 3 * size_t(dib.height));
    for (int y = 0; y < dib.height; ++y) {
        uint8_t* out = rows.data() + size_t(y) * w * 3;
        const uint8_t* alpha = dib.alpha.empty() ? nullptr : dib.alpha.data() + size_t(y) * w;
        for (int x = 0; x < dib.width; ++x, out += 3) {
            Pixel p = image.GetPixelColor(x, y);
            int a = alpha ? alpha[x] : 255;
            if (dib.bpp != 24 && dib.transparent >= 0 && dib.index_at(x, y) == dib.transparent) a = 0;
            out[0] = BlendChannel(PixelBlue(p), PixelBlue(under), a);
            out[1] = BlendChannel(PixelGreen(p), PixelGreen(under), a);
            out[2] = BlendChannel(PixelRed(p), PixelRed(under), a);
        }
    }
    return rows;
}

}  // namespace

bool CxImage::DrawSmooth(Bitmap& target, const Rect& dst, Pixel under, const SourceWindow* window) const {
    if (!IsValid() || !enabled_ || dst.is_empty()) return false;
    const SourceWindow whole{0, 0, double(dib_.width), double(dib_.height)};
    const SourceWindow& part = window ? *window : whole;
    if (dib_.bpp == 24 && dib_.alpha.empty()) {
        ResampleInto(target, dst, {dib_.width, dib_.height, 3, [this](int y) { return dib_.top_row(y); }}, part,
                     target.rect());
        return true;
    }
    const std::vector<uint8_t> flat = FlatRows(*this, under);
    const size_t stride = size_t(dib_.width) * 3;
    ResampleInto(target, dst, {dib_.width, dib_.height, 3, [&](int y) { return flat.data() + size_t(y) * stride; }},
                 part, target.rect());
    return true;
}

bool CxImage::ShrinkToFit(int box_width, int box_height, Pixel under) {
    if (!IsValid()) return false;
    const FittedSize size = FitIntoBox(dib_.width, dib_.height, box_width, box_height);
    if (size.width == dib_.width && size.height == dib_.height) return true;
    Bitmap shrunk(size.width, size.height, under);
    if (!DrawSmooth(shrunk, shrunk.rect(), under)) return Fail("Fit: cannot draw the picture");
    // The fitted picture goes into the storage of the whole one, drawn already: it keeps
    // that storage's size for the next picture decoded into it (ReuseStorage), and
    // needs no memory of its own.
    if (Status s = AllocateDib(dib_, size.width, size.height, 24); !s) return Fail(s.text());
    for (int y = 0; y < size.height; ++y) {
        const Pixel* in = shrunk.row(y);
        uint8_t* row = dib_.top_row(y);
        for (int x = 0; x < size.width; ++x, row += 3) {
            row[0] = uint8_t(PixelBlue(in[x])), row[1] = uint8_t(PixelGreen(in[x])), row[2] = uint8_t(PixelRed(in[x]));
        }
    }
    return true;
}

}  // namespace gd
