#include "effects/draw_queue.h"

#include <algorithm>

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
    for (size_t k = 0; k < ops_.size(); ++k)
        if (!skip_[k]) Draw(ops_[k]);
    ops_.clear();
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
}

}  // namespace gd
