#include "raster/region.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>

namespace gd {
namespace {

// Floor and ceiling of a / b for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Appends [left, right) to sorted spans, merging it with the last span when they touch.
void PushSpan(std::vector<Span>& out, int left, int right) {
    if (left >= right) return;
    if (!out.empty() && out.back().right >= left) {
        out.back().right = std::max(out.back().right, right);
        return;
    }
    out.push_back({left, right});
}

// The one-dimensional operation under every region operation: walks the span boundaries
// of `a` and `b` in order and keeps the stretches where keep(inA, inB) holds.
template <class Keep>
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Keep keep, std::vector<Span>& out) {
    size_t i = 0, j = 0;
    bool in_a = false, in_b = false, kept = false;
    int start = 0;
    auto next = [](const std::vector<Span>& s, size_t k, bool inside) {
        return k >= s.size() ? INT_MAX : (inside ? s[k].right : s[k].left);
    };
    for (;;) {
        int xa = next(a, i, in_a), xb = next(b, j, in_b);
        int x = std::min(xa, xb);
        if (x == INT_MAX) break;
        if (xa == x) {
            if (in_a) ++i;
            in_a = !in_a;
        }
        if (xb == x) {
            if (in_b) ++j;
            in_b = !in_b;
        }
        bool now = keep(in_a, in_b);
        if (now && !kept) start = x;
        if (!now && kept) PushSpan(out, start, x);
        kept = now;
    }
}

const std::vector<Span> kNoSpans;

}  // namespace

void Region::AppendBand(int top, int bottom, std::vector<Span>&& spans) {
    if (top >= bottom || spans.empty()) return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().spans == spans) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back({top, bottom, std::move(spans)});
}

Region Region::FromRect(const Rect& r) {
    Region out;
    if (!r.is_empty()) out.AppendBand(r.top, r.bottom, {{r.left, r.right}});
    return out;
}

Region Region::Polygon(std::span<const Point> points) { return PolygonInRows(points, INT_MIN, INT_MAX); }

Region Region::PolygonInRows(std::span<const Point> points, int top, int bottom) {
    Region out;
    if (points.size() < 3) return out;
    int min_y = INT_MAX, max_y = INT_MIN;
    for (const Point& p : points) {
        min_y = std::min(min_y, p.y);
        max_y = std::max(max_y, p.y);
    }
    min_y = std::max(min_y, top);
    max_y = std::min(max_y, bottom);
    std::vector<int64_t> cuts;
    for (int y = min_y; y < max_y; ++y) {
        cuts.clear();
        for (size_t k = 0; k < points.size(); ++k) {
            Point p = points[k], q = points[(k + 1) % points.size()];
            if (p.y == q.y) continue;
            if (p.y > q.y) std::swap(p, q);  // one orientation, so shared edges cut alike
            if (y < p.y || y >= q.y) continue;  // centre row y + 0.5 lies in [p.y, q.y)
            // The edge crosses the centre line at xc = p.x + num / den; the first pixel
            // whose centre lies at or right of it is ceil(xc - 0.5), computed exactly.
            int64_t dy = q.y - p.y, dx = q.x - p.x;
            int64_t num = (2 * int64_t(y) + 1 - 2 * int64_t(p.y)) * dx;
            int64_t den = 2 * dy;
            cuts.push_back(p.x + CeilDiv(2 * num - den, 2 * den));
        }
        std::sort(cuts.begin(), cuts.end());
        std::vector<Span> spans;
        for (size_t k = 0; k + 1 < cuts.size(); k += 2) PushSpan(spans, int(cuts[k]), int(cuts[k + 1]));
        out.AppendBand(y, y + 1, std::move(spans));
    }
    return out;
}

Region Region::Ellipse(const Rect& box) { return EllipseInRows(box, INT_MIN, INT_MAX); }

Region Region::EllipseInRows(const Rect& box, int top, int bottom) {
    Region out;
    int l = std::min(box.left, box.right), r = std::max(box.left, box.right);
    int t = std::min(box.top, box.bottom), b = std::max(box.top, box.bottom);
    int64_t a = r - l, h = b - t;  // diameters
    if (a <= 0 || h <= 0) return out;
    // Pixel (x, y) is inside when u^2 / a^2 + v^2 / h^2 <= 1 with u = 2x + 1 - (l + r) and
    // v = 2y + 1 - (t + b): its centre measured from the ellipse's centre, doubled.
    auto inside = [&](int64_t u, int64_t v) { return u * u * h * h + v * v * a * a <= a * a * h * h; };
    for (int y = std::max(t, top); y < std::min(b, bottom); ++y) {
        int64_t v = 2 * int64_t(y) + 1 - (int64_t(t) + b);
        if (!inside(((l + r) & 1) == 0 ? 1 : 0, v)) {
            out.AppendBand(y, y + 1, {});
            continue;
        }
        // Largest x right of the centre that is still inside; the span mirrors it.
        double reach = std::sqrt(std::max(0.0, double(a) * double(a) * (1.0 - double(v) * double(v) / double(h * h))));
        int64_t x = FloorDiv(int64_t(std::floor(reach)) + l + r - 1, 2);
        while (inside(2 * (x + 1) + 1 - (int64_t(l) + r), v)) ++x;
        while (!inside(2 * x + 1 - (int64_t(l) + r), v)) --x;
        int64_t left = int64_t(l) + r - 1 - x;
        out.AppendBand(y, y + 1, {{int(left), int(x + 1)}});
    }
    return out;
}

template <class Keep> Region Region::Combine(const Region& other, Keep keep) const {
    // Every row where either region's bands start or end. Each region's own edges are
    // already in order (bands are sorted and do not overlap), so a merge suffices; the
    // ring effects combine regions of thousands of bands at every step.
    auto edges = [](const std::vector<RegionBand>& bands) {
        std::vector<int> out;
        out.reserve(2 * bands.size());
        for (const RegionBand& band : bands) {
            out.push_back(band.top);
            out.push_back(band.bottom);
        }
        return out;
    };
    const std::vector<int> ya = edges(bands_), yb = edges(other.bands_);
    std::vector<int> ys(ya.size() + yb.size());
    std::merge(ya.begin(), ya.end(), yb.begin(), yb.end(), ys.begin());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    size_t ia = 0, ib = 0;
    // The spans of the band of `bands` that covers row y0, advancing the cursor `k`.
    auto spans_at = [](const std::vector<RegionBand>& bands, size_t& k, int y0) -> const std::vector<Span>& {
        while (k < bands.size() && bands[k].bottom <= y0) ++k;
        return k < bands.size() && bands[k].top <= y0 ? bands[k].spans : kNoSpans;
    };
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        int y0 = ys[k], y1 = ys[k + 1];
        std::vector<Span> spans;
        CombineSpans(spans_at(bands_, ia, y0), spans_at(other.bands_, ib, y0), keep, spans);
        out.AppendBand(y0, y1, std::move(spans));
    }
    assert(out.selfcheck());
    return out;
}

Region Region::Union(const Region& other) const {
    if (other.is_empty()) return *this;
    if (is_empty()) return other;
    return Combine(other, [](bool a, bool b) { return a || b; });
}

Region Region::Intersection(const Region& other) const {
    if (is_empty() || other.is_empty()) return {};
    return Combine(other, [](bool a, bool b) { return a && b; });
}

Region Region::Intersection(const Rect& r) const {
    Region out;
    if (r.is_empty()) return out;
    for (const RegionBand& band : bands_) {
        int top = std::max(band.top, r.top), bottom = std::min(band.bottom, r.bottom);
        if (top >= bottom) continue;
        std::vector<Span> spans;
        for (const Span& s : band.spans) PushSpan(spans, std::max(s.left, r.left), std::min(s.right, r.right));
        out.AppendBand(top, bottom, std::move(spans));
    }
    return out;
}

Region Region::SymmetricDifference(const Region& other) const {
    if (other.is_empty()) return *this;
    if (is_empty()) return other;
    return Combine(other, [](bool a, bool b) { return a != b; });
}

Region Region::Difference(const Region& other) const {
    if (is_empty() || other.is_empty()) return *this;
    return Combine(other, [](bool a, bool b) { return a && !b; });
}

Rect Region::bounds() const {
    if (bands_.empty()) return {};
    Rect r{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
    for (const RegionBand& band : bands_) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

int64_t Region::area() const {
    int64_t total = 0;
    for (const RegionBand& band : bands_)
        for (const Span& s : band.spans) total += int64_t(s.right - s.left) * (band.bottom - band.top);
    return total;
}

bool Region::contains(int x, int y) const {
    for (const RegionBand& band : bands_) {
        if (y < band.top) return false;
        if (y >= band.bottom) continue;
        for (const Span& s : band.spans)
            if (x >= s.left && x < s.right) return true;
        return false;
    }
    return false;
}

bool Region::selfcheck() const {
    for (size_t k = 0; k < bands_.size(); ++k) {
        const RegionBand& band = bands_[k];
        if (band.top >= band.bottom || band.spans.empty()) return false;
        if (k > 0) {
            const RegionBand& prev = bands_[k - 1];
            if (prev.bottom > band.top) return false;
            if (prev.bottom == band.top && prev.spans == band.spans) return false;
        }
        for (size_t s = 0; s < band.spans.size(); ++s) {
            if (band.spans[s].left >= band.spans[s].right) return false;
            if (s > 0 && band.spans[s - 1].right >= band.spans[s].left) return false;
        }
    }
    return true;
}

}  // namespace gd
