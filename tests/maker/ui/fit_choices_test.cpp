#include "maker/ui/fit_choices.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

TEST(FitChoices, TheListOffersScreenSizesAndKeepsABoxItDoesNotOffer) {
    FitChoiceList off = FitChoicesFor({0, 0});
    ASSERT_EQ(off.entries.size(), 5u);
    EXPECT_EQ(off.selected, 0);
    EXPECT_EQ(FitChoiceText(off.entries[0]), "Full size");
    EXPECT_EQ(FitChoiceText(off.entries[2]), "1920 x 1080");

    FitChoiceList hd = FitChoicesFor({1920, 1080});
    EXPECT_EQ(hd.entries.size(), 5u);
    EXPECT_EQ(hd.entries[size_t(hd.selected)], (FitChoice{1920, 1080}));

    // A box set from the command line is an entry of its own, in order of width.
    FitChoiceList own = FitChoicesFor({1600, 0});
    ASSERT_EQ(own.entries.size(), 6u);
    EXPECT_EQ(own.selected, 2);
    EXPECT_EQ(own.entries[2], (FitChoice{1600, 0}));
    EXPECT_EQ(FitChoiceText(own.entries[2]), "1600 x any height");
    EXPECT_EQ(FitChoiceText({0, 900}), "any width x 900");
    FitChoiceList huge = FitChoicesFor({8000, 8000});
    EXPECT_EQ(huge.selected, 5);
}

}  // namespace
}  // namespace gd
