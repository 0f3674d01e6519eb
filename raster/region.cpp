#include "raster/region.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>

namespace gd {
namespace {

// Floor of a / b for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The one-dimensional operation under every region operation: walks the span boundaries
// of `a` and `b` in order and hands the stretches where keep(inA, inB) holds to `emit`.
template <class Keep, class Emit>
void CombineSpans(std::span<const Span> a, std::span<const Span> b, Keep keep, Emit emit) {
    size_t i = 0, j = 0;
    bool in_a = false, in_b = false, kept = false;
    int start = 0;
    auto next = [](std::span<const Span> s, size_t k, bool inside) {
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
        if (!now && kept) emit(start, x);
        kept = now;
    }
}

}  // namespace

void Region::PushSpan(size_t first, int left, int right) {
    if (left >= right) return;
    if (spans_.size() > first && spans_.back().right >= left) {
        spans_.back().right = std::max(spans_.back().right, right);
        return;
    }
    spans_.push_back({left, right});
}

void Region::CloseBand(int top, int bottom, size_t first) {
    const size_t count = spans_.size() - first;
    if (top >= bottom || count == 0) {
        spans_.resize(first);
        return;
    }
    if (!bands_.empty()) {
        RegionBand& last = bands_.back();
        if (last.bottom == top && last.count == count &&
            std::equal(spans_.begin() + last.first, spans_.begin() + last.first + count, spans_.begin() + first)) {
            last.bottom = bottom;
            spans_.resize(first);
            return;
        }
    }
    bands_.push_back({top, bottom, uint32_t(first), uint32_t(count)});
}

Region Region::FromRect(const Rect& r) {
    Region out;
    if (r.is_empty()) return out;
    out.spans_.push_back({r.left, r.right});
    out.CloseBand(r.top, r.bottom, 0);
    return out;
}

namespace {

// One polygon edge walked row by row. On row y it cuts the centre line y + 0.5 at
// xc = p.x + (2y + 1 - 2 p.y) dx / (2 dy); the first pixel whose centre lies at or right
// of that is p.x + ceil(N / M) with N = 2 (2y + 1 - 2 p.y) dx - 2 dy and M = 4 dy. N grows
// by 4 dx per row, so the quotient and remainder are carried from row to row exactly,
// without a division per row.
struct EdgeWalk {
    int top = 0, bottom = 0;  // rows [top, bottom) whose centre line the edge crosses
    int x = 0;
    int64_t quot = 0, rem = 0;        // floor(N / M) and N - quot * M, in [0, M)
    int64_t step_quot = 0, step_rem = 0, m = 1;

    EdgeWalk(Point p, Point q, int first_row) {
        if (p.y > q.y) std::swap(p, q);  // one orientation, so shared edges cut alike
        top = p.y;
        bottom = q.y;
        x = p.x;
        const int64_t dx = int64_t(q.x) - p.x, dy = int64_t(q.y) - p.y;
        m = 4 * dy;
        step_quot = FloorDiv(4 * dx, m);
        step_rem = 4 * dx - step_quot * m;
        const int64_t row = std::max(first_row, top);
        const int64_t n = 2 * (2 * row + 1 - 2 * int64_t(p.y)) * dx - 2 * dy;
        quot = FloorDiv(n, m);
        rem = n - quot * m;
    }
    int64_t cut() const { return x + quot + (rem > 0 ? 1 : 0); }
    void next_row() {
        quot += step_quot;
        rem += step_rem;
        if (rem >= m) {
            rem -= m;
            ++quot;
        }
    }
};

}  // namespace

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
    std::vector<EdgeWalk> edges;
    edges.reserve(points.size());
    for (size_t k = 0; k < points.size(); ++k) {
        const Point p = points[k], q = points[(k + 1) % points.size()];
        if (p.y != q.y) edges.emplace_back(p, q, min_y);
    }
    std::vector<int64_t> cuts;
    for (int y = min_y; y < max_y; ++y) {
        cuts.clear();
        for (EdgeWalk& e : edges) {
            if (y < e.top || y >= e.bottom) continue;
            cuts.push_back(e.cut());
            e.next_row();
        }
        // A handful of cuts per row: an insertion sort beats the general one.
        for (size_t i = 1; i < cuts.size(); ++i) {
            const int64_t v = cuts[i];
            size_t j = i;
            for (; j > 0 && cuts[j - 1] > v; --j) cuts[j] = cuts[j - 1];
            cuts[j] = v;
        }
        const size_t first = out.spans_.size();
        for (size_t k = 0; k + 1 < cuts.size(); k += 2) out.PushSpan(first, int(cuts[k]), int(cuts[k + 1]));
        out.CloseBand(y, y + 1, first);
    }
    return out;
}

Region Region::Ellipse(const Rect& box) { return EllipseInRows(box, INT_MIN, INT_MAX); }

namespace {

// The rows of the ellipse inscribed in a box, one row's span at a time. Pixel (x, y) is
// inside when u^2 / a^2 + v^2 / h^2 <= 1 with u = 2x + 1 - (l + r) and v = 2y + 1 - (t + b):
// its centre measured from the ellipse's centre, doubled.
class EllipseRows {
public:
    explicit EllipseRows(const Rect& box)
        : l_(std::min(box.left, box.right)), r_(std::max(box.left, box.right)),
          t_(std::min(box.top, box.bottom)), b_(std::max(box.top, box.bottom)), a_(r_ - l_), h_(b_ - t_) {}
    bool empty() const { return a_ <= 0 || h_ <= 0; }
    int top() const { return t_; }
    int bottom() const { return b_; }
    // The span of row y (inside [top, bottom)); false when the row holds no pixel.
    bool Row(int y, Span& span) const {
        const int64_t l = l_, r = r_, a = a_, h = h_;
        int64_t v = 2 * int64_t(y) + 1 - (int64_t(t_) + b_);
        if (!Inside(((l + r) & 1) == 0 ? 1 : 0, v)) return false;
        // Largest x right of the centre that is still inside; the span mirrors it.
        double reach = std::sqrt(std::max(0.0, double(a) * double(a) * (1.0 - double(v) * double(v) / double(h * h))));
        int64_t x = FloorDiv(int64_t(std::floor(reach)) + l + r - 1, 2);
        while (Inside(2 * (x + 1) + 1 - (l + r), v)) ++x;
        while (!Inside(2 * x + 1 - (l + r), v)) --x;
        span = {int(l + r - 1 - x), int(x + 1)};
        return true;
    }

private:
    bool Inside(int64_t u, int64_t v) const {
        const int64_t a = a_, h = h_;
        return u * u * h * h + v * v * a * a <= a * a * h * h;
    }
    int l_, r_, t_, b_;
    int64_t a_, h_;  // diameters
};

}  // namespace

Region Region::EllipseInRows(const Rect& box, int top, int bottom) {
    Region out;
    const EllipseRows e(box);
    if (e.empty()) return out;
    Span span;
    for (int y = std::max(e.top(), top); y < std::min(e.bottom(), bottom); ++y) {
        if (!e.Row(y, span)) continue;
        const size_t first = out.spans_.size();
        out.spans_.push_back(span);
        out.CloseBand(y, y + 1, first);
    }
    return out;
}

Region Region::EllipseRingInRows(const Rect& a, const Rect& b, int top, int bottom) {
    const EllipseRows ea(a), eb(b);
    if (ea.empty()) return EllipseInRows(b, top, bottom);
    if (eb.empty()) return EllipseInRows(a, top, bottom);
    Region out;
    Span sa, sb;
    const int y0 = std::max(std::min(ea.top(), eb.top()), top);
    const int y1 = std::min(std::max(ea.bottom(), eb.bottom()), bottom);
    for (int y = y0; y < y1; ++y) {
        const bool in_a = y >= ea.top() && y < ea.bottom() && ea.Row(y, sa);
        const bool in_b = y >= eb.top() && y < eb.bottom() && eb.Row(y, sb);
        const size_t first = out.spans_.size();
        CombineSpans(std::span<const Span>(&sa, in_a ? 1 : 0), std::span<const Span>(&sb, in_b ? 1 : 0),
                     [](bool p, bool q) { return p != q; }, [&](int l, int r) { out.PushSpan(first, l, r); });
        out.CloseBand(y, y + 1, first);
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
    out.bands_.reserve(ys.size());
    out.spans_.reserve(spans_.size() + other.spans_.size());
    size_t ia = 0, ib = 0;
    // The spans of the band of `r` that covers row y0, advancing the cursor `k`.
    auto spans_at = [](const Region& r, size_t& k, int y0) -> std::span<const Span> {
        while (k < r.bands_.size() && r.bands_[k].bottom <= y0) ++k;
        return k < r.bands_.size() && r.bands_[k].top <= y0 ? r.spans(r.bands_[k]) : std::span<const Span>{};
    };
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        int y0 = ys[k], y1 = ys[k + 1];
        const size_t first = out.spans_.size();
        CombineSpans(spans_at(*this, ia, y0), spans_at(other, ib, y0), keep,
                     [&](int l, int r) { out.PushSpan(first, l, r); });
        out.CloseBand(y0, y1, first);
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
        const size_t first = out.spans_.size();
        for (const Span& s : spans(band)) out.PushSpan(first, std::max(s.left, r.left), std::min(s.right, r.right));
        out.CloseBand(top, bottom, first);
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
        r.left = std::min(r.left, spans_[band.first].left);
        r.right = std::max(r.right, spans_[band.first + band.count - 1].right);
    }
    return r;
}

int64_t Region::area() const {
    int64_t total = 0;
    for (const RegionBand& band : bands_)
        for (const Span& s : spans(band)) total += int64_t(s.right - s.left) * (band.bottom - band.top);
    return total;
}

bool Region::contains(int x, int y) const {
    for (const RegionBand& band : bands_) {
        if (y < band.top) return false;
        if (y >= band.bottom) continue;
        for (const Span& s : spans(band))
            if (x >= s.left && x < s.right) return true;
        return false;
    }
    return false;
}

bool Region::selfcheck() const {
    for (size_t k = 0; k < bands_.size(); ++k) {
        const RegionBand& band = bands_[k];
        if (band.top >= band.bottom || band.count == 0 || size_t(band.first) + band.count > spans_.size()) return false;
        std::span<const Span> s = spans(band);
        if (k > 0) {
            const RegionBand& prev = bands_[k - 1];
            if (prev.bottom > band.top) return false;
            std::span<const Span> p = spans(prev);
            if (prev.bottom == band.top && std::equal(p.begin(), p.end(), s.begin(), s.end())) return false;
        }
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i].left >= s[i].right) return false;
            if (i > 0 && s[i - 1].right >= s[i].left) return false;
        }
    }
    return true;
}

}  // namespace gd
