// The Linux media layer with SDL's dummy sound device: WAV, MP3 and MIDI open, tell a
// length, play and end by themselves; where no device opens, every track fails to open
// at once with the reason, so the music goes on silently. (Each test runs in a process
// of its own, as SDL's sound device is the process's.)

#include "runtime/linux/sdl_mixer_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "tests/common/temp_folder.h"
#include "tests/win32/wave_tone.h"

namespace gd {
namespace {

// One note of half a second at the default tempo: a standard MIDI file, format 0.
std::string HalfSecondMidi() {
    const unsigned char bytes[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
        'M', 'T', 'r', 'k', 0, 0, 0, 15,
        0x00, 0xC0, 0x00,        // piano
        0x00, 0x90, 0x3C, 0x64,  // middle C on
        0x60, 0x80, 0x3C, 0x40,  // a beat later (0.5 s) off
        0x00, 0xFF, 0x2F, 0x00,  // end of track
    };
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

std::string Wave(const gd::testing::TempFolder& folder, double seconds) {
    auto w = test::WaveTone(seconds);
    return folder.Write("tone.wav", std::string(w.begin(), w.end()));
}

// Plays the open track to its end: its length as the player told it, and how long it
// played, in ms.
struct Played {
    uint32_t length;
    double ms;
};
Played PlayToTheEnd(SdlMixerPlayer& p) {
    const uint32_t length = p.Length();
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_TRUE(p.Play());
    EXPECT_FALSE(p.Stopped());
    while (!TrackFinished(p) && std::chrono::steady_clock::now() - t0 < std::chrono::seconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(p.IsOpen()) << "a finished track is closed";
    return {length, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count()};
}

class SdlMixerPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    gd::testing::TempFolder folder;
};

TEST_F(SdlMixerPlayerTest, AWaveFilePlaysForItsLength) {
    SdlMixerPlayer p;
    std::string why;
    ASSERT_TRUE(p.Open(Wave(folder, 1.0), &why)) << why;
    EXPECT_NEAR(double(p.Length()), 1000, 20);
    const Played played = PlayToTheEnd(p);
    EXPECT_GT(played.ms, 700);
    EXPECT_LT(played.ms, 3000);
}

TEST_F(SdlMixerPlayerTest, AnMp3FilePlaysForItsLength) {
    const std::string wav = Wave(folder, 1.0), mp3 = folder.File("tone.mp3");
    if (std::system(("lame --quiet '" + wav + "' '" + mp3 + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no MP3 encoder (scripts/bootstrap installs lame)";
    SdlMixerPlayer p;
    std::string why;
    ASSERT_TRUE(p.Open(mp3, &why)) << why;
    EXPECT_NEAR(double(p.Length()), 1000, 200) << "the encoder pads a frame or two";
    const Played played = PlayToTheEnd(p);
    EXPECT_GT(played.ms, 700);
}

TEST_F(SdlMixerPlayerTest, AMidiFilePlaysThroughTheSoundFont) {
    SdlMixerPlayer p;
    std::string why;
    ASSERT_TRUE(p.Open(folder.Write("theme.mid", HalfSecondMidi()), &why)) << why;
    const Played played = PlayToTheEnd(p);
    EXPECT_GT(played.ms, 300) << "length told: " << played.length;
    EXPECT_LT(played.ms, 6000);
}

TEST_F(SdlMixerPlayerTest, WhatIsNoMusicDoesNotOpen) {
    SdlMixerPlayer p;
    std::string why;
    EXPECT_FALSE(p.Open(folder.Write("noise.wav", "These bytes are no music."), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(p.IsOpen());
    EXPECT_TRUE(TrackFinished(p));
}

TEST(SdlMixerPlayerWithoutDevice, EveryTrackFailsAtOnceWithTheReason) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    gd::testing::TempFolder folder;
    const std::string wav = Wave(folder, 0.5);
    SdlMixerPlayer p;
    std::string why;
    EXPECT_FALSE(p.Open(wav, &why));
    EXPECT_NE(why.find("no sound device"), std::string::npos) << why;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(p.Open(wav));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200)) << "the failure is remembered";
    EXPECT_FALSE(p.PlayFrom(0));
    EXPECT_TRUE(TrackFinished(p));
}

}  // namespace
}  // namespace gd
