#include "maker/preview/preview_music_player.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/maker/preview/fake_media.h"

namespace gd {
namespace {

using Journal = std::vector<std::string>;

TEST(PreviewMusicOrder, OneRepeatsTwoAlternateMoreGoInOrderOrNeverRepeatShuffled) {
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(-1, 0, false), -1);
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(-1, 1, true), 0);
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(0, 1, true), 0);
    // Two tracks alternate from the first, shuffled or not.
    for (bool shuffle : {false, true}) {
        EXPECT_EQ(PreviewMusicPlayer::NextIndex(-1, 2, shuffle), 0);
        EXPECT_EQ(PreviewMusicPlayer::NextIndex(0, 2, shuffle), 1);
        EXPECT_EQ(PreviewMusicPlayer::NextIndex(1, 2, shuffle), 0);
    }
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(-1, 3, false), 0);
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(1, 3, false), 2);
    EXPECT_EQ(PreviewMusicPlayer::NextIndex(2, 3, false), 0);
    // Shuffled, each draw reseeds from the time: within one second the same draws come
    // again, and still no track follows itself.
    std::vector<int> seen(4, 0);
    int32_t index = -1;
    for (int i = 0; i < 200; ++i) {
        int32_t next = PreviewMusicPlayer::NextIndex(index, 4, true);
        ASSERT_GE(next, 0);
        ASSERT_LT(next, 4);
        ASSERT_NE(next, index);
        ++seen[size_t(next)];
        index = next;
    }
    EXPECT_GT(seen[0] + seen[1] + seen[2] + seen[3], 0);
}

TEST(PreviewMusic, EachStepClosesTheTrackThenPlaysTheNextFromItsStart) {
    test::FakeMedia media;
    PreviewMusicPlayer music(media);
    music.SetTracks({"a.mid", "b.wav", "c.mp3"}, false, 0);
    media.plays_for = 100;
    music.Step();
    music.Step();
    EXPECT_EQ(media.journal, (Journal{"open a.mid", "play", "close", "open b.wav", "play"}));
    EXPECT_EQ(music.current_index(), 1);
    music.Stop();
    EXPECT_FALSE(media.IsOpen());
}

TEST(PreviewMusic, ThePauseIsCountedInSecondsOnceTheTrackHasEnded) {
    test::FakeMedia media;
    PreviewMusicPlayer music(media);
    music.SetTracks({"only.wav"}, true, 2);
    media.plays_for = 2;
    music.Step();
    // Playing: the seconds are not counted.
    EXPECT_FALSE(music.OnSecond());
    EXPECT_FALSE(music.OnSecond());
    EXPECT_EQ(music.gap_seconds(), 0);
    // Ended (the file is closed then); two seconds of pause, the next second is due.
    EXPECT_FALSE(music.OnSecond());
    EXPECT_FALSE(media.IsOpen());
    EXPECT_FALSE(music.OnSecond());
    EXPECT_TRUE(music.OnSecond());
    EXPECT_EQ(music.gap_seconds(), 2);
    // One track plays again, and its pause starts afresh.
    music.Step();
    EXPECT_EQ(music.current_index(), 0);
    EXPECT_EQ(music.gap_seconds(), 0);
    EXPECT_EQ(media.journal.back(), "play");
    EXPECT_EQ(std::count(media.journal.begin(), media.journal.end(), "open only.wav"), 2);
}

TEST(PreviewMusic, WithoutAPauseTheNextTrackIsDueAtTheFirstSecondAfterTheEnd) {
    test::FakeMedia media;
    PreviewMusicPlayer music(media);
    music.SetTracks({"a.wav", "b.wav"}, false, 0);
    music.Step();
    EXPECT_TRUE(music.OnSecond());
}

TEST(PreviewMusic, ATrackTheBackEndCannotPlayCountsAsEndedAndTheMusicGoesOn) {
    test::FakeMedia media;
    media.unplayable.insert("broken.xyz");
    media.plays_for = 100;
    PreviewMusicPlayer music(media);
    music.SetTracks({"broken.xyz", "fine.wav"}, false, 1);
    music.Step();
    EXPECT_TRUE(music.IsTrackFinished());
    EXPECT_FALSE(music.OnSecond());  // its pause
    EXPECT_TRUE(music.OnSecond());
    music.Step();
    EXPECT_TRUE(media.IsOpen());
    EXPECT_EQ(music.current_index(), 1);
}

// Regression: only a position at the full length ended a track, so a device that stops
// at once (no sound device) kept the first track "playing" and the rest never came.
TEST(PreviewMusic, ATrackTheDeviceStopsShortOfItsEndCountsAsEnded) {
    test::FakeMedia media;
    media.plays_for = 100;
    media.stops_at_once = true;
    PreviewMusicPlayer music(media);
    music.SetTracks({"a.wav", "b.wav"}, false, 0);
    music.Step();
    EXPECT_EQ(media.Position(), 0u);
    EXPECT_TRUE(music.OnSecond());
    EXPECT_FALSE(media.IsOpen());
    music.Step();
    EXPECT_EQ(music.current_index(), 1);
}

TEST(PreviewMusic, NoTracksPlayNothing) {
    test::FakeMedia media;
    PreviewMusicPlayer music(media);
    music.SetTracks({}, true, 5);
    music.Step();
    EXPECT_EQ(media.journal, (Journal{}));
    EXPECT_TRUE(music.IsTrackFinished());
}

}  // namespace
}  // namespace gd
