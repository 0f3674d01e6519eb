#include "maker/project/build_log.h"

namespace gd {

void BuildLogMailbox::Post(std::string line) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !slot_.has_value(); });
        slot_ = std::move(line);
    }
    changed_.notify_all();
    if (sink_) sink_->LineWaiting();
}

void BuildLogMailbox::End() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
    if (sink_) sink_->BuildEnded();
}

std::optional<std::string> BuildLogMailbox::Take() {
    std::optional<std::string> line;
    {
        std::lock_guard lock(mutex_);
        line.swap(slot_);
    }
    changed_.notify_all();
    return line;
}

BuildLogMailbox::Wait BuildLogMailbox::WaitNext(std::string* line, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    auto ready = [&] { return slot_.has_value() || ended_; };
    if (timeout == std::chrono::milliseconds::max())
        changed_.wait(lock, ready);
    else if (!changed_.wait_for(lock, timeout, ready))
        return Wait::kTimeout;
    if (!slot_) return Wait::kEnded;
    *line = std::move(*slot_);
    slot_.reset();
    lock.unlock();
    changed_.notify_all();
    return Wait::kLine;
}

}  // namespace gd
