#include "maker/project/ordered_encoder.h"

namespace gd {

OrderedEncoder::OrderedEncoder(const PictureEncoder& encoder, std::vector<PictureJob> jobs, int threads)
    : encoder_(encoder), jobs_(std::move(jobs)), window_(threads < 1 ? 1 : size_t(threads)), results_(jobs_.size()) {
    size_t count = std::min(window_, jobs_.size());
    for (size_t i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
}

OrderedEncoder::~OrderedEncoder() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& t : threads_) t.join();
}

void OrderedEncoder::Work() {
    for (;;) {
        size_t index;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return stopping_ || next_claim_ >= jobs_.size() || next_claim_ < next_take_ + window_;
            });
            if (stopping_ || next_claim_ >= jobs_.size()) return;
            index = next_claim_++;
        }
        PictureEntry entry = encoder_.Encode(jobs_[index].path, jobs_[index].image_type, jobs_[index].shape);
        {
            std::lock_guard lock(mutex_);
            results_[index] = std::move(entry);
        }
        changed_.notify_all();
    }
}

PictureEntry OrderedEncoder::Next() {
    std::unique_lock lock(mutex_);
    size_t index = next_take_;
    changed_.wait(lock, [&] { return results_[index].has_value(); });
    PictureEntry entry = std::move(*results_[index]);
    results_[index].reset();
    ++next_take_;
    lock.unlock();
    changed_.notify_all();
    return entry;
}

}  // namespace gd
