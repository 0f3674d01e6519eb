#include "maker/preview/preview_exit_rules.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

PreviewExitFlags Flags(bool key, bool right, bool left, bool move) { return {key, right, left, move}; }

TEST(PreviewExit, EscapeAndDeactivationAlwaysEndItOtherInputAsAllowed) {
    PreviewExitRules none(Flags(false, false, false, false));
    EXPECT_TRUE(none.Ends(PreviewInput::kEscape));
    EXPECT_TRUE(none.Ends(PreviewInput::kDeactivate));
    for (PreviewInput input : {PreviewInput::kKey, PreviewInput::kLeftButton, PreviewInput::kMiddleButton,
                               PreviewInput::kRightButton})
        EXPECT_FALSE(none.Ends(input)) << int(input);

    EXPECT_TRUE(PreviewExitRules(Flags(true, false, false, false)).Ends(PreviewInput::kKey));
    EXPECT_TRUE(PreviewExitRules(Flags(false, true, false, false)).Ends(PreviewInput::kRightButton));
    PreviewExitRules left(Flags(false, false, true, false));
    EXPECT_TRUE(left.Ends(PreviewInput::kLeftButton));
    EXPECT_TRUE(left.Ends(PreviewInput::kMiddleButton)) << "the middle button goes with the left";
    EXPECT_FALSE(left.Ends(PreviewInput::kRightButton));
}

TEST(PreviewExit, TheFirstMouseMessageOnlyRecordsWhereTheCursorIs) {
    PreviewExitRules rules(Flags(false, false, false, true));
    EXPECT_EQ(rules.first_mouse(), (Point{-1, -1}));
    EXPECT_FALSE(rules.Ends(PreviewInput::kMouseMove, {300, 200}));
    EXPECT_EQ(rules.first_mouse(), (Point{300, 200}));
    EXPECT_FALSE(rules.Ends(PreviewInput::kMouseMove, {300, 200})) << "the same place again is no movement";
    EXPECT_TRUE(rules.Ends(PreviewInput::kMouseMove, {301, 200}));

    // A first message at (-1, -1) is recorded too: the next one at another place moves.
    PreviewExitRules corner(Flags(false, false, false, true));
    EXPECT_FALSE(corner.Ends(PreviewInput::kMouseMove, {-1, -1}));
    EXPECT_TRUE(corner.Ends(PreviewInput::kMouseMove, {0, 0}));

    PreviewExitRules still(Flags(true, true, true, false));
    EXPECT_FALSE(still.Ends(PreviewInput::kMouseMove, {10, 10}));
    EXPECT_FALSE(still.Ends(PreviewInput::kMouseMove, {500, 10})) << "movement not allowed to end it";
}

}  // namespace
}  // namespace gd
