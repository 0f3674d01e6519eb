// The screensaver's music player on the real media control interface, with the rule that
// tells the music timer a track has ended.

#include "win32/mci_player.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iostream>
#include <string>

#include "tests/win32/wave_tone.h"

namespace gd {
namespace {

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, dir);
    return std::string(dir, n) + name;
}

// Polls as the music timer does until the track counts as ended; the milliseconds that
// took, or -1 when it was still "playing" after ten seconds.
long PollUntilFinished(CMciPlayer& player) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (TrackFinished(player)) return long(GetTickCount() - start);
        Sleep(100);
    }
    return -1;
}

// Regression: without a sound device the media layer opens a WAV file and takes the play
// command, then stands at position 0 for ever; a track ended only at its full length, so
// the music fell silent for good after the first track.
TEST(MciPlayer, AToneEndsWhetherItPlaysOrTheDeviceStopsShort) {
    const std::string path = TempPath("gd_mci_tone.wav");
    const auto tone = test::WaveTone(1.0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(tone.data()), std::streamsize(tone.size()));
    CMciPlayer player;
    player.Open(path);
    const bool opened = player.has_device();
    if (opened) {
        EXPECT_NEAR(double(player.Length()), 1000.0, 20.0);
    }
    player.Play();
    const bool played = player.last_error() == 0;
    const long ms = PollUntilFinished(player);
    EXPECT_GE(ms, 0) << "still playing at position " << player.Position() << " of " << player.Length();
    EXPECT_FALSE(player.IsOpen());
    std::cout << "the tone " << (opened ? "opened" : "did not open") << ", its play command "
              << (played ? "was taken" : "failed") << ", and it ended after " << ms << " ms\n";
    DeleteFileA(path.c_str());
}

TEST(MciPlayer, AFileTheMediaLayerCannotOpenEndsAtOnce) {
    const std::string path = TempPath("gd_mci_unknown.xyz");
    std::ofstream(path, std::ios::binary) << "not music";
    CMciPlayer player;
    player.Open(path);
    EXPECT_FALSE(player.has_device());
    player.Play();
    EXPECT_TRUE(player.IsOpen());
    EXPECT_TRUE(player.Stopped());
    EXPECT_TRUE(TrackFinished(player));
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace gd
