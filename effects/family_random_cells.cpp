// Effects that reveal the new frame in cells or lines in a random or spiral order.
#include <vector>

#include "common/random15.h"
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// 1 / 32767 as the show has always written it: the index formula maps r = 0..32767 onto
// 0..last, and the exact constant decides which index a given r picks.
constexpr double kInverseRandomMax = 0.00003051850947599719;

// Reveals every unit once, in random order: each step takes a random one of the units not
// yet revealed (the first last + 1 entries) and moves the entry at `last` into its place.
// Step t of N ends with EndStep(t, N) whose demonstration counter is the number of units
// still hidden.
template <class Unit, class Reveal>
void RevealInRandomOrder(SlideStage& stage, std::vector<Unit>& units, const DemoPace& demo, Reveal reveal) {
    const int n = int(units.size());
    int step = 0;
    for (int last = n - 1; last >= 0; --last) {
        if (stage.IsStopRequested()) return;
        // The product r x last first, in floating point, then truncated.
        const int index = int(double(NextRandom()) * double(last) * kInverseRandomMax);
        reveal(units[size_t(index)]);
        units[size_t(index)] = units[size_t(last)];
        ++step;
        stage.EndStep(step, n, last, demo);
    }
}

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

struct CellCorner {
    int x;
    int y;
};

void MosaicCells(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int side = 10 * (1 + NextRandom() % 2);
    std::vector<CellCorner> cells;
    cells.reserve(size_t(CeilDiv(w, side)) * size_t(CeilDiv(h, side)));
    for (int y = 0; y < h; y += side)
        for (int x = 0; x < w; x += side) cells.push_back({x, y});
    const int s = stage.settings().demo_speed;
    const DemoPace demo{.every = 30 - side / 10, .sleep_ms = 5 * s + 5};
    RevealInRandomOrder(stage, cells, demo, [&](CellCorner c) { stage.Copy(c.x, c.y, side, side); });
}

// Random Lines: bands of T rows (or columns), T = 1..3, in random order.
void RandomLines(SlideStage& stage, bool rows) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int thickness = 1 + NextRandom() % 3;
    const int length = rows ? h : w;
    std::vector<int> lines;
    lines.reserve(size_t(CeilDiv(length, thickness)));
    for (int v = 0; v < length; v += thickness) lines.push_back(v);
    const DemoPace demo{.every = 4 - thickness, .sleep_ms = stage.settings().demo_speed + 1};
    RevealInRandomOrder(stage, lines, demo, [&](int v) {
        if (rows)
            stage.Copy(0, v, w, thickness);
        else
            stage.Copy(v, 0, thickness, h);
    });
}

// Spire: a clockwise square spiral of S x S cells from the top-left corner inward. The
// right and bottom legs align to the window's right and bottom edges, the left and top
// legs to multiples of S. The walk makes a fixed N + 1 copies: some fall outside the
// window or repeat a revealed cell (after the turn from the left leg up, and once the
// spiral has reached the middle); each still counts as a step.
void SpiralCells(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int side = 10 * (2 + NextRandom() % 3);
    const int copies = (w / side + 1) * (h / side + 2) + 1;
    enum Direction { kRight, kDown, kLeft, kUp };
    Direction d = kRight;
    int x = 0, y = 0;
    int side_margin = 0;   // consumed on the left and right
    int top_margin = 0;    // consumed on the top and bottom
    int left = -side;
    const DemoPace demo{.sleep_ms = stage.settings().demo_speed + 1};
    for (int k = 1; k <= copies; ++k) {
        if (stage.IsStopRequested()) return;
        stage.Copy(x, y, side, side);
        switch (d) {
            case kRight:
                x += side;
                if (x >= w - side_margin) {
                    x = w - side_margin - side;
                    y += side;
                    d = kDown;
                }
                break;
            case kDown:
                y += side;
                if (y >= h - top_margin) {
                    y = h - top_margin - side;
                    x -= side;
                    d = kLeft;
                }
                break;
            case kLeft:
                x -= side;
                if (x <= side_margin) {
                    left += side;
                    x = left;
                    side_margin += side;
                    y += side;
                    d = kUp;
                }
                break;
            case kUp:
                y -= side;
                if (y <= top_margin) {
                    top_margin += side;
                    y = top_margin;
                    x += side;
                    d = kRight;
                }
                break;
        }
        stage.EndStep(k, copies, demo);
    }
}

}  // namespace

void Mosaic(SlideStage& stage) { MosaicCells(stage); }
void RandomLinesHorizontal(SlideStage& stage) { RandomLines(stage, true); }
void RandomLinesVertical(SlideStage& stage) { RandomLines(stage, false); }
void Spire(SlideStage& stage) { SpiralCells(stage); }

}  // namespace gd::fx
