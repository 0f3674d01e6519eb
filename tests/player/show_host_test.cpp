// One show over a surface in memory: it plays, stops, and when a stop comes while a
// picture is being decoded it gives up waiting at its bound, leaving the show thread to
// end on its own without drawing on the surface again.

#include "player/show_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "effects/effect_selection.h"
#include "tests/player/player_fakes.h"

namespace gd::test {
namespace {

constexpr int kWidth = 40, kHeight = 30;

struct Rig {
    Rig(int pictures = 3) {
        state = std::make_shared<HeldPictures::State>();
        auto surface = std::make_unique<MemoryShowSurface>(kWidth, kHeight, &presenter);
        host = std::make_unique<ShowHost>(std::move(surface), std::make_unique<HeldPictures>(state),
                                          std::make_unique<FakeClock>());
        ShowSettings& s = host->settings();
        s.picture_count = pictures;
        s.effect_duration = 200;
        s.picture_pause = 1;
        s.background_color = 0x0000FF;
        AddEffect(s, 1);
        AddEffect(s, 21);
        host->runner().seed = 5;
        host->stage().on_transition_end = [this] { ++transitions; };
    }
    bool WaitForTransitions(int n) {
        return WaitUntil([&] { return transitions >= n; });
    }

    CountingPresenter presenter;
    std::shared_ptr<HeldPictures::State> state;
    std::unique_ptr<ShowHost> host;
    std::atomic<int> transitions{0};
};

TEST(ShowHost, PlaysOnItsSurfaceUntilStoppedThenClearsItBlack) {
    Rig rig;
    rig.host->Start();
    ASSERT_TRUE(rig.WaitForTransitions(4));
    EXPECT_TRUE(rig.host->running());
    EXPECT_GT(rig.presenter.presents, 0);
    rig.host->Stop();
    EXPECT_FALSE(rig.host->running());
    EXPECT_TRUE(rig.host->stage().window() == Bitmap(kWidth, kHeight, 0));
    // The same show starts again where it was.
    const int32_t picture = rig.host->settings().current_picture;
    rig.host->Start();
    ASSERT_TRUE(rig.WaitForTransitions(rig.transitions + 1));
    rig.host->Stop();
    EXPECT_NE(rig.host->settings().current_picture, -1);
    EXPECT_NE(picture, -1);
}

TEST(ShowHost, AShowWithoutPicturesNeverStarts) {
    Rig rig(0);
    rig.host->Start();
    EXPECT_FALSE(rig.host->running());
    EXPECT_TRUE(rig.host->StopWithin(0));
}

// Wherever the show thread is (drawing a step, pausing, composing a small picture), a
// stop is seen at its next step or poll: the bounded stop ends it in time, many times
// over at arbitrary moments.
TEST(ShowHost, ABoundedStopEndsAShowThatIsNotDecodingInTime) {
    for (int round = 0; round < 40; ++round) {
        Rig rig;
        rig.host->Start();
        ASSERT_TRUE(rig.WaitForTransitions(1 + round % 3));
        std::this_thread::sleep_for(std::chrono::microseconds(137 * round));
        EXPECT_TRUE(rig.host->StopWithin(5000)) << "round " << round;
        EXPECT_FALSE(rig.host->running());
    }
}

TEST(ShowHost, AStopDuringADecodeGivesUpAtItsBoundAndTheThreadEndsOnItsOwn) {
    Rig rig;
    rig.host->Start();
    ASSERT_TRUE(rig.WaitForTransitions(2));
    HeldPictures::Hold(*rig.state);
    ASSERT_TRUE(HeldPictures::WaitUntilADecodeIsHeld(*rig.state));
    const int presents = rig.presenter.presents;

    EXPECT_FALSE(rig.host->StopWithin(20)) << "the decode cannot end while held";
    // The host goes with its window; the thread still holds the show.
    rig.host.reset();
    EXPECT_FALSE(rig.state->destroyed);

    HeldPictures::Release(*rig.state);
    EXPECT_TRUE(WaitUntil([&] { return rig.state->destroyed.load(); })) << "the show thread never ended";
    EXPECT_EQ(rig.presenter.presents, presents) << "a show given up drew on the surface again";
}

TEST(ShowHost, AShowGivenUpCannotBeStartedAgain) {
    Rig rig;
    HeldPictures::Hold(*rig.state);
    rig.host->Start();
    ASSERT_TRUE(HeldPictures::WaitUntilADecodeIsHeld(*rig.state));
    EXPECT_FALSE(rig.host->StopWithin(1));
    rig.host->Start();
    EXPECT_FALSE(rig.host->StopWithin(1));
    HeldPictures::Release(*rig.state);
    rig.host.reset();
    EXPECT_TRUE(WaitUntil([&] { return rig.state->destroyed.load(); }));
    EXPECT_EQ(rig.state->decodes, 1) << "a second show thread was started";
}

}  // namespace
}  // namespace gd::test
