// Effects that reveal the new frame through circular rings, diamond rings or edge wedges.
// Every step builds its clip region, copies through it and drops it before the next step.
#include <array>
#include <cmath>
#include <span>

#include "effects/families.h"
#include "effects/reveal_uncovered.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// --- Rings: the circle of radius j minus the circle of radius j - 1, around (cx, cy) ---

// Only the rows of the window are rasterised: the last rings reach far beyond it.
void RoundRing(SlideStage& stage, int cx, int cy, int j) {
    const int h = stage.height();
    const Rect outer{cx - j, cy - j, cx + j, cy + j};
    stage.SetClip(j > 1 ? Region::EllipseRingInRows(outer, {cx - j + 1, cy - j + 1, cx + j - 1, cy + j - 1}, 0, h)
                        : Region::EllipseInRows(outer, 0, h));
    stage.Copy(cx - j, cy - j, 2 * j, 2 * j);
}

// Radius of the last ring: beyond half the diagonal, so the rings end on every corner.
int RoundSteps(const SlideStage& stage) {
    const int w = stage.width(), h = stage.height();
    return int(std::sqrt(double(w * w + h * h))) / 2 + 2;
}

DemoPace RoundPace(const SlideStage& stage) { return {.every = 3, .sleep_ms = stage.settings().demo_speed + 1}; }

// --- Diamonds: |x - cx| + |y - cy| below j, minus the one below j - 1 ---

// The diamond of size j, or with `ring` the diamond of size j less the one of size j - 1,
// as one even-odd polygon: the outer outline, a step along the row cy to the inner one,
// the inner outline, and back. The two horizontal steps add no edge to any row, so the
// pixels are exactly those of the two diamonds' difference, at half the rasterising cost.
// Only the window's rows are rasterised.
Region Diamond(int cx, int cy, int j, bool ring, int h) {
    const std::array<Point, 10> p{{{cx - j, cy}, {cx, cy - j}, {cx + j, cy}, {cx, cy + j}, {cx - j, cy},
                                   {cx - j + 1, cy}, {cx, cy - j + 1}, {cx + j - 1, cy}, {cx, cy + j - 1},
                                   {cx - j + 1, cy}}};
    return Region::PolygonInRows(std::span<const Point>(p.data(), ring ? 10 : 4), 0, h);
}

void DiamondRing(SlideStage& stage, int cx, int cy, int j, bool ring) {
    stage.SetClip(Diamond(cx, cy, j, ring, stage.height()));
    stage.Copy(cx - j, cy - j, 2 * j, 2 * j);
}

// Half-diagonal of the last diamond: it exceeds (W + H) / 2, so the last one holds the
// window's corners.
int ArrisSteps(const SlideStage& stage) {
    const int w = stage.width(), h = stage.height();
    double d = std::sqrt(double(w * w + h * h)) * 0.5 + 1.0;
    return int(d * std::sqrt(2.0));
}

DemoPace ArrisPace(const SlideStage& stage) { return {.every = 3, .sleep_ms = stage.settings().demo_speed + 1}; }

// --- Wedges: four quadrilaterals from the window's edges toward its centre ---

// Where the four wedge tips stand: the x of the left and right tips (on the row cy), the y
// of the top and bottom tips (on the column cx).
struct Tips {
    int left, top, right, bottom;
};

// The strip of each edge's wedge between its tips `from` and `to`: one polygon of the two
// triangles' four points, whose even-odd fill is the part in one triangle only. Called
// with the first and the last tips it yields everything the steps between them revealed.
std::array<std::array<Point, 4>, 4> WedgeStrips(int w, int h, const Tips& from, const Tips& to) {
    const int cx = w / 2, cy = h / 2;
    return {{
        {{{0, 0}, {from.left, cy}, {0, h}, {to.left, cy}}},
        {{{0, 0}, {cx, from.top}, {w, 0}, {cx, to.top}}},
        {{{w, 0}, {from.right, cy}, {w, h}, {to.right, cy}}},
        {{{w, h}, {cx, from.bottom}, {0, h}, {cx, to.bottom}}},
    }};
}

// Star In's tips move from the edges past the centre, Star Out's from the centre past the
// edges; both one column per step sideways and (i x H) / W rows up and down.
void Star(SlideStage& stage, bool inward) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height(), cx = w / 2, cy = h / 2;
    const int n = w / 2 + 1;
    const Tips first = inward ? Tips{0, 0, w, h} : Tips{cx, cy, cx, cy};
    Tips prev = first;
    const DemoPace pace{.sleep_ms = stage.settings().demo_speed / 3 + 1};
    for (int i = 1; i <= n; ++i) {
        if (stage.IsStopRequested()) return;
        const int e = (i * h) / w;
        const Tips next = inward ? Tips{i, e, w - i, h - e} : Tips{cx - i, cy - e, cx + i, cy + e};
        for (const auto& quad : WedgeStrips(w, h, prev, next)) {
            stage.SetClip(Region::Polygon(quad));
            stage.Copy(0, 0, w, h);
        }
        prev = next;
        if (i == n) {
            // In windows much wider than tall the top and bottom tips stop a row short of
            // the centre (Star In) or of the edge (Star Out) and leave a thin sliver.
            Region covered;
            for (const auto& quad : WedgeStrips(w, h, first, prev)) covered = covered.Union(Region::Polygon(quad));
            RevealUncovered(stage, covered);
        }
        if (!stage.EndStep(i, n, pace)) return;
    }
}

}  // namespace

void RoundOut(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int cx = stage.width() / 2, cy = stage.height() / 2, n = RoundSteps(stage);
    for (int j = 1; j <= n; ++j) {
        if (stage.IsStopRequested()) return;
        RoundRing(stage, cx, cy, j);
        if (!stage.EndStep(j, n, RoundPace(stage))) return;
    }
}

// The first ring is not waited for (step 0) and the last wait ends at (n - 1) / n.
void RoundIn(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int cx = stage.width() / 2, cy = stage.height() / 2, n = RoundSteps(stage);
    for (int j = n, t = 0; j >= 1; --j, ++t) {
        if (stage.IsStopRequested()) return;
        RoundRing(stage, cx, cy, j);
        if (!stage.EndStep(t, n, j, RoundPace(stage))) return;
    }
}

void ArrisOut(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int cx = stage.width() / 2, cy = stage.height() / 2, n = ArrisSteps(stage);
    for (int j = 1; j <= n; ++j) {
        if (stage.IsStopRequested()) return;
        DiamondRing(stage, cx, cy, j, j > 1);
        if (!stage.EndStep(j, n, ArrisPace(stage))) return;
    }
}

// The step with j = 2 copies the whole small diamond, so j = 1 adds nothing new.
void ArrisIn(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int cx = stage.width() / 2, cy = stage.height() / 2, n = ArrisSteps(stage);
    for (int j = n, t = 1; j >= 1; --j, ++t) {
        if (stage.IsStopRequested()) return;
        DiamondRing(stage, cx, cy, j, j > 2);
        if (!stage.EndStep(t, n, j, ArrisPace(stage))) return;
    }
}

void StarIn(SlideStage& stage) { Star(stage, true); }
void StarOut(SlideStage& stage) { Star(stage, false); }

}  // namespace gd::fx
