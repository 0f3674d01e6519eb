// Every effect, left to run to its end, leaves the window showing the new frame pixel for
// pixel: in degenerate windows, in windows wider or taller than they are long, in sizes
// that no strip, band or cell width divides, and under every random choice the seeds
// below reach.
#include <gtest/gtest.h>

#include <string>

#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

struct WindowSize {
    int width;
    int height;
};

constexpr WindowSize kSizes[] = {
    {1, 1},   {2, 2},    {1, 9},   {9, 1},    {3, 5},    {5, 3},    {7, 7},
    {64, 17}, {97, 12},  {13, 61}, {11, 90},  {131, 97}, {97, 131}, {41, 43},
};

// Enough seeds to reach every value of the effects' random choices (mod 2, 3 and 4).
constexpr uint32_t kSeeds[] = {1, 2, 3, 4, 5, 6, 7, 8, 99, 31337};

class EveryEffect : public ::testing::TestWithParam<int> {};

TEST_P(EveryEffect, EndsOnTheWholeFrame) {
    const int id = GetParam();
    for (WindowSize size : kSizes) {
        for (uint32_t seed : kSeeds) {
            testing::EffectRun run =
                testing::RunEffect(id, {.width = size.width, .height = size.height, .seed = seed});
            ASSERT_EQ(testing::CountDifferent(run.window, run.frame), 0)
                << EffectName(id) << " in " << size.width << "x" << size.height << ", seed " << seed;
        }
    }
}

TEST_P(EveryEffect, EndsOnTheWholeFrameInTheDemonstration) {
    const int id = GetParam();
    for (WindowSize size : {WindowSize{1, 1}, WindowSize{23, 9}, WindowSize{9, 23}}) {
        for (uint32_t seed : {1u, 2u, 3u, 4u}) {
            testing::EffectRun run = testing::RunEffect(
                id, {.width = size.width, .height = size.height, .seed = seed, .demo_mode = true});
            ASSERT_EQ(testing::CountDifferent(run.window, run.frame), 0)
                << EffectName(id) << " in " << size.width << "x" << size.height << ", seed " << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllIds, EveryEffect, ::testing::Range(0, kEffectCount + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name(EffectName(info.param));
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return "id" + std::to_string(info.param) + "_" + name;
                         });

}  // namespace
}  // namespace gd
