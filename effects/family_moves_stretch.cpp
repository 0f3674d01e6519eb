// Effects that move or stretch the new frame into the window: parts of the frame are
// copied to positions other than their own and shift one pixel per step until they stand
// in their own place.
#include <algorithm>
#include <cstdint>

#include "common/random15.h"
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// Move Horizontal and Move Vertical along one axis: `length` is W (H), `near` the placed
// picture's left (top) edge and `far` its right (bottom) edge. Both edges are kept inside
// the window: a picture placed partly outside would otherwise end its slide off its place.
struct Slide {
    int length, near, far;
};

Slide SlideAlong(int length, int near, int far) {
    return {length, std::clamp(near, 0, length), std::clamp(far, 0, length)};
}

// Step i of 1..length of the slide along one axis, given as (destination, size, source)
// of the copied span: from the near side (d = 0) the frame up to the picture's far edge
// slides in until step K = far, then the rest is uncovered one line per step; from the
// other side (d = 1) the frame from the picture's near edge on slides in until step
// K = length - near, then the rest is uncovered backwards.
struct SpanCopy {
    int dst, size, src;
};

SpanCopy SlideStep(const Slide& s, bool from_far_side, int i) {
    if (!from_far_side) return i <= s.far ? SpanCopy{0, i, s.far - i} : SpanCopy{i - 1, 1, i - 1};
    const int k = s.length - s.near;
    return i <= k ? SpanCopy{s.length - i, i, s.near} : SpanCopy{s.length - i, 1, s.length - i};
}

DemoPace EachStep(const SlideStage& stage, int divisor) {
    return {.sleep_ms = stage.settings().demo_speed / divisor + 1};
}

// One step of Move From Corner: the frame's i x e corner opposite corner k slides in from
// corner k.
void CornerStep(SlideStage& stage, int k, int i) {
    const int w = stage.width(), h = stage.height();
    const int e = (i * h) / w, y1 = ((w - i) * h) / w;
    switch (k) {
        case 0: stage.CopyFrom(0, 0, i, e, w - i, y1); break;
        case 1: stage.CopyFrom(w - i, 0, i, e, 0, y1); break;
        case 2: stage.CopyFrom(0, h - e, i, e, w - i, 0); break;
        default: stage.CopyFrom(w - i, h - e, i, e, 0, 0); break;
    }
}

// Whether the band of 2o rows centred on the middle row maps every window row onto the
// frame row of the same number (as in the lowest windows), so the copy needs no mending.
bool StretchIsIdentity(int h, int o) {
    const int top = h / 2 - o;
    for (int y = 0; y < h; ++y)
        if (int64_t(y - top) * h / (2 * o) != y) return false;
    return true;
}

}  // namespace

void MoveHorizontal(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const bool from_right = NextRandom() % 2 == 1;
    const Slide slide = SlideAlong(w, stage.placed.left, stage.placed.right);
    for (int i = 1; i <= w; ++i) {
        if (stage.IsStopRequested()) return;
        const SpanCopy c = SlideStep(slide, from_right, i);
        stage.CopyFrom(c.dst, 0, c.size, h, c.src, 0);
        if (!stage.EndStep(i, w, EachStep(stage, 4))) return;
    }
}

void MoveVertical(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const bool from_bottom = NextRandom() % 2 == 1;
    const Slide slide = SlideAlong(h, stage.placed.top, stage.placed.bottom);
    for (int i = 1; i <= h; ++i) {
        if (stage.IsStopRequested()) return;
        const SpanCopy c = SlideStep(slide, from_bottom, i);
        stage.CopyFrom(0, c.dst, w, c.size, 0, c.src);
        if (!stage.EndStep(i, h, EachStep(stage, 3))) return;
    }
}

// The left half, ending with column M, slides in from the left edge and the right half,
// starting with column M, from the right edge. With even W the last right copy runs one
// column past the frame; CopyFrom cuts it and keeps it in its own columns.
void MoveToCenter(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height(), m = w / 2;
    for (int i = 1; i <= m + 1; ++i) {
        if (stage.IsStopRequested()) return;
        stage.CopyFrom(0, 0, i, h, m - i + 1, 0);
        stage.CopyFrom(w - i, 0, i, h, m, 0);
        if (!stage.EndStep(i, m + 1, EachStep(stage, 3))) return;
    }
}

void MoveToMiddle(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height(), m = h / 2;
    for (int i = 1; i <= m + 1; ++i) {
        if (stage.IsStopRequested()) return;
        stage.CopyFrom(0, 0, w, i, 0, m - i + 1);
        stage.CopyFrom(0, h - i, w, i, 0, m);
        if (!stage.EndStep(i, m + 1, EachStep(stage, 2))) return;
    }
}

// The four quarters slide in from the four corners, (i x H) / W rows tall at step i.
void MoveCross(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height(), m = w / 2, n = w / 2 + 1;
    for (int i = 1; i <= n; ++i) {
        if (stage.IsStopRequested()) return;
        const int e = (i * h) / w, y1 = ((n - i) * h) / w;
        stage.CopyFrom(0, 0, i, e, m - i + 1, y1);
        stage.CopyFrom(w - i, 0, i, e, m, y1);
        stage.CopyFrom(0, h - e, i, e, m - i + 1, h / 2);
        stage.CopyFrom(w - i, h - e, i, e, m, h / 2);
        // With odd H the last quarters are (n x H) / W rows tall, which in windows wider
        // than tall (W odd), or more than twice as wide as tall (W even), is one row short
        // of half the window: the lower quarters end a row below their place and the
        // middle row keeps an earlier step. The last step then copies the lower part in
        // place.
        if (i == n && h / 2 + e < h) stage.Copy(0, e, w, h - e);
        if (!stage.EndStep(i, n, EachStep(stage, 2))) return;
    }
}

// The whole frame slides in from corner k. The step number advances by 2 up to W; with
// odd W (and W = 1, where no even step exists) the last even step leaves the frame one
// column and a few rows off its place, so the slide ends with the step i = W, which
// copies the frame in place.
void MoveFromCorner(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width();
    const int k = NextRandom() % 4;
    const DemoPace pace = EachStep(stage, 3);
    for (int i = 2; i <= w; i += 2) {
        if (stage.IsStopRequested()) return;
        CornerStep(stage, k, i);
        if (!stage.EndStep(i, w, pace)) return;
    }
    if (w % 2 == 1) {
        if (stage.IsStopRequested()) return;
        CornerStep(stage, k, w);
        stage.EndStep(w, w, pace);
    }
}

// The frame unfolds vertically from the middle row: squeezed into a band of 2o rows, o =
// 10, 20, ... while o <= H / 2 + 10. The last band is taller than the window, so it shows
// the frame enlarged; that last step ends with the frame at its own scale. Paced against
// H / 10 steps (1 in windows lower than 10 pixels), so the unfolding takes about half the
// effect duration.
void Stretch(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int n = std::max(h / 10, 1);
    const DemoPace pace{.sleep_ms = 5 * stage.settings().demo_speed + 1};
    for (int o = 10; o <= h / 2 + 10; o += 10) {
        if (stage.IsStopRequested()) return;
        stage.StretchCopy(0, h / 2 - o, w, 2 * o, 0, 0, w, h);
        if (o + 10 > h / 2 + 10 && !StretchIsIdentity(h, o)) stage.Copy(0, 0, w, h);
        if (!stage.EndStep(o / 10, n, pace)) return;
    }
}

}  // namespace gd::fx
