#pragma once
// Stand-ins for what a player's platform gives it: pictures whose decode can be held (a
// large picture being decoded), a presenter that counts, a window that notes what the
// session asked of it, and music that notes its steps.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "raster/bitmap.h"

#include "effects/picture_source.h"
#include "player/saver_session.h"
#include "player/show_host.h"
#include "raster/presenter.h"

namespace gd::test {

// Waits in real time, at most ten seconds, until `done` holds; whether it did.
template <class Done> bool WaitUntil(Done done) {
    for (int k = 0; k < 10000 && !done(); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

// An owning copy of what a bitmap shows (a view's pixels belong to someone else).
inline Bitmap Snapshot(const Bitmap& view) {
    Bitmap copy(view.width(), view.height());
    for (int y = 0; y < view.height(); ++y) std::copy(view.row(y), view.row(y) + view.width(), copy.row(y));
    return copy;
}

// Pictures of one solid colour each (picture i: grey level 40 + 60 i). While held, a
// decode waits until Release; the source notes when it is destroyed.
class HeldPictures final : public PictureSource {
public:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool held = false;
        int waiting = 0;
        std::atomic<int> decodes{0};
        std::atomic<bool> destroyed{false};
    };

    explicit HeldPictures(std::shared_ptr<State> state, int width = 16, int height = 12)
        : state_(std::move(state)), width_(width), height_(height) {}
    ~HeldPictures() override { state_->destroyed = true; }

    bool DecodePicture(int32_t index, CxImage& image) override {
        {
            std::unique_lock lock(state_->mutex);
            ++state_->waiting;
            state_->changed.notify_all();
            state_->changed.wait(lock, [&] { return !state_->held; });
            --state_->waiting;
        }
        ++state_->decodes;
        uint8_t* bits = image.Create(width_, height_, 24);
        if (!bits) return false;
        const uint8_t level = uint8_t(40 + 60 * (index % 4));
        for (int y = 0; y < height_; ++y)
            std::fill_n(bits + size_t(y) * image.GetEffWidth(), size_t(width_) * 3, level);
        return true;
    }
    std::optional<CaptionRecord> Caption(int32_t) override { return std::nullopt; }

    static void Hold(State& s) {
        std::lock_guard lock(s.mutex);
        s.held = true;
    }
    static void Release(State& s) {
        {
            std::lock_guard lock(s.mutex);
            s.held = false;
        }
        s.changed.notify_all();
    }
    // Waits (in real time, at most ten seconds) until a decode is held.
    static bool WaitUntilADecodeIsHeld(State& s) {
        std::unique_lock lock(s.mutex);
        return s.changed.wait_for(lock, std::chrono::seconds(10), [&] { return s.waiting > 0; });
    }

private:
    std::shared_ptr<State> state_;
    int width_, height_;
};

class CountingPresenter final : public Presenter {
public:
    void Present(const Bitmap&, std::span<const Rect>) override { ++presents; }
    bool IsVisible() const override { return visible; }
    std::atomic<int> presents{0};
    std::atomic<bool> visible{true};
};

// Notes every request in `journal`; timers pending are kept by kind.
class FakeSessionWindow final : public SessionWindow {
public:
    void SetTimer(SessionTimer timer, uint32_t ms) override {
        pending[timer] = ms;
        journal.push_back("set " + Name(timer) + " " + std::to_string(ms));
    }
    void KillTimer(SessionTimer timer) override { pending.erase(timer); }
    void Hide() override { journal.push_back("hide"); }
    void Close() override { journal.push_back("close"); }
    bool Pending(SessionTimer timer) const { return pending.count(timer) > 0; }

    static std::string Name(SessionTimer timer) {
        switch (timer) {
        case SessionTimer::kShowStart: return "show-start";
        case SessionTimer::kMusicStart: return "music-start";
        case SessionTimer::kMusicTick: return "music-tick";
        case SessionTimer::kMusicPrepare: return "music-prepare";
        }
        return "?";
    }

    std::map<SessionTimer, uint32_t> pending;
    std::vector<std::string> journal;
};

// Music that notes its steps; Tick answers from `starts` (true: a track started).
class FakeSessionMusic final : public SessionMusic {
public:
    explicit FakeSessionMusic(std::shared_ptr<std::vector<std::string>> journal) : journal_(std::move(journal)) {}
    void Begin(OneShotTimer& prepare) override {
        journal_->push_back("begin");
        prepare.Arm(250);
    }
    bool Tick() override {
        journal_->push_back("tick");
        if (next_ >= starts.size()) return false;
        return starts[next_++];
    }
    void OnPrepareTimer() override { journal_->push_back("prepare"); }
    void Cancel() override { journal_->push_back("cancel"); }
    void Stop() override { journal_->push_back("stop"); }

    std::vector<bool> starts;

private:
    std::shared_ptr<std::vector<std::string>> journal_;
    size_t next_ = 0;
};

}  // namespace gd::test
