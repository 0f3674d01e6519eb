#pragma once
// The step geometry of the effects that grow or shrink axis-aligned rectangles along the
// window's diagonal (Cross In/Out, Square In/Out, Slide From Corner), written once for two
// kinds of sink: the stage, which draws, and CoverageMask, which only records the pixels a
// drawing would reach. Private to effects/ (and its tests).
//
// Per step i the horizontal extent grows by one pixel and the vertical one by H / W of a
// pixel: rise(i) = (i x H) / W. Each step draws the rectangles' edges as 1-pixel lines.
//
// Mended drawing. In a window taller than wide rise(i) grows by more than one row per step,
// so the edge lines jump over rows that nothing else reveals. With `mend` set a step also
// fills the rows strictly between rise(i - 1) and rise(i) (reaching one column further where
// the row line would stop short of the step's column line), and Cross Out also reaches the
// bottom row of an odd height. A window where the lines as drawn already reach every pixel
// (every window at least as wide as tall, except Cross Out with odd H) is drawn without the
// mend, exactly as before; MendNeeded decides.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gd::fx {

struct Diagonal {
    int w;
    int h;
    int Rise(int i) const { return i * h / w; }
    int Rise2(int i) const { return 2 * i * h / w; }
    // The rows strictly between Rise(i - 1) and Rise(i), as offsets from the growing edge:
    // the first one and how many. None at i = 0 and where Rise grows by at most one.
    int SkippedFirst(int i) const { return i == 0 ? 0 : Rise(i - 1) + 1; }
    int SkippedCount(int i) const {
        if (i == 0) return 0;
        const int gap = Rise(i) - Rise(i - 1) - 1;
        return gap > 0 ? gap : 0;
    }
};

// Records which pixels a sequence of copies reaches.
class CoverageMask {
public:
    CoverageMask(int w, int h) : w_(w), h_(h), reached_(size_t(w) * size_t(h), false) {}
    void Copy(int x, int y, int w, int h);
    bool reached(int x, int y) const { return reached_[size_t(y) * size_t(w_) + size_t(x)]; }
    bool full() const;

private:
    int w_;
    int h_;
    std::vector<bool> reached_;
};

// Cross In: the new picture grows from the four corners; steps i = 0 .. W/2 + 1.
template <class Sink>
void CrossInStep(Sink& s, const Diagonal& d, int i, bool mend) {
    const int w = d.w, h = d.h, rise = d.Rise(i);
    s.Copy(0, rise, i, 1);
    s.Copy(w - i, rise, i, 1);
    s.Copy(0, h - rise, i, 1);
    s.Copy(w - i, h - rise, i, 1);
    s.Copy(i, 0, 1, rise + 1);
    s.Copy(w - i, 0, 1, rise + 1);
    s.Copy(i, h - rise, 1, rise + 1);
    s.Copy(w - i, h - rise, 1, rise + 1);
    if (const int count = mend ? d.SkippedCount(i) : 0; count > 0) {
        const int top = d.SkippedFirst(i), bottom = h - rise + 1;
        s.Copy(0, top, i, count);
        s.Copy(w - i, top, i, count);
        s.Copy(0, bottom, i, count);
        s.Copy(w - i, bottom, i, count);
    }
}

// Cross Out: a cross grows from the centre lines; the old picture shrinks into the four
// corners. Steps i = 0 .. W/2 + 1.
template <class Sink>
void CrossOutStep(Sink& s, const Diagonal& d, int i, bool mend) {
    const int cx = d.w / 2, cy = d.h / 2, rise = d.Rise(i), left = cx - i;
    s.Copy(0, cy - rise, left, 1);
    s.Copy(cx + i, cy - rise, left + 1, 1);
    s.Copy(0, cy + rise, left, 1);
    s.Copy(cx + i, cy + rise, left + 1, 1);
    s.Copy(cx - i, 0, 1, cy - rise + 1);
    s.Copy(cx + i, 0, 1, cy - rise + 1);
    // As written the lower columns stop at row 2 cy - 1, short of the bottom row when H is odd.
    const int lower = mend ? d.h - cy - rise : cy - rise;
    s.Copy(cx - i, cy + rise, 1, lower);
    s.Copy(cx + i, cy + rise, 1, lower);
    if (const int count = mend ? d.SkippedCount(i) : 0; count > 0) {
        const int above = cy - rise + 1, below = cy + d.SkippedFirst(i);
        s.Copy(0, above, left + 1, count);
        s.Copy(cx + i, above, left + 1, count);
        s.Copy(0, below, left + 1, count);
        s.Copy(cx + i, below, left + 1, count);
    }
}

// Square In: a frame of new picture closes from the edges. Steps i = 0 .. W/2 + 1.
template <class Sink>
void SquareInStep(Sink& s, const Diagonal& d, int i, bool mend) {
    const int w = d.w, h = d.h, rise = d.Rise(i), side = h - d.Rise2(i) + 1;
    s.Copy(i, rise, w - 2 * i, 1);
    s.Copy(i, h - rise, w - 2 * i + 1, 1);
    s.Copy(i, rise, 1, side);
    s.Copy(w - i, rise, 1, side);
    if (const int count = mend ? d.SkippedCount(i) : 0; count > 0) {
        s.Copy(i, d.SkippedFirst(i), w - 2 * i + 1, count);
        s.Copy(i, h - rise + 1, w - 2 * i + 1, count);
    }
}

// Square Out: a rectangle of new picture opens from the centre. Steps i = 0 .. W/2 + 1.
template <class Sink>
void SquareOutStep(Sink& s, const Diagonal& d, int i, bool mend) {
    const int cx = d.w / 2, cy = d.h / 2, rise = d.Rise(i), side = d.Rise2(i) + 1;
    s.Copy(cx - i - 1, cy - rise, 2 * i, 1);
    s.Copy(cx - i - 1, cy + rise, 2 * i, 1);
    s.Copy(cx - i - 1, cy - rise, 1, side);
    s.Copy(cx + i - 1, cy - rise, 1, side);
    if (const int count = mend ? d.SkippedCount(i) : 0; count > 0) {
        s.Copy(cx - i - 1, cy - rise + 1, 2 * i, count);
        s.Copy(cx - i - 1, cy + d.SkippedFirst(i), 2 * i, count);
    }
}

// Slide From Corner: one rectangle grows from corner k (0 top-left, 1 top-right,
// 2 bottom-left, 3 bottom-right). Steps i = 0 .. W + 1.
template <class Sink>
void SlideFromCornerStep(Sink& s, const Diagonal& d, int corner, int i, bool mend) {
    const int w = d.w, h = d.h, rise = d.Rise(i);
    const bool right = corner == 1 || corner == 3, bottom = corner >= 2;
    const int row_x = right ? w - i : 0;
    const int column_x = right ? w - i : i;
    const int row_y = bottom ? h - rise : rise;
    s.Copy(row_x, row_y, i, 1);
    s.Copy(column_x, bottom ? h - rise : 0, 1, rise + 1);
    if (const int count = mend ? d.SkippedCount(i) : 0; count > 0)
        s.Copy(row_x, bottom ? h - rise + 1 : d.SkippedFirst(i), i, count);
}

// Whether `steps` steps drawn by `step(sink, i)` leave a pixel of a w x h window unreached.
template <class Step>
bool LeavesPixelsUnreached(int w, int h, int steps, Step step) {
    CoverageMask mask(w, h);
    for (int i = 0; i < steps; ++i) step(mask, i);
    return !mask.full();
}

// Whether an effect needs the mended drawing, that is whether its steps as written
// (`literal`) leave a pixel unreached. In a window at least as wide as tall rise grows by at
// most one row per step and the lines reach every pixel, unless `wide_may_miss` says they
// may not; any other window is checked by drawing the steps into a coverage mask once.
template <class Step>
bool MendNeeded(const Diagonal& d, int steps, bool wide_may_miss, Step literal) {
    if (d.h <= d.w && !wide_may_miss) return false;
    return LeavesPixelsUnreached(d.w, d.h, steps, literal);
}

}  // namespace gd::fx
