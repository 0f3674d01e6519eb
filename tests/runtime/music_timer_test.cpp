#include "runtime/music_timer.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "effects/clock.h"
#include "music_fakes.h"

namespace gd {
namespace {

using testing::FakePlayer;
using testing::FakeTrackFiles;

// The window's one-shot timer on a fake clock: arming restarts the countdown.
class FakeOneShot : public OneShotTimer {
public:
    explicit FakeOneShot(const Clock& clock) : clock_(clock) {}
    void Arm(uint32_t ms) override { due = clock_.Now() + ms; }
    void Disarm() override { due.reset(); }
    std::optional<uint32_t> due;

private:
    const Clock& clock_;
};

// Ticks until a track starts (or `limit` ticks pass) and returns the ticks taken.
int TicksUntilATrackStarts(MusicTimer& timer, CMusicList& list, int limit = 50) {
    for (int n = 1; n <= limit; ++n) {
        testing::WaitUntilIdle(list);
        if (timer.Tick()) return n;
    }
    return -1;
}

TEST(MusicTimer, FirstTrackStartsAtOnceThenThePauseIsCountedInTicks) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(1), testing::TracksSource(1), files, player);
    FakeClock clock;
    FakeOneShot prepare(clock);
    MusicTimer timer(list, 5, 10000, prepare);
    timer.Start();
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1);
    EXPECT_EQ(timer.pause_counter(), 1);
    EXPECT_EQ(prepare.due, 10000u);
    timer.OnPrepareTimer();
    EXPECT_FALSE(timer.Tick());  // still playing
    player.FinishTrack();
    // The tick that finds the end and four more pass in silence; the fifth plays.
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 5);
    EXPECT_EQ(files->Names().size(), 1u);
}

TEST(MusicTimer, ShortPausesStartTheNextTrackOnTheTickThatFindsTheEnd) {
    for (int pause : {0, 1}) {
        auto files = std::make_shared<FakeTrackFiles>();
        FakePlayer player(*files);
        CMusicList list(testing::Settings(2), testing::TracksSource(2), files, player);
        FakeClock clock;
        FakeOneShot prepare(clock);
        MusicTimer timer(list, pause, 10000, prepare);
        timer.Start();
        ASSERT_EQ(TicksUntilATrackStarts(timer, list), 1);
        timer.OnPrepareTimer();
        player.FinishTrack();
        EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1) << pause;
    }
}

TEST(MusicTimer, AnUnplayableTrackEndsAtTheNextTick) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(3), testing::TracksSource(3), files, player);
    FakeClock clock;
    FakeOneShot prepare(clock);
    MusicTimer timer(list, 2, 10000, prepare);
    timer.Start();
    ASSERT_EQ(TicksUntilATrackStarts(timer, list), 1);
    ASSERT_EQ(player.Length(), 5000u);
    const std::string playing = player.opened.back();
    files->Remove(playing);  // the media layer now fails to open it
    player.Open(playing);
    player.Play();
    EXPECT_EQ(player.Length(), 0u);
    timer.OnPrepareTimer();
    // Finished at once; one tick of pause (P = 2), then the next track.
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 2);
}

TEST(MusicTimer, WaitsWhileTheNextTrackIsStillBeingWritten) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(3), testing::TracksSource(3), files, player);
    FakeClock clock;
    FakeOneShot prepare(clock);
    MusicTimer timer(list, 0, 10000, prepare);
    files->Hold();
    timer.Start();
    ASSERT_TRUE(files->WaitUntilAWriterIsHeld());
    EXPECT_FALSE(timer.Tick());
    EXPECT_FALSE(timer.Tick());
    files->Release();
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1);
}

// A player on the fake clock. Tracks are told apart by their bytes (track i holds the
// value i); `lengths[i]` is how long track i plays, 0 for a file it cannot play. The
// device stops track i at position `stops_at[i]` when that is set, short of its length
// (0: it takes the play command and never starts, as without a sound device).
class ClockedPlayer : public MediaPlayer {
public:
    ClockedPlayer(FakeTrackFiles& files, const Clock& clock, std::vector<uint32_t> lengths)
        : files_(files), clock_(clock), lengths_(std::move(lengths)) {}
    bool Open(const std::string& path, std::string* = nullptr) override {
        Close();
        auto bytes = files_.Content(path);
        length_ = files_.Exists(path) && !bytes.empty() ? lengths_.at(bytes[0]) : 0;
        auto stop = length_ > 0 ? stops_at.find(bytes[0]) : stops_at.end();
        end_ = stop != stops_at.end() ? std::min(stop->second, length_) : length_;
        started_ = clock_.Now();
        if (length_ > 0) starts.push_back({started_, bytes[0]});
        return length_ > 0;
    }
    bool PlayFrom(uint32_t, std::string* = nullptr) override {
        open_ = length_ > 0;
        return open_;
    }
    void Halt() override {}
    bool Playing() override { return open_ && !Stopped(); }
    bool IsOpen() const override { return open_; }
    uint32_t Position() override { return std::min(clock_.Now() - started_, end_); }
    uint32_t Length() const override { return length_; }
    bool Stopped() override { return clock_.Now() - started_ >= end_; }
    void Close() override { open_ = false; }

    struct Start {
        uint32_t at;
        int track;
    };
    std::vector<Start> starts;  // tracks that really played
    std::map<int, uint32_t> stops_at;

private:
    FakeTrackFiles& files_;
    const Clock& clock_;
    std::vector<uint32_t> lengths_;
    uint32_t length_ = 0;
    uint32_t end_ = 0;
    uint32_t started_ = 0;
    bool open_ = false;
};

// The full-screen window's music on a fake clock: the music timer every second, the
// one-shot preparation timer when it is due, each preparation finished before time
// moves on.
struct MusicWindowRig {
    MusicWindowRig(std::vector<uint32_t> lengths, int32_t pause_s, uint32_t effect_ms)
        : files(std::make_shared<FakeTrackFiles>()),
          player(*files, clock, lengths),
          list(testing::Settings(int(lengths.size())), testing::TracksSource(int(lengths.size())), files, player),
          prepare(clock),
          timer(list, pause_s, effect_ms, prepare) {
        timer.Start();
        testing::WaitUntilIdle(list);
    }
    void RunUntil(uint32_t end) {
        while (true) {
            uint32_t next = next_tick;
            if (prepare.due && *prepare.due < next) next = *prepare.due;
            if (next > end) break;
            clock.Advance(next - clock.Now());
            if (prepare.due && *prepare.due == next) {
                prepare.due.reset();
                timer.OnPrepareTimer();
                testing::WaitUntilIdle(list);
            }
            if (next == next_tick) {
                timer.Tick();
                testing::WaitUntilIdle(list);
                next_tick += kMusicTimerPeriodMs;
            }
        }
        clock.Advance(end - clock.Now());
    }
    std::vector<int> Order() const {
        std::vector<int> order;
        for (auto& s : player.starts) order.push_back(s.track);
        return order;
    }
    // The longest time from one track's start to the next one's.
    uint32_t LongestGap() const {
        uint32_t gap = 0;
        for (size_t i = 1; i < player.starts.size(); ++i) {
            gap = std::max(gap, player.starts[i].at - player.starts[i - 1].at);
        }
        return gap;
    }

    FakeClock clock;
    std::shared_ptr<FakeTrackFiles> files;
    ClockedPlayer player;
    CMusicList list;
    FakeOneShot prepare;
    MusicTimer timer;
    uint32_t next_tick = kMusicTimerPeriodMs;
};

std::vector<int> Cycle(std::vector<int> tracks, size_t length) {
    std::vector<int> order;
    for (size_t i = 0; i < length; ++i) order.push_back(tracks[i % tracks.size()]);
    return order;
}

// Regression: every start re-armed the preparation timer, so when tracks ended sooner
// than the effect duration the preparation of the next one was pushed back for ever and
// the music fell silent (three tracks), or the second track was never written (two).
TEST(MusicWindow, TracksShorterThanTheEffectDurationKeepPlaying) {
    for (int count : {1, 2, 3}) {
        MusicWindowRig rig(std::vector<uint32_t>(size_t(count), 2000), 1, 10000);
        rig.RunUntil(120000);
        ASSERT_GE(rig.player.starts.size(), 30u) << count;
        EXPECT_EQ(rig.Order(), Cycle(count == 1   ? std::vector<int>{0}
                                     : count == 2 ? std::vector<int>{0, 1}
                                                  : std::vector<int>{0, 1, 2},
                                     rig.player.starts.size()))
            << count;
        // Two seconds of track, at most a second to notice its end and one to write the next.
        EXPECT_LE(rig.LongestGap(), 4000u) << count;
    }
}

TEST(MusicWindow, UnplayableTracksAreSkippedAndTheMusicGoesOn) {
    MusicWindowRig rig({2000, 0, 3000, 0}, 2, 10000);
    rig.RunUntil(120000);
    ASSERT_GE(rig.player.starts.size(), 10u);
    EXPECT_EQ(rig.Order(), Cycle({0, 2}, rig.player.starts.size()));
}

// Regression: a track counted as ended only at its full length. A device that stops
// short (at once, without a sound device; part-way, on a file cut short) held its track
// "playing" for ever, and the music fell silent for the rest of the show.
TEST(MusicWindow, ATrackTheDeviceStopsShortOfItsEndEndsAndTheMusicGoesOn) {
    MusicWindowRig rig({2000, 3000, 3000, 2000}, 1, 10000);
    rig.player.stops_at = {{1, 0}, {2, 1500}};
    rig.RunUntil(120000);
    ASSERT_GE(rig.player.starts.size(), 20u);
    EXPECT_EQ(rig.Order(), Cycle({0, 1, 2, 3}, rig.player.starts.size()));
    // Each track ends within the tick after its device stopped.
    EXPECT_LE(rig.LongestGap(), 4000u);
}

TEST(MusicWindow, TheNextTrackIsWrittenOneEffectDurationAfterAStart) {
    MusicWindowRig rig({30000, 30000, 30000}, 3, 10000);
    rig.RunUntil(1000);  // the first tick plays track 0
    ASSERT_EQ(rig.player.starts.size(), 1u);
    EXPECT_EQ(rig.files->creates(), 1);
    rig.RunUntil(10999);
    EXPECT_EQ(rig.files->creates(), 1);  // not while the effect runs
    rig.RunUntil(11000);
    EXPECT_EQ(rig.files->creates(), 2);
    rig.RunUntil(200000);
    EXPECT_EQ(rig.Order(), Cycle({0, 1, 2}, rig.player.starts.size()));
    // Each track written once: the first at start, each next one after a start.
    EXPECT_EQ(rig.files->creates(), int(rig.player.starts.size()) + (rig.timer.preparation_pending() ? 0 : 1));
    EXPECT_LE(rig.files->Names().size(), 2u);
}

}  // namespace
}  // namespace gd
