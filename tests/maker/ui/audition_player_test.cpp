// The Music page's player over a media layer of the test's own, in the states a real one
// goes through: files that play to their end, files refused, and a device that takes the
// file and plays nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maker/ui/audition_player.h"
#include "tests/maker/ui/fake_audition_media.h"

namespace gd {
namespace {

using Journal = std::vector<std::string>;
using test::FakeAuditionMedia;

class Audition : public ::testing::Test {
protected:
    void SetUp() override { media.lengths = {{"a.wav", 2000}, {"b.mid", 5000}, {"empty.wav", 0}}; }
    // Runs the page's poll for `ms` of time.
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += AuditionPlayer::kPollPeriodMs) {
            now += AuditionPlayer::kPollPeriodMs;
            media.Advance(AuditionPlayer::kPollPeriodMs);
            player.Poll(now);
        }
    }

    FakeAuditionMedia media;
    AuditionPlayer player{media};
    uint32_t now = 1000;
};

TEST_F(Audition, SettingAFilePlaysItToItsEndThenItStopsAtTheStart) {
    EXPECT_EQ(player.state(), AuditionState::kEmpty);
    player.SetFile("a.wav", now);
    EXPECT_EQ(player.state(), AuditionState::kPlaying);
    EXPECT_EQ(player.length(), 2000u);
    Run(1000);
    EXPECT_EQ(player.position(), 1000u);
    EXPECT_TRUE(player.playing());
    Run(1500);
    EXPECT_EQ(player.state(), AuditionState::kStopped);
    EXPECT_EQ(player.position(), 0u);
    EXPECT_EQ(player.file(), "a.wav");
    EXPECT_EQ(media.journal, (Journal{"open a.wav", "play 0", "halt"}));
    // Play again from the start.
    player.Play(now);
    EXPECT_EQ(media.journal.back(), "play 0");
    EXPECT_TRUE(player.playing());
}

TEST_F(Audition, ADeviceStoppingJustShortOfTheLengthHasReachedTheEnd) {
    media.end_short = 40;
    player.SetFile("a.wav", now);
    Run(3000);
    EXPECT_EQ(player.state(), AuditionState::kStopped);
    EXPECT_TRUE(player.problem().empty());
}

TEST_F(Audition, StopGoesBackToTheStartAndSeekMovesStoppedOrPlaying) {
    player.SetFile("b.mid", now);
    Run(1000);
    player.Stop();
    EXPECT_EQ(player.state(), AuditionState::kStopped);
    EXPECT_EQ(player.position(), 0u);
    player.Seek(3000, now);  // stopped: only the position moves
    EXPECT_EQ(player.position(), 3000u);
    EXPECT_EQ(player.state(), AuditionState::kStopped);
    player.Play(now);
    EXPECT_EQ(media.journal.back(), "play 3000");
    player.Seek(4000, now);  // playing: goes on from there
    EXPECT_EQ(media.journal.back(), "play 4000");
    player.Seek(99999, now);  // past the end: the file has ended
    EXPECT_EQ(media.journal.back(), "halt");
    EXPECT_EQ(player.state(), AuditionState::kStopped);
    EXPECT_EQ(player.position(), 0u);
    // A poll while stopped asks the media layer nothing.
    const Journal before = media.journal;
    player.Poll(now + 10000);
    EXPECT_EQ(media.journal, before);
}

TEST_F(Audition, AnotherFileReplacesTheOneOpenAndAnEmptyNameCloses) {
    player.SetFile("a.wav", now);
    player.SetFile("b.mid", now);
    EXPECT_EQ(player.file(), "b.mid");
    EXPECT_EQ(player.length(), 5000u);
    player.SetFile("", now);
    EXPECT_EQ(player.state(), AuditionState::kEmpty);
    EXPECT_EQ(player.file(), "");
    EXPECT_EQ(media.journal, (Journal{"open a.wav", "play 0", "close", "open b.mid", "play 0", "close"}));
    player.Play(now);
    EXPECT_EQ(player.state(), AuditionState::kEmpty);
}

TEST_F(Audition, RefusedFilesSayWhyAndKeepTheirName) {
    player.SetFile("gone.wav", now);
    EXPECT_EQ(player.state(), AuditionState::kCannotPlay);
    EXPECT_EQ(player.problem(), "unknown file");
    EXPECT_EQ(player.file(), "gone.wav");
    player.SetFile("empty.wav", now);  // opens, but has no length
    EXPECT_EQ(player.state(), AuditionState::kCannotPlay);
    EXPECT_FALSE(player.problem().empty());
    media.refuse_play = true;
    player.SetFile("a.wav", now);
    EXPECT_EQ(player.state(), AuditionState::kCannotPlay);
    EXPECT_EQ(player.problem(), "no driver");
    // Play tries again, and succeeds once the media layer plays.
    media.refuse_play = false;
    player.Play(now);
    EXPECT_TRUE(player.playing());
    EXPECT_TRUE(player.problem().empty());
}

TEST_F(Audition, ADeviceThatNeverStartsIsGivenUpAfterTheStartLimit) {
    media.silent = true;  // the play is taken, nothing moves, the device says it stopped
    player.SetFile("a.wav", now);
    EXPECT_TRUE(player.playing());
    Run(AuditionPlayer::kStartLimitMs - AuditionPlayer::kPollPeriodMs);
    EXPECT_TRUE(player.playing()) << "a slow device still has time";
    Run(AuditionPlayer::kPollPeriodMs);
    EXPECT_EQ(player.state(), AuditionState::kCannotPlay);
    EXPECT_EQ(player.problem(), "no sound device plays it");
    EXPECT_EQ(media.journal.back(), "close");
}

TEST_F(Audition, ADeviceThatSaysItPlaysButStandsStillIsGivenUp) {
    player.SetFile("b.mid", now);
    Run(1000);
    media.stuck = true;
    Run(AuditionPlayer::kStallLimitMs - AuditionPlayer::kPollPeriodMs);
    EXPECT_TRUE(player.playing());
    Run(AuditionPlayer::kPollPeriodMs);
    EXPECT_EQ(player.state(), AuditionState::kCannotPlay);
    EXPECT_EQ(player.problem(), "the sound device does not play it");
}

TEST_F(Audition, TheClockMayWrapAround) {
    now = 0xFFFFFF00u;
    player.SetFile("a.wav", now);
    Run(1000);
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.position(), 1000u);
}

}  // namespace
}  // namespace gd
