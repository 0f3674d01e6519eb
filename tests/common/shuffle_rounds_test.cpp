#include "common/shuffle_rounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "common/random15.h"

namespace gd {
namespace {

TEST(ShuffleRounds, EveryRoundIsAPermutationAndNoItemRepeatsAcrossRounds) {
    for (int32_t n = 1; n <= 50; ++n) {
        SeedRandom(uint32_t(n) * 7919u);
        ShuffleRounds rounds;
        int32_t last = -1;
        for (int round = 0; round < 12; ++round) {
            std::vector<int32_t> seen;
            for (int32_t k = 0; k < n; ++k) {
                const int32_t item = rounds.Next(n, last);
                if (n >= 2) ASSERT_NE(item, last) << "n " << n << " round " << round << " item " << k;
                seen.push_back(item);
                last = item;
            }
            std::vector<int32_t> all(static_cast<size_t>(n), 0);
            std::iota(all.begin(), all.end(), 0);
            std::sort(seen.begin(), seen.end());
            ASSERT_EQ(seen, all) << "n " << n << " round " << round;
        }
    }
}

TEST(ShuffleRounds, RoundsDifferAndACountChangeStartsANewRound) {
    SeedRandom(3);
    ShuffleRounds rounds;
    std::vector<int32_t> first, second;
    for (int k = 0; k < 10; ++k) first.push_back(rounds.Next(10, first.empty() ? -1 : first.back()));
    for (int k = 0; k < 10; ++k) second.push_back(rounds.Next(10, k ? second.back() : first.back()));
    EXPECT_NE(first, second) << "a shuffle, not one fixed order";
    rounds.Next(10, second.back());
    for (int k = 0; k < 4; ++k) EXPECT_LT(rounds.Next(4, -1), 4);
}

}  // namespace
}  // namespace gd
