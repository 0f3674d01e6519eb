#include "maker/preview/preview_exit_rules.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

PreviewExitFlags Flags(bool key, bool right, bool left, bool move) { return {key, right, left, move}; }

TEST(PreviewExit, EscapeAndDeactivationAlwaysEndItOtherInputAsAllowed) {
    PreviewExitRules none(Flags(false, false, false, false));
    EXPECT_TRUE(none.Ends(ShowInput::kEscape));
    EXPECT_TRUE(none.Ends(ShowInput::kDeactivate));
    for (ShowInput input : {ShowInput::kKey, ShowInput::kLeftButton, ShowInput::kMiddleButton,
                               ShowInput::kRightButton})
        EXPECT_FALSE(none.Ends(input)) << int(input);

    EXPECT_TRUE(PreviewExitRules(Flags(true, false, false, false)).Ends(ShowInput::kKey));
    EXPECT_TRUE(PreviewExitRules(Flags(false, true, false, false)).Ends(ShowInput::kRightButton));
    PreviewExitRules left(Flags(false, false, true, false));
    EXPECT_TRUE(left.Ends(ShowInput::kLeftButton));
    EXPECT_TRUE(left.Ends(ShowInput::kMiddleButton)) << "the middle button goes with the left";
    EXPECT_FALSE(left.Ends(ShowInput::kRightButton));
}

TEST(PreviewExit, TheFirstMouseMessageOnlyRecordsWhereTheCursorIs) {
    PreviewExitRules rules(Flags(false, false, false, true));
    EXPECT_EQ(rules.first_mouse(), (Point{-1, -1}));
    EXPECT_FALSE(rules.Ends(ShowInput::kMouseMove, {300, 200}));
    EXPECT_EQ(rules.first_mouse(), (Point{300, 200}));
    EXPECT_FALSE(rules.Ends(ShowInput::kMouseMove, {300, 200})) << "the same place again is no movement";
    EXPECT_TRUE(rules.Ends(ShowInput::kMouseMove, {301, 200}));

    // A first message at (-1, -1) is recorded too: the next one at another place moves.
    PreviewExitRules corner(Flags(false, false, false, true));
    EXPECT_FALSE(corner.Ends(ShowInput::kMouseMove, {-1, -1}));
    EXPECT_TRUE(corner.Ends(ShowInput::kMouseMove, {0, 0}));

    PreviewExitRules still(Flags(true, true, true, false));
    EXPECT_FALSE(still.Ends(ShowInput::kMouseMove, {10, 10}));
    EXPECT_FALSE(still.Ends(ShowInput::kMouseMove, {500, 10})) << "movement not allowed to end it";
}

}  // namespace
}  // namespace gd
