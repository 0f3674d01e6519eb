#include <gtest/gtest.h>

#include "maker/ui/music_rules.h"

namespace gd {
namespace {

TEST(MusicType, TheLastExtensionOfTheFileNameInAnyCase) {
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.wav"), kMusicWav);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.WmA"), kMusicWma);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.Mp3"), kMusicMp3);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.MIDI"), kMusicMidi);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.mid"), kMusicMidi);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.mpg"), kMusicMpg);
    EXPECT_EQ(MusicTypeFromPath("C:\\m\\a.wav.mp3"), kMusicMp3);
    for (const char* other : {"C:\\m\\a.ogg", "C:\\m\\a.mpeg", "C:\\m\\wav", "C:\\m.wav\\song", "C:\\m\\a.", "C:\\m\\a.rmi"})
        EXPECT_EQ(MusicTypeFromPath(other), kMusicUnknown) << other;
}

TEST(MusicSize, HundredthsOfAMegabyteRoundedHalfUp) {
    EXPECT_EQ(MusicSizeHundredths(0), 0);
    EXPECT_EQ(MusicSizeHundredths(5242), 0);  // 0.004999 M
    EXPECT_EQ(MusicSizeHundredths(5243), 1);  // 0.005000 M and a little
    EXPECT_EQ(MusicSizeHundredths(1048576), 100);
    // 0.125 M exactly: half up, whatever the platform's printf would do with the tie.
    EXPECT_EQ(MusicSizeHundredths(131072), 13);
    EXPECT_EQ(MusicSizeHundredths(uint64_t(5) << 40), 500 * 1024 * 1024);  // 5 TB
    EXPECT_EQ(MusicSizeText(0), "0.00M");
    EXPECT_EQ(MusicSizeText(7), "0.07M");
    EXPECT_EQ(MusicSizeText(1234), "12.34M");
}

TEST(MusicSize, TotalsAddTheSizesAsShown) {
    EXPECT_EQ(MusicTotalsText(0, 0), "Total music num: 0  Total size: 0.00 M");
    // Three files of 0.004 M each show 0.00M; their total shows 0.00 M, not 0.01 M.
    const int64_t shown = 3 * MusicSizeHundredths(4194);
    EXPECT_EQ(MusicTotalsText(3, shown), "Total music num: 3  Total size: 0.00 M");
    EXPECT_EQ(MusicTotalsText(2, MusicSizeHundredths(1048576) + MusicSizeHundredths(524288)),
              "Total music num: 2  Total size: 1.50 M");
    EXPECT_EQ(MusicTotalsText(1000, 123456), "Total music num: 1000  Total size: 1234.56 M");
}

TEST(MusicPlayerTexts, TimesInMinutesOrHoursAndALineNamingOnlyTheFile) {
    EXPECT_EQ(PlayerTimeText(0, 0), "0:00 / 0:00");
    EXPECT_EQ(PlayerTimeText(65999, 200000), "1:05 / 3:20");
    EXPECT_EQ(PlayerTimeText(59000, 3723000), "0:59 / 1:02:03");
    EXPECT_EQ(PlayerStatusText(AuditionState::kPlaying, "C:\\Music\\Jazz\\a b.mp3", ""), "Playing: a b.mp3");
    EXPECT_EQ(PlayerStatusText(AuditionState::kStopped, "C:\\m\\a.wav", ""), "Stopped: a.wav");
    EXPECT_EQ(PlayerStatusText(AuditionState::kCannotPlay, "C:\\m\\a.wav", "there is no sound device"),
              "Cannot play a.wav: there is no sound device.");
    EXPECT_FALSE(PlayerStatusText(AuditionState::kEmpty, "", "").empty());
}

}  // namespace
}  // namespace gd
