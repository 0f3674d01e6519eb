#include "effects/effect_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

TEST(EffectTable, KeepsTheStoredNamesTyposIncluded) {
    EXPECT_EQ(EffectName(0), "DISPLAY_ONLY");
    EXPECT_EQ(EffectName(19), "Random Lines Horizontal");
    EXPECT_EQ(EffectName(20), "Rdndom Lines Vertical");
    EXPECT_EQ(EffectName(44), "Spire");
    EXPECT_EQ(EffectName(45), "Cross Fade");
    EXPECT_EQ(EffectName(46), "DISPLAY_ONLY");
    EXPECT_EQ(EffectName(-3), "DISPLAY_ONLY");

    auto field = EffectNameField(36);
    EXPECT_STREQ(field.data(), "Slide Bevel Back");
    for (size_t k = std::strlen("Slide Bevel Back"); k < field.size(); ++k) EXPECT_EQ(field[k], 0) << k;
}

TEST(EffectTable, EveryRowHasADrawingFunction) {
    for (const EffectInfo& e : kEffectTable) EXPECT_NE(e.run, nullptr) << e.id;
}

TEST(RunTransition, UnknownIdsShowTheFrameAtOnce) {
    for (int id : {0, -1, 46, 64, 1000}) {
        testing::EffectRun run = testing::RunEffect(id, {.width = 17, .height = 9});
        EXPECT_TRUE(run.window == run.frame) << id;
        EXPECT_TRUE(run.waits.empty()) << id;
        EXPECT_EQ(run.presents, 1) << id;  // once, at the end
    }
}

// Every effect, finished or not yet drawn step by step, must leave the whole new frame.
TEST(RunTransition, EveryEffectEndsOnTheNewFrame) {
    for (const EffectInfo& e : kEffectTable) {
        for (auto [w, h] : {std::pair{64, 48}, std::pair{31, 53}}) {
            testing::EffectRun run = testing::RunEffect(e.id, {.width = w, .height = h, .seed = 3});
            EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << e.name << " " << w << "x" << h;
        }
    }
}

}  // namespace
}  // namespace gd
