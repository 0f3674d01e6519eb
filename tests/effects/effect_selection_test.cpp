#include "effects/effect_selection.h"

#include <gtest/gtest.h>

#include "common/random15.h"
#include "effects/effect_table.h"

namespace gd {
namespace {

TEST(AddEffect, IgnoresOutOfRangeIdsAndExpandsAll) {
    ShowSettings s;
    AddEffect(s, 3);
    AddEffect(s, 3);
    AddEffect(s, -1);
    AddEffect(s, 46);
    AddEffect(s, 0);
    AddEffect(s, 45);  // "Cross Fade": once the all-effects stand-in, now an effect
    EXPECT_EQ(s.effects, (std::vector<int32_t>{3, 3, 0, 45}));
    AddEffect(s, kAllEffects);
    ASSERT_EQ(s.effects.size(), size_t(kEffectCount));
    EXPECT_EQ(s.effects.front(), 1);
    EXPECT_EQ(s.effects.back(), 45);
    AddEffect(s, 7, true);
    EXPECT_EQ(s.effects, (std::vector<int32_t>{7}));
}

TEST(PickNextEffect, DisabledOrEmptyShowsAtOnce) {
    ShowSettings s;
    EXPECT_EQ(PickNextEffect(s), 0);
    AddEffect(s, 5);
    s.transition_effects = false;
    EXPECT_EQ(PickNextEffect(s), 0);
}

TEST(PickNextEffect, OneAlwaysTwoAlternateFromTheFirst) {
    ShowSettings one;
    AddEffect(one, 9);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(PickNextEffect(one), 9);

    ShowSettings two;
    AddEffect(two, 4);
    AddEffect(two, 8);
    EXPECT_EQ(PickNextEffect(two), 4);
    EXPECT_EQ(PickNextEffect(two), 8);
    EXPECT_EQ(PickNextEffect(two), 4);
}

TEST(PickNextEffect, RandomOrderNeverRepeatsAndReachesEveryEntry) {
    ShowSettings s;
    for (int id : {11, 12, 13}) AddEffect(s, id);
    SeedRandom(12345);
    int previous = -1;
    std::vector<int> seen(45, 0);
    for (int k = 0; k < 300; ++k) {
        int id = PickNextEffect(s);
        EXPECT_NE(id, previous);
        ++seen[size_t(id)];
        previous = id;
    }
    EXPECT_GT(seen[11], 0);
    EXPECT_GT(seen[12], 0);
    EXPECT_GT(seen[13], 0);
}

TEST(PickNextEffect, InOrderWrapsAround) {
    ShowSettings s;
    s.random_effect_order = false;
    for (int id : {2, 20, 30}) AddEffect(s, id);
    std::vector<int> got;
    for (int k = 0; k < 5; ++k) got.push_back(PickNextEffect(s));
    EXPECT_EQ(got, (std::vector<int>{2, 20, 30, 2, 20}));
}

}  // namespace
}  // namespace gd
