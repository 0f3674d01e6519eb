// WMF (Windows metafile), rendered by our own player of the common records onto a white
// canvas: window origin and extent, pens, solid brushes, rectangles, rounded rectangles
// (drawn square), ellipses, polygons, poly-polygons, polylines, move/line-to, and DIBs
// placed with StretchDIB or DIBStretchBlt. Text, regions, clipping, raster operations
// other than copying and hatched or pattern brushes are not drawn.
//
// Size: with the placeable header, its bounding box at 96 dots per inch; otherwise the
// first window extent, one pixel per logical unit. Sizes beyond the image limits are
// refused; drawings larger than 4096 pixels a side are drawn smaller, keeping their shape,
// since the canvas and the picture are both held while drawing.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "imaging/bmp_dib.h"
#include "imaging/codec_list.h"
#include "imaging/limits.h"
#include "raster/blit.h"
#include "raster/region.h"

namespace gd {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kMaxObjects = 4096;
constexpr int kMaxRenderSide = 4096;
// Hostile files can ask for endless drawing; past this many pixel operations the
// picture is refused instead of keeping the maker busy.
constexpr uint64_t kMaxWork = uint64_t(1) << 31;

enum : uint16_t {
    kEof = 0x0000, kSetBkMode = 0x0102, kSetPolyFillMode = 0x0106, kSelectObject = 0x012D, kDeleteObject = 0x01F0,
    kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C, kLineTo = 0x0213, kMoveTo = 0x0214, kCreatePenIndirect = 0x02FA,
    kCreateBrushIndirect = 0x02FC, kPolygon = 0x0324, kPolyline = 0x0325, kEllipse = 0x0418, kRectangle = 0x041B,
    kPolyPolygon = 0x0538, kRoundRect = 0x061C, kDibStretchBlt = 0x0B41, kStretchDib = 0x0F43,
    // Records that create objects we do not draw with; they still take a slot in the table.
    kCreatePalette = 0x00F7, kCreatePatternBrush = 0x01F9, kDibCreatePatternBrush = 0x0142,
    kCreateFontIndirect = 0x02FB, kCreateRegion = 0x06FF,
};

struct Layout {
    size_t records = 0;  // offset of the first record
    int width = 0, height = 0;
    Rect window;         // logical window from the placeable header, empty without one
    int unscaled_width = 0, unscaled_height = 0;
};

struct GdiObject {
    enum Kind { None, Pen, Brush, Other } kind = None;
    bool visible = false;
    Pixel colour = 0;
    int width = 1;
};

Status ReadLayout(Bytes data, Layout& layout) {
    ByteReader r(data);
    if (r.U32() == kPlaceableKey) {
        r.U16();
        int left = int16_t(r.U16()), top = int16_t(r.U16()), right = int16_t(r.U16()), bottom = int16_t(r.U16());
        int inch = r.U16();
        if (!r.ok()) return Status::Error("WMF: truncated header");
        if (inch <= 0) return Status::Error("WMF: bad units per inch");
        layout.window = {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
        layout.width = int(int64_t(layout.window.width()) * 96 / inch);
        layout.height = int(int64_t(layout.window.height()) * 96 / inch);
        layout.records = kPlaceableSize;
    }
    ByteReader h(data.subspan(std::min(layout.records, data.size())));
    uint16_t type = h.U16(), header_words = h.U16(), version = h.U16();
    if (!h.ok() || (type != 1 && type != 2) || header_words != 9 || (version != 0x0100 && version != 0x0300))
        return Status::Error("WMF: bad header");
    layout.records += 18;
    if (layout.window.is_empty()) {
        // No placeable header: the first window extent sets the size.
        ByteReader rec(data.subspan(std::min(layout.records, data.size())));
        while (rec.ok() && rec.remaining() >= 6) {
            uint32_t words = rec.U32();
            uint16_t function = rec.U16();
            if (words < 3 || words > rec.remaining() / 2 + 3 || function == kEof) break;
            auto params = rec.Bytes((words - 3) * 2);
            if (function == kSetWindowExt && params.size() >= 4) {
                layout.width = std::abs(int16_t(ReadU16(params.data() + 2)));
                layout.height = std::abs(int16_t(ReadU16(params.data())));
                break;
            }
        }
    }
    if (layout.width <= 0 || layout.height <= 0) return Status::Error("WMF: no picture size");
    return {};
}

// Calls visit(function, parameters) for each record up to the end record; fails when a
// record runs past the data or the end record is missing.
template <class Visit> Status ForEachRecord(Bytes records, Visit visit) {
    ByteReader r(records);
    while (r.remaining() >= 6) {
        uint32_t words = r.U32();
        uint16_t function = r.U16();
        if (function == kEof) return {};
        if (words < 3 || uint64_t(words - 3) * 2 > r.remaining()) return Status::Error("WMF: record runs past the end of the file");
        if (Status s = visit(function, r.Bytes((words - 3) * 2)); !s) return s;
    }
    return Status::Error("WMF: missing end record");
}

class Player {
public:
    Player(const Layout& layout, Bitmap& canvas) : canvas_(canvas), window_(layout.window) {
        if (window_.is_empty()) window_ = Rect::FromSize(0, 0, layout.unscaled_width, layout.unscaled_height);
        pen_.kind = GdiObject::Pen, pen_.visible = true, pen_.colour = 0;
        brush_.kind = GdiObject::Brush, brush_.visible = true, brush_.colour = 0xFFFFFF;
    }

    Status Play(Bytes records) {
        return ForEachRecord(records, [&](uint16_t function, Bytes params) {
            if (Status s = Record(function, params); !s) return s;
            return work_ > kMaxWork ? Status::Error("WMF: drawing too complex") : Status{};
        });
    }

private:
    static int16_t P(Bytes p, size_t i) { return i * 2 + 2 <= p.size() ? int16_t(ReadU16(p.data() + i * 2)) : 0; }

    Point Map(int x, int y) const {
        int64_t ww = window_.width() ? window_.width() : 1, wh = window_.height() ? window_.height() : 1;
        // Points far off the canvas are pulled in to a few canvas sizes away: shapes reaching
        // that far bend slightly, but no shape costs more than a few canvases of rows.
        auto bound = [](int64_t v, int size) { return int(std::clamp<int64_t>(v, -4 * int64_t(size), 5 * int64_t(size))); };
        return {bound((int64_t(x) - window_.left) * canvas_.width() / ww, canvas_.width()),
                bound((int64_t(y) - window_.top) * canvas_.height() / wh, canvas_.height())};
    }
    Rect MapRect(int left, int top, int right, int bottom) const {
        Point a = Map(left, top), b = Map(right, bottom);
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }

    Status Record(uint16_t function, Bytes p) {
        switch (function) {
        case kSetWindowOrg: window_ = Rect::FromSize(P(p, 1), P(p, 0), window_.width(), window_.height()); break;
        case kSetWindowExt: window_ = Rect::FromSize(window_.left, window_.top, P(p, 1), P(p, 0)); break;
        case kCreatePenIndirect: {
            GdiObject pen{GdiObject::Pen, (P(p, 0) & 0x0F) != 5, PixelFromColorRef(p.size() >= 10 ? ReadU32(p.data() + 6) : 0),
                          std::max<int>(1, P(p, 1))};
            return Add(pen);
        }
        case kCreateBrushIndirect: {
            GdiObject brush{GdiObject::Brush, P(p, 0) != 1, PixelFromColorRef(p.size() >= 6 ? ReadU32(p.data() + 2) : 0), 1};
            return Add(brush);
        }
        case kCreatePalette: case kCreatePatternBrush: case kDibCreatePatternBrush: case kCreateFontIndirect: case kCreateRegion:
            return Add(GdiObject{GdiObject::Other});
        case kSelectObject: {
            size_t i = size_t(uint16_t(P(p, 0)));
            if (i >= objects_.size() || objects_[i].kind == GdiObject::None) break;
            if (objects_[i].kind == GdiObject::Pen) pen_ = objects_[i];
            if (objects_[i].kind == GdiObject::Brush) brush_ = objects_[i];
            break;
        }
        case kDeleteObject: {
            size_t i = size_t(uint16_t(P(p, 0)));
            if (i < objects_.size()) objects_[i] = GdiObject{};
            break;
        }
        case kMoveTo: position_ = Map(P(p, 1), P(p, 0)); break;
        case kLineTo: {
            Point to = Map(P(p, 1), P(p, 0));
            Line(position_, to);
            position_ = to;
            break;
        }
        case kRectangle: case kRoundRect: {
            size_t o = function == kRoundRect ? 2 : 0;
            Rect box = MapRect(P(p, o + 3), P(p, o + 2), P(p, o + 1), P(p, o));
            Point corners[] = {{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1}, {box.left, box.bottom - 1}};
            Shape(Region::FromRect(box), corners, true);
            break;
        }
        case kEllipse: {
            Rect box = MapRect(P(p, 3), P(p, 2), P(p, 1), P(p, 0));
            std::vector<Point> outline;
            for (int i = 0; i < 64; ++i) {
                double a = i * 2 * 3.14159265358979 / 64;
                outline.push_back({int(std::lround(box.left + (box.width() - 1) * (1 + std::cos(a)) / 2)),
                                   int(std::lround(box.top + (box.height() - 1) * (1 + std::sin(a)) / 2))});
            }
            Shape(Region::Ellipse(box), outline, true);
            break;
        }
        case kPolygon: case kPolyline: {
            std::vector<Point> points = Points(p, 1, size_t(uint16_t(P(p, 0))));
            if (function == kPolygon) Shape(Region::Polygon(points), points, true);
            else Shape(Region{}, points, false);
            break;
        }
        case kPolyPolygon: {
            size_t polygons = size_t(uint16_t(P(p, 0)));
            size_t at = 1 + polygons;
            Region all;
            std::vector<std::vector<Point>> rings;
            for (size_t i = 0; i < polygons; ++i) {
                size_t n = size_t(uint16_t(P(p, 1 + i)));
                rings.push_back(Points(p, at, n));
                at += n * 2;
                all = all.SymmetricDifference(Region::Polygon(rings.back()));
            }
            Shape(all, {}, true);
            for (const auto& ring : rings) Shape(Region{}, ring, true);
            break;
        }
        case kStretchDib: return Blit(p, 11, 11);
        case kDibStretchBlt: return Blit(p, 10, 10);
        default: break;  // records that do not draw, or that we do not draw
        }
        return {};
    }

    Status Add(const GdiObject& object) {
        for (GdiObject& slot : objects_)
            if (slot.kind == GdiObject::None) {
                slot = object;
                return {};
            }
        if (objects_.size() >= kMaxObjects) return Status::Error("WMF: too many objects");
        objects_.push_back(object);
        return {};
    }

    std::vector<Point> Points(Bytes p, size_t first, size_t count) {
        std::vector<Point> points;
        count = std::min(count, (p.size() / 2 - std::min(p.size() / 2, first)) / 2);
        for (size_t i = 0; i < count; ++i) points.push_back(Map(P(p, first + i * 2), P(p, first + i * 2 + 1)));
        work_ += uint64_t(count) * uint64_t(canvas_.height());  // the polygon's scan of every row
        return points;
    }

    void Shape(const Region& area, std::span<const Point> outline, bool closed) {
        if (brush_.visible && !area.is_empty()) {
            work_ += uint64_t(area.bounds().intersected(canvas_.rect()).width()) * uint64_t(area.bounds().intersected(canvas_.rect()).height());
            FillPixels(canvas_, area.bounds(), brush_.colour, &area);
        }
        if (!pen_.visible || outline.empty()) return;
        for (size_t i = 0; i + 1 < outline.size(); ++i) Line(outline[i], outline[i + 1]);
        if (closed && outline.size() > 2) Line(outline.back(), outline.front());
    }

    // A line of the pen's width (mapped to the canvas), one square dab per step, clipped
    // to the canvas first so that far-away coordinates cost nothing.
    void Line(Point a, Point b) {
        if (!pen_.visible) return;
        int width = std::clamp(Map(pen_.width, 0).x - Map(0, 0).x, 1, 256);
        if (!ClipToCanvas(a, b, width)) return;
        int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y), sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            work_ += uint64_t(width) * uint64_t(width);
            FillPixels(canvas_, Rect::FromSize(a.x - width / 2, a.y - width / 2, width, width), pen_.colour, nullptr);
            if (a.x == b.x && a.y == b.y) break;
            int e2 = 2 * err;
            if (e2 >= dy) err += dy, a.x += sx;
            if (e2 <= dx) err += dx, a.y += sy;
        }
    }

    // Cuts the segment to the canvas grown by `margin` (parametric clipping).
    bool ClipToCanvas(Point& a, Point& b, int margin) const {
        double x0 = a.x, y0 = a.y, dx = double(b.x) - a.x, dy = double(b.y) - a.y, t0 = 0, t1 = 1;
        const double lo_x = -margin, hi_x = canvas_.width() + margin, lo_y = -margin, hi_y = canvas_.height() + margin;
        const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 - lo_x, hi_x - x0, y0 - lo_y, hi_y - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return false;
                continue;
            }
            double t = q[i] / p[i];
            if (p[i] < 0) t0 = std::max(t0, t);
            else t1 = std::min(t1, t);
            if (t0 > t1) return false;
        }
        b = {int(std::lround(x0 + t1 * dx)), int(std::lround(y0 + t1 * dy))};
        a = {int(std::lround(x0 + t0 * dx)), int(std::lround(y0 + t0 * dy))};
        return true;
    }

    // A DIB placed into a destination rectangle; `dib_at` is where its BITMAPINFO starts
    // (in 16-bit words), `geometry` the word index just past the destination x.
    Status Blit(Bytes p, size_t dib_at, size_t geometry) {
        if (p.size() < dib_at * 2 + 40) return {};
        int src_h = P(p, geometry - 8), src_w = P(p, geometry - 7), src_y = P(p, geometry - 6), src_x = P(p, geometry - 5);
        int dst_h = P(p, geometry - 4), dst_w = P(p, geometry - 3), dst_y = P(p, geometry - 2), dst_x = P(p, geometry - 1);
        Dib dib;
        if (Status s = DecodeDibBody(DibSource{p.subspan(dib_at * 2), -1, false}, dib); !s) return s;
        Bitmap picture(dib.width, dib.height);
        for (int y = 0; y < dib.height; ++y)
            for (int x = 0; x < dib.width; ++x) {
                if (dib.bpp == 24) {
                    const uint8_t* px = dib.top_row(y) + size_t(x) * 3;
                    picture.set_pixel(x, y, MakePixel(px[2], px[1], px[0]));
                } else {
                    const RgbQuad& c = dib.palette[size_t(dib.index_at(x, y)) % dib.palette.size()];
                    picture.set_pixel(x, y, MakePixel(c.red, c.green, c.blue));
                }
            }
        Rect dst = MapRect(dst_x, dst_y, dst_x + dst_w, dst_y + dst_h);
        // Source rows count from the bottom of the DIB.
        Rect src = Rect::FromSize(src_x, dib.height - src_y - src_h, src_w, src_h);
        if (!dst.is_empty() && !src.is_empty()) StretchPixels(canvas_, dst, picture, src, nullptr);
        return {};
    }

    Bitmap& canvas_;
    Rect window_;
    std::vector<GdiObject> objects_;
    GdiObject pen_, brush_;
    Point position_;
    uint64_t work_ = 0;  // pixels touched so far, against kMaxWork
};

}  // namespace

bool ProbeWmf(Bytes data) {
    if (data.size() >= 4 && ReadU32(data.data()) == kPlaceableKey) return data.size() >= kPlaceableSize + 18;
    return data.size() >= 18 && (ReadU16(data.data()) == 1 || ReadU16(data.data()) == 2) && ReadU16(data.data() + 2) == 9 &&
           (ReadU16(data.data() + 4) == 0x0100 || ReadU16(data.data() + 4) == 0x0300);
}

Status WmfInfo(Bytes data, ImageInfo& info) {
    Layout layout;
    if (Status s = ReadLayout(data, layout); !s) return s;
    info.width = layout.width;
    info.height = layout.height;
    info.bpp = 24;
    return {};
}

Status WmfDecode(Bytes data, Dib& out) {
    Layout layout;
    if (Status s = ReadLayout(data, layout); !s) return s;
    if (Status s = CheckImageSize(layout.width, layout.height, 24); !s) return s;
    layout.unscaled_width = layout.width;
    layout.unscaled_height = layout.height;
    const int longest = std::max(layout.width, layout.height);
    if (longest > kMaxRenderSide) {
        layout.width = std::max(1, int(int64_t(layout.width) * kMaxRenderSide / longest));
        layout.height = std::max(1, int(int64_t(layout.height) * kMaxRenderSide / longest));
    }
    // A file whose records are damaged is refused before a canvas is taken for it.
    const Bytes records = data.subspan(layout.records);
    if (Status s = ForEachRecord(records, [](uint16_t, Bytes) { return Status{}; }); !s) return s;
    Bitmap canvas(layout.width, layout.height, 0xFFFFFF);
    Player player(layout, canvas);
    if (Status s = player.Play(records); !s) return s;
    if (Status s = AllocateDib(out, layout.width, layout.height, 24); !s) return s;
    for (int y = 0; y < layout.height; ++y) {
        uint8_t* dst = out.top_row(y);
        const Pixel* src = canvas.row(y);
        for (int x = 0; x < layout.width; ++x, dst += 3) {
            dst[0] = PixelBlue(src[x]);
            dst[1] = PixelGreen(src[x]);
            dst[2] = PixelRed(src[x]);
        }
    }
    return {};
}

}  // namespace gd
