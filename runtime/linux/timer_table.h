#pragma once
// Window timers for a loop that waits on file descriptors: periodic like a platform's
// window timers (setting one that is pending restarts its countdown), due times in a
// millisecond clock the caller reads.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace gd {

class TimerTable {
public:
    void Set(unsigned id, uint32_t period_ms, uint64_t now_ms) { timers_[id] = {now_ms + period_ms, period_ms}; }
    void Kill(unsigned id) { timers_.erase(id); }
    bool pending(unsigned id) const { return timers_.count(id) != 0; }

    // Milliseconds until the next timer is due (0 when one is due now); nothing without
    // timers.
    std::optional<uint64_t> NextDueIn(uint64_t now_ms) const {
        std::optional<uint64_t> next;
        for (const auto& [id, t] : timers_) {
            uint64_t in = t.due > now_ms ? t.due - now_ms : 0;
            next = next ? std::min(*next, in) : in;
        }
        return next;
    }

    // The timers due at `now_ms`, in the order they fell due; each is set again one
    // period later (from now, so a late loop does not fire a burst).
    std::vector<unsigned> TakeDue(uint64_t now_ms) {
        std::vector<std::pair<uint64_t, unsigned>> due;
        for (auto& [id, t] : timers_) {
            if (t.due > now_ms) continue;
            due.push_back({t.due, id});
            t.due = now_ms + std::max<uint32_t>(t.period, 1);
        }
        std::sort(due.begin(), due.end());
        std::vector<unsigned> ids;
        for (const auto& d : due) ids.push_back(d.second);
        return ids;
    }

private:
    struct Timer {
        uint64_t due;
        uint32_t period;
    };
    std::map<unsigned, Timer> timers_;
};

}  // namespace gd
