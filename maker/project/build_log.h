#pragma once
// The one-place mailbox between the build worker and whoever shows its log (the making
// dialog, the command line). The worker posts a line and cannot post the next one until
// the consumer has taken it, so no line is ever overwritten or reordered.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

namespace gd {

// Told, on the worker thread, that something waits in the mailbox. A windowed consumer
// forwards these to its own thread (as a posted message) and calls Take() there.
class BuildLogSink {
public:
    virtual ~BuildLogSink() = default;
    virtual void LineWaiting() = 0;
    virtual void BuildEnded() = 0;
};

class BuildLogMailbox {
public:
    explicit BuildLogMailbox(BuildLogSink* sink = nullptr) : sink_(sink) {}

    // Worker side. Waits while the previous line is still in the slot, then stores the
    // line and tells the sink.
    void Post(std::string line);
    // Worker side, last call of a build: no line follows.
    void End();

    // Consumer side: the waiting line, if any; frees the slot for the worker.
    std::optional<std::string> Take();

    enum class Wait { kLine, kEnded, kTimeout };
    // Consumer side for a consumer without a message loop: waits until a line can be
    // taken (stored in *line), the build has ended with nothing left, or the timeout.
    Wait WaitNext(std::string* line, std::chrono::milliseconds timeout = std::chrono::milliseconds::max());

private:
    BuildLogSink* sink_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::string> slot_;
    bool ended_ = false;
};

}  // namespace gd
