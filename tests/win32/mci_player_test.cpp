// The media layer of every player (the screensaver's music, the maker's preview and its
// Music page) on the real media control interface, with the rule that tells the music
// timer a track has ended.

#include "win32/mci_player.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iostream>
#include <string>

#include "common/utf16.h"
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

// The media calls take code-page paths: a UTF-8 name outside the code page (a Japanese
// one under a Western code page) must reach them in a form that finds the file. The
// media layer may still refuse to play it (no sound device), but never as a missing file.
TEST(MciPlayer, AFileWhoseNameTheCodePageCannotHoldIsFound) {
    const std::string path = TempPath("gd_\xe9\x9f\xb3\xe6\xa5\xbd.wav");
    const auto tone = test::WaveTone(0.2);
    const std::wstring wide = Utf8ToUtf16(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, tone.data(), DWORD(tone.size()), &written, nullptr);
    CloseHandle(file);
    const std::string ansi = AnsiPathForMedia(path);
    EXPECT_NE(GetFileAttributesA(ansi.c_str()), INVALID_FILE_ATTRIBUTES) << ansi;
    CMciPlayer player;
    std::string why;
    const bool opened = player.Open(path, &why);
    if (!opened) EXPECT_NE(player.last_error(), DWORD(MCIERR_FILE_NOT_FOUND)) << why;
    EXPECT_EQ(opened, player.has_device());
    player.Close();
    DeleteFileW(wide.c_str());
}

TEST(MciPlayer, RefusesAtOnceWithoutASoundDeviceOfTheKindWhenAskedToCheck) {
    const std::string path = TempPath("gd_mci_check.mid");
    std::ofstream(path, std::ios::binary) << "MThd";
    CMciPlayer player(/*check_devices=*/true);
    std::string why;
    const bool opened = player.Open(path, &why);
    if (midiOutGetNumDevs() == 0) {
        EXPECT_FALSE(opened);
        EXPECT_EQ(why, "there is no sound device");
    } else {
        EXPECT_NE(why, "there is no sound device");
    }
    player.Close();
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace gd
