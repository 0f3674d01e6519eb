// Effects that reveal the new frame as 1-pixel lines or narrow strips in a fixed order.
#include "common/random15.h"
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// Blinds: bands of a period P (10, 20 or 30 pixels); every step reveals one more line in
// every band, all bands in step. Offsets -1 .. P-1 over P + 1 steps: the first step's
// lines lie at -1 and are clipped away, yet the step is paced like any other.
void Blinds(SlideStage& stage, bool columns) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int period = 10 * (1 + NextRandom() % 3);
    const int bands = (columns ? w : h) / period;
    for (int k = 1; k <= period + 1; ++k) {
        if (stage.IsStopRequested()) return;
        for (int j = 0; j <= bands; ++j) {
            if (stage.IsStopRequested()) return;
            int line = k - 2 + j * period;
            if (columns)
                stage.Copy(line, 0, 1, h);
            else
                stage.Copy(0, line, w, 1);
        }
        const int s = stage.settings().demo_speed;
        stage.EndStep(k, period + 1, DemoPace{.sleep_ms = 1, .repeats = (10 * s + 10) / period + 1});
    }
}

// Grid: cells of P x P fill from their top and left edges toward the bottom-right corner,
// one row segment and one column segment per cell and step, offsets -1 .. P-1.
void GridCells(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int period = 10 * (1 + NextRandom() % 3);
    const int s = stage.settings().demo_speed;
    for (int k = 1; k <= period + 1; ++k) {
        if (stage.IsStopRequested()) return;
        for (int c = 0; c <= w / period; ++c) {
            for (int r = 0; r <= h / period; ++r) {
                if (stage.IsStopRequested()) return;
                stage.Copy(c * period, r * period + k - 2, period, 1);
                stage.Copy(c * period + k - 2, r * period, 1, period);
            }
        }
        stage.EndStep(k, period + 1, DemoPace{.sleep_ms = 1, .repeats = (10 * s + 10) / period + 1});
    }
}

// Sliding Jaws: bands of thickness B alternate in direction; even bands fill from the
// left (top) edge, odd bands from the right (bottom) edge, one line each per step.
void SlidingJaws(SlideStage& stage, bool horizontal_bands) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int band = 10 * (1 + NextRandom() % 3);
    const int length = horizontal_bands ? w : h;  // the sweep runs along this side
    const int across = horizontal_bands ? h : w;  // the bands are stacked along this one
    const DemoPace demo{.every = 4, .sleep_ms = stage.settings().demo_speed + 1, .stop_first = true};
    for (int i = 0; i <= length; ++i) {
        if (stage.IsStopRequested()) return;
        for (int b0 = 0; b0 <= across; b0 += 2 * band) {
            if (stage.IsStopRequested()) return;
            if (horizontal_bands) {
                stage.Copy(i, b0, 1, band);
                stage.Copy(w - i, b0 + band, 1, band);
            } else {
                stage.Copy(b0, i, band, 1);
                stage.Copy(b0 + band, h - i, band, 1);
            }
        }
        if (!stage.EndStep(i + 1, length + 1, i, demo)) return;
    }
}

// Copies column `v` (columns) or row `v` of the frame.
void CopyLine(SlideStage& stage, bool columns, int v) {
    if (columns)
        stage.Copy(v, 0, 1, stage.height());
    else
        stage.Copy(0, v, stage.width(), 1);
}

// Roll: one edge of new picture sweeps across from one side, chosen at random. Starting
// from the far side the first line lies just outside the window; that step still counts.
void Roll(SlideStage& stage, bool columns) {
    if (!stage.ComposeNextFrame()) return;
    const bool from_far_side = NextRandom() % 2 == 1;
    const int length = columns ? stage.width() : stage.height();
    const DemoPace demo{.every = 2, .sleep_ms = stage.settings().demo_speed + 1, .stop_first = true};
    for (int i = 0; i <= length; ++i) {
        if (stage.IsStopRequested()) return;
        CopyLine(stage, columns, from_far_side ? length - i : i);
        if (!stage.EndStep(i + 1, length + 1, i, demo)) return;
    }
}

// Slide Center / Middle: two lines per step, symmetric about the centre line, either from
// both edges inward or from the centre outward (at random).
void Slide(SlideStage& stage, bool columns) {
    if (!stage.ComposeNextFrame()) return;
    const bool inward = NextRandom() % 2 == 1;
    const int length = columns ? stage.width() : stage.height();
    const int middle = length / 2;
    const DemoPace demo{.every = 2, .sleep_ms = stage.settings().demo_speed + 1, .stop_first = true};
    for (int i = 0; i <= middle; ++i) {
        if (stage.IsStopRequested()) return;
        CopyLine(stage, columns, inward ? i : middle - i);
        CopyLine(stage, columns, inward ? length - i : middle + i);
        if (!stage.EndStep(i + 1, middle + 1, i, demo)) return;
    }
}

// Veil: strips of width S; each step reveals the next even-numbered strip moving right
// (down) from the first strip and the next odd-numbered strip moving left (up) from the
// last odd-numbered one.
void Veil(SlideStage& stage, bool columns) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int strip = 1 + NextRandom() % (columns ? 4 : 3);
    const int length = columns ? w : h;
    const int q = length / strip;
    const int s = stage.settings().demo_speed;
    const DemoPace demo{.sleep_ms = (strip + 1) * (s + 1) / 2};
    for (int v0 = 0; v0 <= length; v0 += 2 * strip) {
        if (stage.IsStopRequested()) return;
        const int mirrored = q * strip - v0 - (q % 2 == 0 ? strip : 0);
        if (columns) {
            stage.Copy(v0, 0, strip, h);
            stage.Copy(mirrored, 0, strip, h);
        } else {
            stage.Copy(0, v0, w, strip);
            stage.Copy(0, mirrored, w, strip);
        }
        stage.EndStep(v0 + strip + 1, length + 1, demo);
    }
}

}  // namespace

void BlindsHorizontal(SlideStage& stage) { Blinds(stage, true); }
void BlindsVertical(SlideStage& stage) { Blinds(stage, false); }
void Grid(SlideStage& stage) { GridCells(stage); }
void SlidingJawsHorizontal(SlideStage& stage) { SlidingJaws(stage, true); }
void SlidingJawsVertical(SlideStage& stage) { SlidingJaws(stage, false); }
void RollHorizontal(SlideStage& stage) { Roll(stage, true); }
void RollVertical(SlideStage& stage) { Roll(stage, false); }
void SlideCenter(SlideStage& stage) { Slide(stage, true); }
void SlideMiddle(SlideStage& stage) { Slide(stage, false); }
void VeilHorizontal(SlideStage& stage) { Veil(stage, true); }
void VeilVertical(SlideStage& stage) { Veil(stage, false); }

}  // namespace gd::fx
