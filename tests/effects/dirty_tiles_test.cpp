#include "effects/dirty_tiles.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "common/random15.h"

namespace gd {
namespace {

constexpr int kTw = DirtyTiles::kTileWidth, kTh = DirtyTiles::kTileHeight;

// Pixels marked by hand beside the tiles, for checking what Take gives out.
struct Mask {
    Mask(int w, int h) : w(w), h(h), on(size_t(w) * h, 0) {}
    void Add(const Rect& r) {
        Rect c = r.intersected({0, 0, w, h});
        for (int y = c.top; y < c.bottom; ++y)
            for (int x = c.left; x < c.right; ++x) on[size_t(y) * w + x] = 1;
    }
    void Add(const Region& region, const Rect& within) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (within.contains(x, y) && region.contains(x, y)) on[size_t(y) * w + x] = 1;
    }
    bool TileHasMark(int tx, int ty) const {
        for (int y = ty * kTh; y < std::min(h, (ty + 1) * kTh); ++y)
            for (int x = tx * kTw; x < std::min(w, (tx + 1) * kTw); ++x)
                if (on[size_t(y) * w + x]) return true;
        return false;
    }
    int w, h;
    std::vector<uint8_t> on;
};

// What a present must copy: every marked pixel, only whole tiles holding a mark, inside
// the window, each pixel once.
void ExpectCoversTheMarkedTiles(const std::vector<Rect>& rects, const Mask& mask, const std::string& what) {
    std::vector<uint8_t> covered(mask.on.size(), 0);
    for (const Rect& r : rects) {
        ASSERT_FALSE(r.is_empty()) << what;
        ASSERT_TRUE((Rect{0, 0, mask.w, mask.h}).contains(r)) << what;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                ASSERT_EQ(covered[size_t(y) * mask.w + x], 0) << what << ": (" << x << ", " << y << ") twice";
                covered[size_t(y) * mask.w + x] = 1;
            }
    }
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x) {
            const bool want = mask.TileHasMark(x / kTw, y / kTh);
            ASSERT_EQ(covered[size_t(y) * mask.w + x] != 0, want) << what << ": (" << x << ", " << y << ")";
        }
}

TEST(DirtyTiles, GivesOutExactlyTheMarkedTilesOfRectanglesAndRegions) {
    SeedRandom(7);
    const std::array<std::pair<int, int>, 5> sizes{{{1, 1}, {33, 9}, {100, 40}, {64, 16}, {150, 97}}};
    for (auto [w, h] : sizes) {
        for (int round = 0; round < 20; ++round) {
            DirtyTiles tiles(w, h);
            Mask mask(w, h);
            const std::string what = std::to_string(w) + "x" + std::to_string(h) + " round " + std::to_string(round);
            const int marks = 1 + NextRandom() % 6;
            for (int k = 0; k < marks; ++k) {
                // Rectangles and shapes that may reach past the window on any side.
                const int x = int(NextRandom() % unsigned(w + 40)) - 20, y = int(NextRandom() % unsigned(h + 40)) - 20;
                const Rect r = Rect::FromSize(x, y, 1 + NextRandom() % unsigned(w), 1 + NextRandom() % unsigned(h));
                if (NextRandom() % 2) {
                    tiles.Mark(r);
                    mask.Add(r);
                } else {
                    const Region ring = Region::Ellipse(r).SymmetricDifference(
                        Region::Ellipse({r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}));
                    const Rect within = Rect::FromSize(x / 2, y / 2, w, h);
                    tiles.Mark(ring, within);
                    mask.Add(ring, within);
                }
            }
            std::vector<Rect> rects;
            tiles.Take(rects);
            ExpectCoversTheMarkedTiles(rects, mask, what);
            EXPECT_TRUE(tiles.empty()) << what;
            tiles.Take(rects);
            EXPECT_TRUE(rects.empty()) << what << ": marks left after a take";
        }
    }
}

TEST(DirtyTiles, JoinsNeighbouringTilesIntoFewRectangles) {
    DirtyTiles tiles(100, 40);
    std::vector<Rect> rects;
    EXPECT_TRUE(tiles.empty());
    tiles.Take(rects);
    EXPECT_TRUE(rects.empty());

    tiles.Mark(Rect{0, 0, 100, 40});
    tiles.Take(rects);
    EXPECT_EQ(rects, (std::vector<Rect>{{0, 0, 100, 40}}));

    // Two thin columns the height of the window: one rectangle each, not one per tile row.
    tiles.Mark(Rect{5, 0, 6, 40});
    tiles.Mark(Rect{70, 3, 71, 39});
    tiles.Take(rects);
    EXPECT_EQ(rects, (std::vector<Rect>{{0, 0, 32, 40}, {64, 0, 96, 40}}));

    // A staircase does not join: its runs differ from row to row.
    tiles.Mark(Rect{0, 0, 40, 8});
    tiles.Mark(Rect{0, 8, 70, 16});
    tiles.Take(rects);
    EXPECT_EQ(rects, (std::vector<Rect>{{0, 0, 64, 8}, {0, 8, 96, 16}}));

    // Nothing inside the window: nothing to present.
    tiles.Mark(Rect{-10, -10, 0, 50});
    tiles.Mark(Region::FromRect({0, 0, 10, 10}), Rect{20, 20, 30, 30});
    EXPECT_TRUE(tiles.empty());
}

}  // namespace
}  // namespace gd
