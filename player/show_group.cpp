#include "player/show_group.h"

#include <algorithm>
#include <chrono>
#include <span>

namespace gd {
namespace {

bool SameShape(const ShowStage& a, const ShowStage& b) {
    return a.rect.width() == b.rect.width() && a.rect.height() == b.rect.height() && a.dpi == b.dpi;
}

// Asks every show to stop, then waits for each within what is left of `ms`.
bool StopAll(std::span<ShowHost* const> hosts, uint32_t ms) {
    for (ShowHost* host : hosts) host->RequestStop();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    bool all = true;
    for (ShowHost* host : hosts) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        all = host->StopWithin(uint32_t(std::max<int64_t>(left.count(), 0))) && all;
    }
    return all;
}

}  // namespace

ShowGroup::ShowGroup(MakeHost make_host, uint32_t stop_bound_ms)
    : make_host_(std::move(make_host)), stop_bound_ms_(stop_bound_ms) {}

ShowGroup::~ShowGroup() { Stop(); }

void ShowGroup::Lay(const std::vector<ShowStage>& stages) {
    std::vector<Show> old = std::move(shows_);
    shows_.clear();
    // Which old show each stage keeps: the one in the same place first, else any of its
    // shape; each old show serves one stage at most.
    std::vector<Show*> kept(stages.size(), nullptr);
    auto take = [&](auto matches) {
        for (size_t i = 0; i < stages.size(); ++i) {
            if (kept[i]) continue;
            for (Show& o : old) {
                if (o.host && matches(o.stage, stages[i]) &&
                    std::find(kept.begin(), kept.end(), &o) == kept.end()) {
                    kept[i] = &o;
                    break;
                }
            }
        }
    };
    take([](const ShowStage& a, const ShowStage& b) { return a == b; });
    take(SameShape);

    std::vector<ShowHost*> going;
    for (Show& o : old)
        if (std::find(kept.begin(), kept.end(), &o) == kept.end()) going.push_back(o.host.get());
    StopAll(going, stop_bound_ms_);

    for (size_t i = 0; i < stages.size(); ++i) {
        if (kept[i]) {
            if (kept[i]->stage.rect != stages[i].rect) kept[i]->host->surface().MoveTo({stages[i].rect.left, stages[i].rect.top});
            shows_.push_back({stages[i], std::move(kept[i]->host)});
        } else {
            shows_.push_back({stages[i], make_host_(stages[i], stages.size())});
            if (started_) shows_.back().host->Start();
        }
    }
    // `old` goes here: the hosts not kept, stopped above (or given up at the bound).
}

void ShowGroup::Start() {
    started_ = true;
    for (Show& s : shows_) s.host->Start();
}

bool ShowGroup::StopWithin(uint32_t ms) {
    started_ = false;
    std::vector<ShowHost*> hosts;
    for (Show& s : shows_) hosts.push_back(s.host.get());
    return StopAll(hosts, ms);
}

void ShowGroup::Stop() {
    started_ = false;
    for (Show& s : shows_) s.host->RequestStop();
    for (Show& s : shows_) s.host->Stop();
}

}  // namespace gd
