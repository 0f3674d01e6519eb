#include "effects/draw_queue.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "raster/blit.h"

namespace gd {

Rect DrawQueue::Copy(int dx, int dy, const Rect& src_rect, std::shared_ptr<const SharedClip> clip) {
    // The pixels CopyPixels writes: the source cut to the frame, moved to the destination,
    // cut to the window.
    Rect s = src_rect.intersected(frame_.rect());
    Rect d = s.is_empty() ? Rect{} : s.translated(dx - src_rect.left, dy - src_rect.top).intersected(window_.rect());
    return Add({Kind::kCopy, Rect{dx, dy, dx, dy}, src_rect, 0, std::move(clip), d, d});
}

Rect DrawQueue::Stretch(const Rect& dst_rect, const Rect& src_rect, std::shared_ptr<const SharedClip> clip) {
    Rect d = dst_rect.is_empty() || src_rect.is_empty() ? Rect{} : dst_rect.intersected(window_.rect());
    // A source inside the frame gives every destination pixel a source pixel.
    Rect certain = frame_.rect().contains(src_rect) ? d : Rect{};
    return Add({Kind::kStretch, dst_rect, src_rect, 0, std::move(clip), d, certain});
}

Rect DrawQueue::Fill(const Rect& r, Pixel p, std::shared_ptr<const SharedClip> clip) {
    Rect d = r.intersected(window_.rect());
    return Add({Kind::kFill, r, {}, p, std::move(clip), d, d});
}

Rect DrawQueue::Add(Op op) {
    if (op.clip) {
        op.reach = op.reach.intersected(op.clip->bounds);
        op.overwrites = {};
    }
    if (op.reach.is_empty()) return {};
    ++stats_.queued;
    Rect reach = op.reach;
    if (immediate_) {
        Draw(op);
        return reach;
    }
    ops_.push_back(std::move(op));
    if (ops_.size() >= kMaxQueued) Flush();
    return reach;
}

void DrawQueue::Flush() {
    if (ops_.empty()) return;
    // Walk back from the newest operation, collecting the rectangles that later
    // operations overwrite; an operation inside one of them is dropped.
    covers_.clear();
    skip_.assign(ops_.size(), 0);
    for (size_t k = ops_.size(); k-- > 0;) {
        const Op& op = ops_[k];
        bool hidden = std::any_of(covers_.begin(), covers_.end(), [&](const Rect& c) { return c.contains(op.reach); });
        if (hidden) {
            skip_[k] = 1;
            ++stats_.skipped;
            continue;
        }
        if (op.overwrites.is_empty() || covers_.size() >= kMaxCovers) continue;
        std::erase_if(covers_, [&](const Rect& c) { return op.overwrites.contains(c); });
        covers_.push_back(op.overwrites);
    }
    // A copy of the frame to the same place writes each pixel's own frame value, whichever
    // copy it is and in whatever order: such copies commute with one another. The clipped
    // ones of a run (up to the next operation of another kind) are drawn together, row
    // by row. A ring effect queues a score of one-pixel rings between two presents:
    // drawn one after the other, every ring walks every row of the window and nearly
    // every write misses the cache; drawn row by row, the rings' pixels on a row lie side
    // by side.
    for (size_t k = 0; k < ops_.size(); ++k) {
        if (skip_[k]) continue;
        const Op& op = ops_[k];
        const bool in_place = op.kind == Kind::kCopy && op.dst.left == op.src.left && op.dst.top == op.src.top;
        if (in_place && op.clip) {
            in_place_.push_back({&op.clip->region, op.reach, 0});
            continue;
        }
        if (!in_place) DrawInPlaceCopies();
        Draw(op);
    }
    DrawInPlaceCopies();
    ops_.clear();
}

void DrawQueue::DrawInPlaceCopies() {
    if (in_place_.empty()) return;
    // The reaches lie inside the window and the frame (which has the window's size).
    int top = INT_MAX, bottom = INT_MIN;
    for (InPlace& c : in_place_) {
        const auto& bands = c.clip->bands();
        c.band = size_t(std::partition_point(bands.begin(), bands.end(),
                                             [&](const RegionBand& b) { return b.bottom <= c.reach.top; }) -
                        bands.begin());
        top = std::min(top, c.reach.top);
        bottom = std::max(bottom, c.reach.bottom);
    }
    int64_t pixels = 0;
    for (int y = top; y < bottom; ++y) {
        Pixel* out = window_.row(y);
        const Pixel* in = frame_.row(y);
        for (InPlace& c : in_place_) {
            if (y < c.reach.top || y >= c.reach.bottom) continue;
            const auto& bands = c.clip->bands();
            while (c.band < bands.size() && bands[c.band].bottom <= y) ++c.band;
            if (c.band == bands.size() || bands[c.band].top > y) continue;
            for (const Span& s : c.clip->spans(bands[c.band])) {
                if (s.right <= c.reach.left) continue;
                if (s.left >= c.reach.right) break;
                const int x0 = std::max(s.left, c.reach.left), x1 = std::min(s.right, c.reach.right);
                if (x1 - x0 <= 8) {
                    for (int x = x0; x < x1; ++x) out[x] = in[x];
                } else {
                    std::memcpy(out + x0, in + x0, size_t(x1 - x0) * sizeof(Pixel));
                }
                pixels += x1 - x0;
            }
        }
    }
    stats_.pixels += pixels;
    for (const InPlace& c : in_place_) drawn_.Mark(*c.clip, c.reach);
    in_place_.clear();
}

void DrawQueue::Draw(const Op& op) {
    const Region* clip = op.clip ? &op.clip->region : nullptr;
    switch (op.kind) {
    case Kind::kCopy:
        CopyPixels(window_, op.dst.left, op.dst.top, frame_, op.src, clip, &stats_.pixels);
        break;
    case Kind::kStretch:
        StretchPixels(window_, op.dst, frame_, op.src, clip, &stats_.pixels);
        break;
    case Kind::kFill:
        FillPixels(window_, op.dst, op.fill, clip, &stats_.pixels);
        break;
    }
    // The reach bounds what the operation wrote; through a clip, only the clip's spans.
    if (clip) drawn_.Mark(*clip, op.reach);
    else drawn_.Mark(op.reach);
}

}  // namespace gd
