// The sequencing of a full-screen show through its seams: what starts when, what input
// ends it, and the order in which it closes, also while a picture is being decoded.

#include "player/saver_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "effects/effect_selection.h"
#include "tests/player/player_fakes.h"

namespace gd::test {
namespace {

using Journal = std::vector<std::string>;

struct SessionRig {
    explicit SessionRig(SessionPlan plan, int pictures = 2) {
        state = std::make_shared<HeldPictures::State>();
        host = std::make_unique<ShowHost>(std::make_unique<MemoryShowSurface>(32, 24, &presenter),
                                          std::make_unique<HeldPictures>(state), std::make_unique<FakeClock>());
        host->settings().picture_count = pictures;
        host->settings().effect_duration = 100;
        AddEffect(host->settings(), 3);
        host->stage().on_transition_end = [this] { ++transitions; };
        music_journal = std::make_shared<Journal>();
        auto fake_music = std::make_unique<FakeSessionMusic>(music_journal);
        music = fake_music.get();
        session = std::make_unique<SaverSession>(
            window, host.get(), std::move(fake_music),
            [this](ShowInput input, Point) { return input == ShowInput::kEscape || input == ending; }, plan);
        session->on_step = [this](std::string_view step) { steps.emplace_back(step); };
    }
    bool WaitForTransitions(int n) {
        return WaitUntil([&] { return transitions >= n; });
    }

    CountingPresenter presenter;
    std::shared_ptr<HeldPictures::State> state;
    std::unique_ptr<ShowHost> host;
    std::atomic<int> transitions{0};
    FakeSessionWindow window;
    std::shared_ptr<Journal> music_journal;
    FakeSessionMusic* music = nullptr;
    ShowInput ending = ShowInput::kEscape;
    Journal steps;
    std::unique_ptr<SaverSession> session;
};

SessionPlan ScreensaverPlan() {
    SessionPlan plan;
    plan.music = true;
    return plan;
}

// The preview's kind of plan: the show and the music each start from a timer.
SessionPlan DelayedPlan() {
    SessionPlan plan = ScreensaverPlan();
    plan.show_start_ms = 10;
    plan.music_start_ms = 500;
    return plan;
}

TEST(SaverSession, TheScreensaverStartsShowAndMusicAtOnceAndTicksEverySecond) {
    SessionRig rig(ScreensaverPlan());
    rig.session->Start();
    EXPECT_TRUE(rig.host->running());
    EXPECT_EQ(*rig.music_journal, (Journal{"begin"}));
    EXPECT_EQ(rig.window.journal, (Journal{"set music-prepare 250", "set music-tick 1000"}));
    EXPECT_TRUE(rig.session->OnTimer(SessionTimer::kMusicPrepare));
    EXPECT_FALSE(rig.window.Pending(SessionTimer::kMusicPrepare)) << "a one-shot timer";
    EXPECT_TRUE(rig.session->OnTimer(SessionTimer::kMusicTick));
    EXPECT_TRUE(rig.window.Pending(SessionTimer::kMusicTick)) << "the tick repeats";
    EXPECT_EQ(*rig.music_journal, (Journal{"begin", "prepare", "tick"}));
}

TEST(SaverSession, AHeldBackShowStartsOneSecondAfterTheFirstTrackBegan) {
    SessionPlan plan = ScreensaverPlan();
    plan.show_waits_for_music = true;
    SessionRig rig(plan);
    rig.music->starts = {false, true, true};
    rig.session->Start();
    EXPECT_FALSE(rig.host->running());
    rig.session->OnTimer(SessionTimer::kMusicTick);  // still writing the first track
    EXPECT_FALSE(rig.window.Pending(SessionTimer::kShowStart));
    rig.session->OnTimer(SessionTimer::kMusicTick);  // it plays
    EXPECT_EQ(rig.window.pending.at(SessionTimer::kShowStart), 1000u);
    rig.window.journal.clear();
    rig.session->OnTimer(SessionTimer::kMusicTick);  // a later track: nothing more to schedule
    EXPECT_EQ(rig.window.journal, Journal{});
    rig.session->OnTimer(SessionTimer::kShowStart);
    EXPECT_TRUE(rig.host->running());
    EXPECT_FALSE(rig.session->show_pending());
}

TEST(SaverSession, WithoutMusicAHeldBackShowStartsAtOnce) {
    SessionPlan plan;
    plan.show_waits_for_music = true;
    SessionRig rig(plan);
    rig.session->Start();
    EXPECT_TRUE(rig.host->running());
    EXPECT_TRUE(rig.music_journal->empty());
}

TEST(SaverSession, DelayedStartsComeFromTheirTimers) {
    SessionRig rig(DelayedPlan());
    rig.session->Start();
    EXPECT_FALSE(rig.host->running());
    EXPECT_EQ(rig.window.journal, (Journal{"set show-start 10", "set music-start 500"}));
    rig.session->OnTimer(SessionTimer::kShowStart);
    EXPECT_TRUE(rig.host->running());
    EXPECT_TRUE(rig.music_journal->empty());
    rig.session->OnTimer(SessionTimer::kMusicStart);
    EXPECT_EQ(*rig.music_journal, (Journal{"begin"}));
    EXPECT_TRUE(rig.window.Pending(SessionTimer::kMusicTick));
    EXPECT_FALSE(rig.window.Pending(SessionTimer::kMusicStart));
}

TEST(SaverSession, InputTheRulesAllowEndsTheShowInOneOrder) {
    SessionRig rig(ScreensaverPlan());
    rig.session->Start();
    ASSERT_TRUE(rig.WaitForTransitions(2));
    EXPECT_FALSE(rig.session->OnInput(ShowInput::kMouseMove));
    EXPECT_FALSE(rig.session->closing());
    rig.window.journal.clear();
    EXPECT_TRUE(rig.session->OnInput(ShowInput::kEscape));
    EXPECT_TRUE(rig.session->closing());
    EXPECT_FALSE(rig.host->running());
    EXPECT_EQ(rig.steps, (Journal{"window hidden", "show stopped", "music stopped", "close requested"}));
    EXPECT_EQ(rig.window.journal, (Journal{"hide", "close"}));
    EXPECT_TRUE(rig.window.pending.empty()) << "every timer is killed";
    EXPECT_EQ(*rig.music_journal, (Journal{"begin", "cancel", "stop"}));
}

TEST(SaverSession, TimersAfterTheCloseStartNothing) {
    SessionRig rig(DelayedPlan());
    rig.session->Start();
    rig.session->Close();
    for (SessionTimer t : {SessionTimer::kShowStart, SessionTimer::kMusicStart, SessionTimer::kMusicTick,
                           SessionTimer::kMusicPrepare})
        rig.session->OnTimer(t);
    EXPECT_FALSE(rig.host->running());
    EXPECT_EQ(*rig.music_journal, (Journal{"cancel", "stop"}));
}

// A window that kept itself open (a password refused) closes on the next ending input;
// the show and the music are not stopped twice.
TEST(SaverSession, ASecondEndingInputOnlyAsksTheWindowAgain) {
    SessionRig rig(ScreensaverPlan());
    rig.session->Start();
    rig.session->OnInput(ShowInput::kEscape);
    rig.window.journal.clear();
    rig.session->OnInput(ShowInput::kEscape);
    EXPECT_EQ(rig.window.journal, (Journal{"close"}));
    EXPECT_EQ(*rig.music_journal, (Journal{"begin", "cancel", "stop"}));
}

// A close while the show thread decodes a picture that takes long: the session waits for
// the thread no longer than its bound, then stops the music and asks the window to close.
TEST(SaverSession, AnEndingInputWhileAPictureDecodesClosesWithinTheBound) {
    SessionPlan plan = ScreensaverPlan();
    plan.show_stop_bound_ms = 30;
    SessionRig rig(plan);
    rig.session->Start();
    ASSERT_TRUE(rig.WaitForTransitions(1));
    HeldPictures::Hold(*rig.state);
    ASSERT_TRUE(HeldPictures::WaitUntilADecodeIsHeld(*rig.state));
    EXPECT_TRUE(rig.session->OnInput(ShowInput::kEscape));
    EXPECT_EQ(rig.steps, (Journal{"window hidden", "show stopped", "music stopped", "close requested"}));
    EXPECT_EQ(rig.music_journal->back(), "stop");
    // The window goes; the show thread ends once its decode does.
    rig.session.reset();
    rig.host.reset();
    HeldPictures::Release(*rig.state);
    EXPECT_TRUE(WaitUntil([&] { return rig.state->destroyed.load(); }));
}

TEST(SaverSession, AWindowDestroyedWithoutACloseStopsShowAndMusic) {
    SessionRig rig(ScreensaverPlan());
    rig.session->Start();
    ASSERT_TRUE(rig.WaitForTransitions(1));
    rig.session->OnWindowDestroyed();
    EXPECT_FALSE(rig.host->running());
    EXPECT_EQ(*rig.music_journal, (Journal{"begin", "cancel", "stop"}));
    rig.session.reset();  // its own end adds nothing
    EXPECT_EQ(*rig.music_journal, (Journal{"begin", "cancel", "stop"}));
}

// A show of two pictures over a surface in memory, as a window of another size gives.
std::unique_ptr<ShowHost> ResizedShow(CountingPresenter& presenter) {
    auto host = std::make_unique<ShowHost>(std::make_unique<MemoryShowSurface>(48, 36, &presenter),
                                           std::make_unique<HeldPictures>(std::make_shared<HeldPictures::State>()),
                                           std::make_unique<FakeClock>());
    host->settings().picture_count = 2;
    host->settings().effect_duration = 100;
    AddEffect(host->settings(), 3);
    return host;
}

// A window that changed size gets a show of the new size: it plays at once, unless the
// session still holds the show back or is closing.
TEST(SaverSession, AReplacedShowPlaysOnlyWhenTheOldOneWould) {
    // Declared before the sessions, so they outlive them.
    CountingPresenter presenter;
    auto resized = ResizedShow(presenter), held_resized = ResizedShow(presenter), late = ResizedShow(presenter);

    SessionRig rig(ScreensaverPlan());
    rig.session->Start();
    ASSERT_TRUE(rig.WaitForTransitions(1));
    rig.host->Stop();
    rig.session->ReplaceShow(resized.get());
    EXPECT_TRUE(resized->running());
    EXPECT_TRUE(WaitUntil([&] { return presenter.presents > 0; }));
    rig.session->Close();
    EXPECT_FALSE(resized->running()) << "the close stops the show that replaced the first";

    SessionPlan held = ScreensaverPlan();
    held.show_waits_for_music = true;
    SessionRig waiting(held);
    waiting.session->Start();
    waiting.session->ReplaceShow(held_resized.get());
    EXPECT_FALSE(held_resized->running()) << "the show is still held back for the music";
    waiting.music->starts = {true};
    waiting.session->OnTimer(SessionTimer::kMusicTick);
    waiting.session->OnTimer(SessionTimer::kShowStart);
    EXPECT_TRUE(held_resized->running());
    EXPECT_FALSE(waiting.host->running());
    waiting.session->Close();

    SessionRig closed(ScreensaverPlan());
    closed.session->Start();
    closed.session->Close();
    closed.session->ReplaceShow(late.get());
    EXPECT_FALSE(late->running()) << "a closing session starts nothing";
}

}  // namespace
}  // namespace gd::test
