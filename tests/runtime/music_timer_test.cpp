#include "runtime/music_timer.h"

#include <gtest/gtest.h>

#include "music_fakes.h"

namespace gd {
namespace {

using testing::FakePlayer;
using testing::FakeTrackFiles;

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
    MusicTimer timer(list, 5);
    timer.Start();
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1);
    EXPECT_EQ(timer.pause_counter(), 1);
    list.StartPreparation();  // as the window does after every start
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
        MusicTimer timer(list, pause);
        timer.Start();
        ASSERT_EQ(TicksUntilATrackStarts(timer, list), 1);
        list.StartPreparation();
        player.FinishTrack();
        EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1) << pause;
    }
}

TEST(MusicTimer, AnUnplayableTrackEndsAtTheNextTick) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(3), testing::TracksSource(3), files, player);
    MusicTimer timer(list, 2);
    timer.Start();
    ASSERT_EQ(TicksUntilATrackStarts(timer, list), 1);
    ASSERT_EQ(player.Length(), 5000u);
    const std::string playing = player.opened.back();
    files->Remove(playing);  // the media layer now fails to open it
    player.Open(playing);
    player.Play();
    EXPECT_EQ(player.Length(), 0u);
    list.StartPreparation();
    // Finished at once; one tick of pause (P = 2), then the next track.
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 2);
}

TEST(MusicTimer, WaitsWhileTheNextTrackIsStillBeingWritten) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(3), testing::TracksSource(3), files, player);
    MusicTimer timer(list, 0);
    files->Hold();
    timer.Start();
    ASSERT_TRUE(files->WaitUntilAWriterIsHeld());
    EXPECT_FALSE(timer.Tick());
    EXPECT_FALSE(timer.Tick());
    files->Release();
    EXPECT_EQ(TicksUntilATrackStarts(timer, list), 1);
}

}  // namespace
}  // namespace gd
