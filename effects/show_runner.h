#pragma once
// Starts and stops the show thread of one stage. The show thread plays effect after
// effect: pick the next effect, run it (it loads, composes and brings in the next
// picture), then wait the picture pause, polling the stop flag. The stop flag is the only
// signal between the show thread and its owner: Stop sets it and waits for the thread to
// end, without a time limit, and only then clears the window, so the clearing never races
// with an effect. StopWithin waits only so long: a thread still busy then (decoding a
// large picture, which cannot be interrupted) is left to end on its own, holding what it
// uses alive through the keep-alive its Start was given.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "effects/slide_stage.h"

namespace gd {

// The body of the show thread (seeding aside): runs until the stage's stop flag is set.
// A show picks each effect from its selection; a demonstration plays its one effect.
// `pause_poll_ms` is the stop-flag poll interval of the picture pause.
void RunShowLoop(SlideStage& stage, uint32_t pause_poll_ms = 100);

class ShowRunner {
public:
    explicit ShowRunner(SlideStage& stage) : stage_(stage) {}
    ~ShowRunner() { Stop(); }
    ShowRunner(const ShowRunner&) = delete;
    ShowRunner& operator=(const ShowRunner&) = delete;

    // Starts the show thread unless it is already running. The thread seeds its random
    // generator with `seed` when set, otherwise with the calendar time. It holds
    // `keep_alive` until it ends: whatever it owns (the stage, its surfaces, this runner)
    // outlives an owner that gave up waiting for the thread.
    void Start(std::shared_ptr<void> keep_alive = nullptr);
    // Sets the stop flag, waits for the thread to end, then fills the window with black
    // (not the background colour) when the window is visible. Nothing without a thread.
    void Stop();
    // Stop, waiting at most `ms` for the thread: true when it ended in time (the window
    // is cleared as by Stop). False: the thread is left running until the work it is in
    // ends (it sees the stop flag then and draws nothing more that anyone waits for);
    // the runner no longer owns it.
    bool StopWithin(uint32_t ms);
    bool running() const;

    std::optional<uint32_t> seed;
    uint32_t pause_poll_ms = 100;  // the maker's demonstration polls every 10 ms

private:
    void ClearWindow();

    SlideStage& stage_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool finished_ = false;  // guarded by mutex_
};

}  // namespace gd
