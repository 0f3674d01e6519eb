#pragma once
// The window drawing of one stretch between two presents, held back until the stage
// needs the window buffer, so that drawing the window never sees is skipped.
//
// Every queued operation reads only the frame (or a constant colour), never the window,
// and the frame does not change while an effect runs. So an operation whose destination
// a later unclipped operation in the same queue wholly overwrites leaves no trace in the
// window and can be dropped; everything else is drawn in queue order. The move effects
// rely on this: each of their steps copies about half the window one pixel further,
// and only the last step before a present reaches the screen.

#include <cstdint>
#include <memory>
#include <vector>

#include "effects/dirty_tiles.h"
#include "raster/bitmap.h"
#include "raster/region.h"

namespace gd {

// A clip region shared by the queued operations drawn through it, with its bounds.
struct SharedClip {
    explicit SharedClip(Region r) : region(std::move(r)), bounds(region.bounds()) {}
    Region region;
    Rect bounds;
};

struct DrawStats {
    int64_t queued = 0;   // operations handed to the queue
    int64_t skipped = 0;  // operations dropped because a later one overwrote them
    int64_t pixels = 0;   // window pixels written
};

class DrawQueue {
public:
    // `immediate`: draw every operation at once, as the reference for the deferred queue.
    // Every operation drawn marks the tiles of the pixels it wrote in `drawn`.
    DrawQueue(Bitmap& window, const Bitmap& frame, DirtyTiles& drawn, bool immediate)
        : window_(window), frame_(frame), drawn_(drawn), immediate_(immediate) {}

    // Each returns the bounds of the window pixels the operation may change; the
    // arguments mean what those of CopyPixels, StretchPixels and FillPixels mean.
    Rect Copy(int dx, int dy, const Rect& src_rect, std::shared_ptr<const SharedClip> clip);
    Rect Stretch(const Rect& dst_rect, const Rect& src_rect, std::shared_ptr<const SharedClip> clip);
    Rect Fill(const Rect& r, Pixel p, std::shared_ptr<const SharedClip> clip);

    // Draws what is queued into the window buffer.
    void Flush();
    bool empty() const { return ops_.empty(); }
    const DrawStats& stats() const { return stats_; }
    bool immediate() const { return immediate_; }
    void set_immediate(bool immediate) {
        Flush();
        immediate_ = immediate;
    }

private:
    enum class Kind { kCopy, kStretch, kFill };
    struct Op {
        Kind kind;
        Rect dst;       // copy: (dx, dy) in left/top; stretch: the destination rectangle
        Rect src;       // copy and stretch: the frame rectangle
        Pixel fill = 0;
        std::shared_ptr<const SharedClip> clip;
        Rect reach;     // bounds of the pixels it may write
        Rect overwrites;  // pixels it certainly writes (empty when clipped or partial)
    };

    Rect Add(Op op);
    void Draw(const Op& op);
    // Draws the clipped copies of the frame to their own place collected in in_place_.
    void DrawInPlaceCopies();

    // A clipped copy of the frame to its own place: its clip, the pixels it may write,
    // and the clip's band at the row being drawn.
    struct InPlace {
        const Region* clip;
        Rect reach;
        size_t band;
    };

    // Longer queues are drawn early: fine-grained effects (thousands of short copies a
    // step) gain nothing from the cover search, which grows with the queue.
    static constexpr size_t kMaxQueued = 4096;
    static constexpr size_t kMaxCovers = 32;

    Bitmap& window_;
    const Bitmap& frame_;
    DirtyTiles& drawn_;
    bool immediate_;
    std::vector<Op> ops_;
    std::vector<Rect> covers_;
    std::vector<char> skip_;
    std::vector<InPlace> in_place_;
    DrawStats stats_;
};

}  // namespace gd
