// Effects that reveal the new frame through thin triangles sweeping around the centre or a
// corner. Each triangle is a clip of its own over a copy of the whole window.
#include <array>
#include <cmath>
#include <vector>

#include "common/random15.h"
#include "effects/families.h"
#include "effects/reveal_uncovered.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// The centre sweeps' triangles reach beyond the window; only its rows are rasterised.
void Tri(SlideStage& stage, Point a, Point b, Point c) {
    const std::array<Point, 3> p{a, b, c};
    stage.SetClip(Region::PolygonInRows(p, 0, stage.height()));
    stage.Copy(0, 0, stage.width(), stage.height());
}

// One sweeping hand: its apex and the point its last triangle ended on.
struct Hand {
    Point apex;
    Point prev;
    void To(SlideStage& stage, Point next) {
        Tri(stage, apex, prev, next);
        prev = next;
    }
};

// --- Centre sweeps ---

// The circle the centre sweeps turn on: 0 degrees up, clockwise, radius R beyond half the
// diagonal. Points truncate toward zero, so a point computed at a + 360 can lie a pixel
// away from the one at a.
struct Dial {
    explicit Dial(const SlideStage& stage)
        : cx(stage.width() / 2), cy(stage.height() / 2),
          r(int(std::sqrt(double(stage.width() * stage.width() + stage.height() * stage.height()))) / 2 + 2) {}

    Point At(int degrees) const {
        double rad = degrees * 3.1415926535 * 0.005555555555555556;
        return {int(cx + r * std::sin(rad)), int(cy - r * std::cos(rad))};
    }
    Point centre() const { return {cx, cy}; }

    int cx, cy, r;
};

// Everything the centre sweeps revealed: the fan polygons of their hands (apex first,
// then every point a hand passed, in order). Where a hand ends a pixel short of where
// another began, or rounding pulls the circle inside a corner, the last step reveals the
// rest (see RevealUncovered).
class Fans {
public:
    Fans(const Dial& dial, int hands, int points_per_hand) : centre_(dial.centre()) {
        outlines_.resize(size_t(hands));
        for (auto& o : outlines_) o.reserve(size_t(points_per_hand) + 1);
    }
    void Pass(int hand, Point p) {
        auto& o = outlines_[size_t(hand)];
        if (o.empty()) o.push_back(centre_);
        o.push_back(p);
    }
    void Finish(SlideStage& stage) const {
        Region covered;
        for (const auto& o : outlines_) covered = covered.Union(Region::Polygon(o));
        RevealUncovered(stage, covered);
    }

private:
    Point centre_;
    std::vector<std::vector<Point>> outlines_;
};

int StartAngle() { return 90 * (NextRandom() % 4); }

// --- Corner sweeps ---

// The outer point of Slide Bevel (clockwise) and Slide Bevel Back (counter-clockwise) for
// apex corner k: it walks the two window edges that do not touch the apex.
struct BevelLeg {
    Point apex, start;
};

BevelLeg BevelCorner(int k, int w, int h, bool back) {
    switch (k) {
        case 0: return {{0, h}, back ? Point{w, h} : Point{0, 0}};
        case 1: return {{0, 0}, back ? Point{0, h} : Point{w, 0}};
        case 2: return {{w, 0}, back ? Point{0, 0} : Point{w, h}};
        default: return {{w, h}, back ? Point{w, 0} : Point{0, h}};
    }
}

Point BevelPoint(int k, int i, int w, int h) {
    switch (k) {
        case 0: return i <= w ? Point{i, 0} : Point{w, i - w};
        case 1: return i <= h ? Point{w, i} : Point{w + h - i, h};
        case 2: return i <= w ? Point{w - i, h} : Point{0, w + h - i};
        default: return i <= h ? Point{0, h - i} : Point{i - h, 0};
    }
}

Point BevelBackPoint(int k, int i, int w, int h) {
    switch (k) {
        case 0: return i <= h ? Point{w, h - i} : Point{w + h - i, 0};
        case 1: return i <= w ? Point{i, h} : Point{w, w + h - i};
        case 2: return i <= h ? Point{0, i} : Point{i - h, h};
        default: return i <= w ? Point{w - i, 0} : Point{0, i - w};
    }
}

void Bevel(SlideStage& stage, bool back) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height(), k = NextRandom() % 4, n = w + h;
    const BevelLeg leg = BevelCorner(k, w, h, back);
    Hand hand{leg.apex, leg.start};
    const DemoPace pace{.every = 2, .sleep_ms = stage.settings().demo_speed / 4 + 1};
    for (int i = 1; i <= n; ++i) {
        if (stage.IsStopRequested()) return;
        hand.To(stage, back ? BevelBackPoint(k, i, w, h) : BevelPoint(k, i, w, h));
        if (!stage.EndStep(i, n, pace)) return;
    }
}

// Fan and Fan Back: eight blades of 45 degrees, each triangle from P(a - 1) to P(a) with
// a = first(k) + 45 b.
void Blades(SlideStage& stage, bool back) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    Fans fans(dial, 8, 46);
    const DemoPace pace{.sleep_ms = stage.settings().demo_speed + 1};
    for (int k = 1; k <= 45; ++k) {
        if (stage.IsStopRequested()) return;
        for (int b = 0; b < 8; ++b) {
            if (stage.IsStopRequested()) return;
            const int a = (back ? 46 - k : k) + 45 * b;
            const Point from = dial.At(a - 1), to = dial.At(a);
            Tri(stage, dial.centre(), from, to);
            // The blade's outline runs clockwise from 45 b to 45 (b + 1).
            if (k == 45) {
                for (int d = 45 * b; d <= 45 * b + 45; ++d) fans.Pass(b, dial.At(d));
            }
        }
        if (k == 45) fans.Finish(stage);
        if (!stage.EndStep(k, 45, pace)) return;
    }
}

}  // namespace

void Clock(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    const int a0 = StartAngle();
    Hand hand{dial.centre(), dial.At(a0)};
    Fans fans(dial, 1, 361);
    fans.Pass(0, hand.prev);
    const DemoPace pace{.every = 2, .sleep_ms = stage.settings().demo_speed / 4 + 1};
    for (int s = 1; s <= 360; ++s) {
        if (stage.IsStopRequested()) return;
        hand.To(stage, dial.At(a0 + s));
        fans.Pass(0, hand.prev);
        if (s == 360) fans.Finish(stage);
        if (!stage.EndStep(s, 360, pace)) return;
    }
}

// The first triangle runs from P(a0) to P(a0 + 360): no area, or the sliver between the
// two where truncation parts them.
void ClockBack(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    const int a0 = StartAngle();
    Hand hand{dial.centre(), dial.At(a0)};
    Fans fans(dial, 1, 362);
    fans.Pass(0, hand.prev);
    const DemoPace pace{.every = 2, .sleep_ms = stage.settings().demo_speed / 4 + 1};
    for (int s = 1; s <= 361; ++s) {
        if (stage.IsStopRequested()) return;
        hand.To(stage, dial.At(a0 + 361 - s));
        fans.Pass(0, hand.prev);
        if (s == 361) fans.Finish(stage);
        if (!stage.EndStep(s, 361, pace)) return;
    }
}

// Two hands from P(a0), one clockwise, one counter-clockwise (180 q - a = 2 a0 - a), that
// meet opposite the start after half a turn.
void DoubleClock(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    const int q = NextRandom() % 4, a0 = 90 * q;
    Hand one{dial.centre(), dial.At(a0)}, two = one;
    Fans fans(dial, 2, 182);
    fans.Pass(0, one.prev);
    fans.Pass(1, two.prev);
    const DemoPace pace{.sleep_ms = stage.settings().demo_speed / 4 + 1};
    for (int a = a0; a <= a0 + 180; ++a) {
        if (stage.IsStopRequested()) return;
        const int s = a - a0 + 1;
        one.To(stage, dial.At(a));
        two.To(stage, dial.At(180 * q - a));
        fans.Pass(0, one.prev);
        fans.Pass(1, two.prev);
        if (s == 181) fans.Finish(stage);
        if (!stage.EndStep(s, 181, pace)) return;
    }
}

// Four hands from the exact points straight up, right, down and left of the centre.
std::array<Hand, 4> Spokes(const Dial& dial) {
    const Point o = dial.centre();
    const int r = dial.r;
    return {{{o, {o.x, o.y - r}}, {o, {o.x + r, o.y}}, {o, {o.x, o.y + r}}, {o, {o.x - r, o.y}}}};
}

void Wheel(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    std::array<Hand, 4> hands = Spokes(dial);
    Fans fans(dial, 4, 91);
    for (int h = 0; h < 4; ++h) fans.Pass(h, hands[size_t(h)].prev);
    const DemoPace pace{.sleep_ms = stage.settings().demo_speed / 2 + 1};
    for (int k = 1; k <= 90; ++k) {
        if (stage.IsStopRequested()) return;
        for (int h = 0; h < 4; ++h) {
            hands[size_t(h)].To(stage, dial.At(k + 90 * h));
            fans.Pass(h, hands[size_t(h)].prev);
        }
        if (k == 90) fans.Finish(stage);
        if (!stage.EndStep(k, 90, pace)) return;
    }
}

// The first step's triangles end where they start (P(X - 180) at X = 180 is straight up).
void WheelBack(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Dial dial(stage);
    std::array<Hand, 4> hands = Spokes(dial);
    Fans fans(dial, 4, 92);
    // Counter-clockwise hands: the outline of each fan is kept in its own turning order,
    // which the even-odd fill does not mind.
    for (int h = 0; h < 4; ++h) fans.Pass(h, hands[size_t(h)].prev);
    const DemoPace pace{.sleep_ms = stage.settings().demo_speed / 2 + 1};
    for (int x = 180; x >= 90; --x) {
        if (stage.IsStopRequested()) return;
        const int s = 181 - x;
        for (int h = 0; h < 4; ++h) {
            hands[size_t(h)].To(stage, dial.At(x - 180 + 90 * h));
            fans.Pass(h, hands[size_t(h)].prev);
        }
        if (s == 91) fans.Finish(stage);
        if (!stage.EndStep(s, 91, pace)) return;
    }
}

void Fan(SlideStage& stage) { Blades(stage, false); }
void FanBack(SlideStage& stage) { Blades(stage, true); }

// Two triangles close over the window like scissors and meet along its diagonal; the step
// count follows H (d = 1) or W (d = 0).
void Coalition(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const bool by_rows = NextRandom() % 2 == 1;
    const int n = by_rows ? h : w;
    Hand a = by_rows ? Hand{{0, 0}, {w, 0}} : Hand{{0, h}, {0, 0}};
    Hand b = by_rows ? Hand{{w, h}, {0, h}} : Hand{{w, 0}, {w, h}};
    const DemoPace pace{.every = 2, .sleep_ms = stage.settings().demo_speed / 2 + 1};
    for (int i = 1; i <= n; ++i) {
        if (stage.IsStopRequested()) return;
        a.To(stage, by_rows ? Point{w, i} : Point{i, 0});
        b.To(stage, by_rows ? Point{0, h - i} : Point{w - i, h});
        if (!stage.EndStep(i, n, pace)) return;
    }
}

// The window opens from its diagonal toward the top-right and bottom-left corners.
void Abruption(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    Hand a{{0, 0}, {w, h}}, b{{w, h}, {0, 0}};
    const DemoPace pace{.every = 2, .sleep_ms = stage.settings().demo_speed / 2 + 1};
    for (int j = h - 1; j >= 0; --j) {
        if (stage.IsStopRequested()) return;
        a.To(stage, {w, j});
        b.To(stage, {0, h - j});
        if (!stage.EndStep(h - j, h, j, pace)) return;
    }
}

void SlideBevel(SlideStage& stage) { Bevel(stage, false); }
void SlideBevelBack(SlideStage& stage) { Bevel(stage, true); }

}  // namespace gd::fx
