#include "raster/region.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "common/random15.h"

namespace gd {
namespace {

// A region described pixel by pixel from a membership test over `box`.
Region FromPredicate(const Rect& box, auto inside) {
    Region r;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (inside(x, y)) r = r.Union(Region::FromRect({x, y, x + 1, y + 1}));
    return r;
}

bool SameCoverage(const Region& a, const Region& b) {
    return a.SymmetricDifference(b).is_empty() && a.area() == b.area();
}

// A few random rectangles and diamonds joined: shapes with holes, touching bands and
// several spans per band.
Region RandomRegion() {
    Region r;
    for (int k = 0; k < 4; ++k) {
        int x = NextRandom() % 30 - 5, y = NextRandom() % 30 - 5, w = NextRandom() % 15, h = NextRandom() % 15;
        r = r.SymmetricDifference(Region::FromRect(Rect::FromSize(x, y, w, h)));
    }
    Point c{NextRandom() % 20, NextRandom() % 20};
    int s = 1 + NextRandom() % 9;
    Point diamond[] = {{c.x - s, c.y}, {c.x, c.y - s}, {c.x + s, c.y}, {c.x, c.y + s}};
    return r.Union(Region::Polygon(diamond));
}

TEST(Region, OperationsMatchPixelByPixelMembership) {
    SeedRandom(77);
    const Rect box{-10, -10, 40, 40};
    for (int round = 0; round < 20; ++round) {
        Region a = RandomRegion(), b = RandomRegion();
        Region u = a.Union(b), i = a.Intersection(b), x = a.SymmetricDifference(b), d = a.Difference(b);
        Rect clip{3, -2, 17, 25};
        Region ir = a.Intersection(clip);
        for (const Region* r : {&a, &b, &u, &i, &x, &d, &ir}) ASSERT_TRUE(r->selfcheck());
        for (int y = box.top; y < box.bottom; ++y)
            for (int px = box.left; px < box.right; ++px) {
                bool in_a = a.contains(px, y), in_b = b.contains(px, y);
                ASSERT_EQ(u.contains(px, y), in_a || in_b);
                ASSERT_EQ(i.contains(px, y), in_a && in_b);
                ASSERT_EQ(x.contains(px, y), in_a != in_b);
                ASSERT_EQ(d.contains(px, y), in_a && !in_b);
                ASSERT_EQ(ir.contains(px, y), in_a && clip.contains(px, y));
            }
        EXPECT_EQ(x.area(), a.area() + b.area() - 2 * i.area());
        EXPECT_EQ(d.area(), a.area() - i.area());
    }
}

// Pixel (x, y) lies in an even-odd polygon when an odd number of its edges cross the
// centre row y + 0.5 at or left of the centre x + 0.5; exact in integers.
bool InsidePolygon(const std::vector<Point>& pts, int x, int y) {
    int crossings = 0;
    for (size_t k = 0; k < pts.size(); ++k) {
        Point p = pts[k], q = pts[(k + 1) % pts.size()];
        if (p.y == q.y) continue;
        if (p.y > q.y) std::swap(p, q);
        if (y < p.y || y >= q.y) continue;
        int64_t dx = q.x - p.x, dy = q.y - p.y;
        if ((2 * int64_t(y) + 1 - 2 * p.y) * dx + 2 * dy * p.x <= (2 * int64_t(x) + 1) * dy) ++crossings;
    }
    return crossings % 2 == 1;
}

TEST(Region, ShapesBuiltInARangeOfRowsAreTheShapesCutToIt) {
    SeedRandom(5);
    const Rect box{-12, -12, 40, 40};
    for (int round = 0; round < 60; ++round) {
        std::vector<Point> pts;
        for (int k = 0, n = 3 + NextRandom() % 4; k < n; ++k) pts.push_back({NextRandom() % 46 - 10, NextRandom() % 46 - 10});
        int top = NextRandom() % 30 - 10, bottom = top + NextRandom() % 30;
        if (round % 4 == 0) top = INT_MIN, bottom = INT_MAX;
        Region poly = Region::PolygonInRows(pts, top, bottom);
        Rect oval_box = Rect::FromSize(NextRandom() % 20 - 8, NextRandom() % 20 - 8, NextRandom() % 30, NextRandom() % 30);
        Region oval = Region::EllipseInRows(oval_box, top, bottom), whole_oval = Region::Ellipse(oval_box);
        ASSERT_TRUE(poly.selfcheck());
        ASSERT_TRUE(oval.selfcheck());
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                bool in_limit = y >= top && y < bottom;
                ASSERT_EQ(poly.contains(x, y), in_limit && InsidePolygon(pts, x, y)) << round << " " << x << "," << y;
                ASSERT_EQ(oval.contains(x, y), in_limit && whole_oval.contains(x, y)) << round;
            }
    }
}

TEST(Region, RectanglePolygonCoversTheRectangleExactly) {
    Point pts[] = {{2, 3}, {9, 3}, {9, 7}, {2, 7}};
    Region p = Region::Polygon(pts);
    EXPECT_TRUE(SameCoverage(p, Region::FromRect({2, 3, 9, 7})));
    EXPECT_EQ(p.bands().size(), 1u);  // rows with equal spans are coalesced
    EXPECT_EQ(p.bounds(), (Rect{2, 3, 9, 7}));
}

TEST(Region, PolygonUsesTheEvenOddRule) {
    // A pentagram: the inner pentagon is crossed twice and stays empty.
    std::vector<Point> star;
    for (int k = 0; k < 5; ++k) {
        double a = k * 144.0 * 3.14159265358979 / 180.0;
        star.push_back({int(std::lround(50 + 40 * std::sin(a))), int(std::lround(50 - 40 * std::cos(a)))});
    }
    Region r = Region::Polygon(star);
    EXPECT_TRUE(r.selfcheck());
    EXPECT_FALSE(r.contains(50, 50));
    EXPECT_TRUE(r.contains(50, 15));  // in the top point
}

// Triangles that share edges, as the sweeping effects cut the window, must tile it:
// no pixel twice, none missed.
TEST(Region, TriangleFanTilesTheWindowWithoutGapsOrOverlap) {
    const int w = 37, h = 23;
    const Point centre{w / 2, h / 2};
    const int radius = int(std::sqrt(double(w * w + h * h))) / 2 + 2;
    Region covered;
    int64_t total = 0;
    Point prev{centre.x, centre.y - radius};
    for (int deg = 1; deg <= 360; ++deg) {
        double a = deg * 3.1415926535 * 0.005555555555555556;
        Point next{int(centre.x + radius * std::sin(a)), int(centre.y - radius * std::cos(a))};
        Point tri[] = {centre, prev, next};
        Region t = Region::Polygon(tri).Intersection(Rect{0, 0, w, h});
        EXPECT_TRUE(t.Intersection(covered).is_empty()) << "overlap at " << deg;
        covered = covered.Union(t);
        total += t.area();
        prev = next;
    }
    EXPECT_TRUE(SameCoverage(covered, Region::FromRect({0, 0, w, h})));
    EXPECT_EQ(total, int64_t(w) * h);
}

TEST(Region, EllipseIsTheDiscOfPixelCentres) {
    for (Rect box : {Rect{0, 0, 10, 10}, Rect{3, -4, 20, 5}, Rect{-1, -1, 0, 0}, Rect{5, 5, 6, 9}}) {
        double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
        double rx = box.width() / 2.0, ry = box.height() / 2.0;
        Region expected = FromPredicate(box, [&](int x, int y) {
            double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            return u * u + v * v <= 1.0 + 1e-12;
        });
        Region e = Region::Ellipse(box);
        EXPECT_TRUE(e.selfcheck());
        EXPECT_TRUE(SameCoverage(e, expected)) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
    EXPECT_TRUE(Region::Ellipse({4, 4, 4, 9}).is_empty());
    EXPECT_TRUE(SameCoverage(Region::Ellipse({10, 10, 0, 0}), Region::Ellipse({0, 0, 10, 10})));
}

// The row-limited shapes are the whole shapes cut to those rows, nothing more or less.
TEST(Region, RowLimitedShapesAreTheWholeShapesCutToTheRows) {
    const Point quad[] = {{-30, 4}, {12, -25}, {50, 8}, {9, 41}};
    const Rect box{-20, -12, 33, 40};
    for (auto [top, bottom] : {std::pair{0, 17}, std::pair{-100, 100}, std::pair{5, 6}, std::pair{50, 60}}) {
        const Rect rows{INT_MIN / 2, top, INT_MAX / 2, bottom};
        Region p = Region::PolygonInRows(quad, top, bottom);
        Region e = Region::EllipseInRows(box, top, bottom);
        EXPECT_TRUE(p.selfcheck() && e.selfcheck());
        EXPECT_TRUE(SameCoverage(p, Region::Polygon(quad).Intersection(rows))) << top << ".." << bottom;
        EXPECT_TRUE(SameCoverage(e, Region::Ellipse(box).Intersection(rows))) << top << ".." << bottom;
    }
}

// The one-pass ring is the two ellipses' symmetric difference cut to the rows: concentric
// or not, overlapping or apart, inverted or empty boxes, rows cutting either or none.
TEST(Region, RingInOnePassIsTheSymmetricDifferenceOfTheTwoEllipses) {
    SeedRandom(11);
    auto box = [] {
        int x = NextRandom() % 40 - 10, y = NextRandom() % 40 - 10;
        return Rect{x, y, x + int(NextRandom() % 30) - 3, y + int(NextRandom() % 30) - 3};
    };
    for (int k = 0; k < 300; ++k) {
        const Rect a = box(), b = k % 3 == 0 ? Rect{a.left + 1, a.top + 1, a.right - 1, a.bottom - 1} : box();
        const int top = NextRandom() % 50 - 15, bottom = top + NextRandom() % 50;
        const Rect rows{INT_MIN / 2, top, INT_MAX / 2, bottom};
        Region ring = Region::EllipseRingInRows(a, b, top, bottom);
        ASSERT_TRUE(ring.selfcheck());
        ASSERT_TRUE(SameCoverage(ring, Region::Ellipse(a).SymmetricDifference(Region::Ellipse(b)).Intersection(rows)))
            << k << ": (" << a.left << "," << a.top << "," << a.right << "," << a.bottom << ") (" << b.left << ","
            << b.top << "," << b.right << "," << b.bottom << ") rows " << top << ".." << bottom;
    }
}

// The ring effects reveal disc(j) xor disc(j - 1) per step: the rings must add up to the
// largest disc with no pixel left between two rings.
TEST(Region, ConcentricRingsAddUpToTheDisc) {
    const int cx = 20, cy = 15, n = 18;
    Region sum;
    int64_t total = 0;
    for (int j = 1; j <= n; ++j) {
        Region outer = Region::Ellipse({cx - j, cy - j, cx + j, cy + j});
        Region ring = j > 1 ? outer.SymmetricDifference(Region::Ellipse({cx - j + 1, cy - j + 1, cx + j - 1, cy + j - 1}))
                            : outer;
        total += ring.area();
        sum = sum.Union(ring);
    }
    Region disc = Region::Ellipse({cx - n, cy - n, cx + n, cy + n});
    EXPECT_TRUE(SameCoverage(sum, disc));
    EXPECT_EQ(total, disc.area());
}

}  // namespace
}  // namespace gd
