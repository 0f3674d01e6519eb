#include "runtime/exit_rules.h"

#include <gtest/gtest.h>

#include "runtime/show_start_rule.h"

namespace gd {
namespace {

ExitState StateAt(Point reference) {
    ExitState s;
    s.reference = reference;
    return s;
}

TEST(ExitRules, MovementCountsOnlyBeyondTheThreshold) {
    EXPECT_FALSE(CursorMovedBeyond({100, 100}, {103, 103}, 3));
    EXPECT_FALSE(CursorMovedBeyond({100, 100}, {97, 97}, 3));
    EXPECT_TRUE(CursorMovedBeyond({100, 100}, {104, 100}, 3));
    EXPECT_TRUE(CursorMovedBeyond({100, 100}, {100, 96}, 3));
    EXPECT_FALSE(CursorMovedBeyond({0, 0}, {0, 0}, 0));
    EXPECT_TRUE(CursorMovedBeyond({-2147483647 - 1, 0}, {2147483647, 0}, 3));
}

TEST(ExitRules, EveryFlagOffLeavesOnlyTheAlwaysEndingInputs) {
    ExitState s = StateAt({10, 10});
    ExitFlags off;
    Point far{500, 500};
    EXPECT_FALSE(InputEndsShow(ShowInput::kMouseMove, s, off, far));
    EXPECT_FALSE(InputEndsShow(ShowInput::kLeftButton, s, off, far));
    EXPECT_FALSE(InputEndsShow(ShowInput::kRightButton, s, off, far));
    EXPECT_FALSE(InputEndsShow(ShowInput::kKey, s, off, far));
    EXPECT_TRUE(InputEndsShow(ShowInput::kEscape, s, off, far));
    EXPECT_TRUE(InputEndsShow(ShowInput::kMiddleButton, s, off, far));
    EXPECT_TRUE(InputEndsShow(ShowInput::kSystemKey, s, off, far));
    EXPECT_TRUE(InputEndsShow(ShowInput::kDeactivate, s, off, far));
}

TEST(ExitRules, AllowedInputsEndTheShowAndMovementReadsTheThreshold) {
    ExitState s = StateAt({10, 10});
    s.values.mouse_threshold = 5;
    ExitFlags on{true, true, true, true};
    EXPECT_TRUE(InputEndsShow(ShowInput::kKey, s, on, {10, 10}));
    EXPECT_TRUE(InputEndsShow(ShowInput::kLeftButton, s, on, {10, 10}));
    EXPECT_TRUE(InputEndsShow(ShowInput::kRightButton, s, on, {10, 10}));
    EXPECT_FALSE(InputEndsShow(ShowInput::kMouseMove, s, on, {15, 5}));
    EXPECT_TRUE(InputEndsShow(ShowInput::kMouseMove, s, on, {16, 10}));
}

TEST(ExitRules, NothingEndsTheShowWhileThePasswordIsChecked) {
    ExitState s = StateAt({0, 0});
    s.checking_password = true;
    ExitFlags on{true, true, true, true};
    for (auto input : {ShowInput::kMouseMove, ShowInput::kLeftButton, ShowInput::kKey, ShowInput::kEscape,
                       ShowInput::kSystemKey, ShowInput::kDeactivate, ShowInput::kMiddleButton}) {
        EXPECT_FALSE(InputEndsShow(input, s, on, {900, 900}));
    }
}

TEST(ExitRules, OnlyOurOwnCloseRequestClosesAndThePasswordWaitsForTheDelay) {
    ExitState s;
    s.start_tick = 1000;
    s.values.password_delay_s = 10;
    EXPECT_EQ(DecideClose(s, 50000), CloseDecision::kIgnore);  // a foreign close message

    s.closing = true;
    EXPECT_EQ(DecideClose(s, 6000), CloseDecision::kClose);   // after 5 s: no password
    EXPECT_EQ(DecideClose(s, 11000), CloseDecision::kClose);  // exactly the delay
    EXPECT_EQ(DecideClose(s, 11001), CloseDecision::kCheckPassword);

    s.checking_password = true;  // a close arriving during the check is passed on
    EXPECT_EQ(DecideClose(s, 11001), CloseDecision::kClose);
}

TEST(ExitRules, PasswordDelaySurvivesTickWrapAndHugeValues) {
    ExitState s;
    s.closing = true;
    s.start_tick = 0xFFFFF000u;
    s.values.password_delay_s = 10;
    EXPECT_EQ(DecideClose(s, 0x00000100u), CloseDecision::kClose);  // 4.3 s across the wrap
    s.values.password_delay_s = 0xFFFFFFFFu;  // would wrap to a short delay in 32 bits
    EXPECT_EQ(DecideClose(s, s.start_tick + 3'000'000u), CloseDecision::kClose);
}

TEST(ShowStartRule, HeldBackOnlyForMusicOnTheOlderFamily) {
    EXPECT_TRUE(ShowStartsAtOnce(5, 3, false));
    EXPECT_TRUE(ShowStartsAtOnce(10, 3, false));
    EXPECT_FALSE(ShowStartsAtOnce(4, 3, false));
    EXPECT_TRUE(ShowStartsAtOnce(4, 0, false));
    EXPECT_TRUE(ShowStartsAtOnce(4, -1, false));
    EXPECT_TRUE(ShowStartsAtOnce(4, 5, true));
}

}  // namespace
}  // namespace gd
