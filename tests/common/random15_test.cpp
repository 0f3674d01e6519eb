#include "common/random15.h"

#include <gtest/gtest.h>

#include <thread>

namespace gd {
namespace {

TEST(Random15, FollowsTheClassicSequence) {
    // Seed 1 gives the well-known first values of the classic rand().
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    EXPECT_EQ(NextRandom(), 26500);
}

TEST(Random15, StaysInFifteenBits) {
    SeedRandom(0xDEADBEEF);
    for (int i = 0; i < 100000; ++i) {
        int v = NextRandom();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, kRandomMax);
    }
}

TEST(Random15, EachThreadHasItsOwnState) {
    SeedRandom(7);
    int first_here = NextRandom();
    int first_there = -1;
    std::thread t([&] {
        SeedRandom(7);
        NextRandom();
        first_there = NextRandom();  // advances only the other thread's state
    });
    t.join();
    SeedRandom(7);
    EXPECT_EQ(NextRandom(), first_here);
    EXPECT_NE(first_there, -1);
}

}  // namespace
}  // namespace gd
