// The picture sequence the shows of several monitors share: drawn under the show's rules
// from its own generator, so it depends on its seed alone; shared out so that no two
// monitors hold the same picture while there are more pictures than monitors; or gone
// through by every monitor alike. Many show threads may ask at once.
#include "effects/picture_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "common/random15.h"

namespace gd {
namespace {

const PictureOrder kShuffled{10, true, false};
const PictureOrder kRounds{10, true, true};
const PictureOrder kInOrder{10, false, false};

struct Monitors {
    Monitors(PictureSharing sharing, int count, uint32_t seed = 7) {
        sequence = std::make_shared<PictureSequence>(sharing, seed);
        for (int i = 0; i < count; ++i) slots.push_back(sequence->Join());
    }
    std::shared_ptr<PictureSequence> sequence;
    std::vector<std::shared_ptr<PictureSlot>> slots;
};

// The monitors ask in an order drawn from `schedule_seed`, as show threads of unequal
// pace would; every picture each monitor gets, in turn.
std::vector<std::vector<int32_t>> Play(Monitors& m, const PictureOrder& order, int asks, uint32_t schedule_seed,
                                       std::vector<std::vector<int32_t>>* holding = nullptr) {
    std::vector<std::vector<int32_t>> got(m.slots.size());
    SeedRandom(schedule_seed);
    for (int k = 0; k < asks; ++k) {
        const size_t who = size_t(NextRandom()) % m.slots.size();
        got[who].push_back(m.slots[who]->Next(order));
        if (holding) holding->push_back(m.sequence->Holding());
    }
    return got;
}

bool AllDifferent(std::vector<int32_t> held) {
    std::erase(held, -1);
    std::sort(held.begin(), held.end());
    return std::adjacent_find(held.begin(), held.end()) == held.end();
}

TEST(PictureSequence, DifferentPicturesNeverHoldTheSamePictureTwice) {
    for (const PictureOrder& order : {kShuffled, kRounds, kInOrder}) {
        for (int monitors : {2, 3, 4}) {
            for (int32_t count : {monitors + 1, 10}) {
                PictureOrder o = order;
                o.count = count;
                Monitors m(PictureSharing::kDifferentPictures, monitors);
                std::vector<std::vector<int32_t>> holding;
                auto got = Play(m, o, 300, uint32_t(count * 10 + monitors), &holding);
                for (const auto& held : holding) ASSERT_TRUE(AllDifferent(held)) << monitors << " monitors, " << count;
                for (const auto& seen : got) {
                    for (size_t i = 1; i < seen.size(); ++i) ASSERT_NE(seen[i], seen[i - 1]) << "a picture followed itself";
                    for (int32_t p : seen) ASSERT_TRUE(p >= 0 && p < count);
                }
            }
        }
    }
}

// In order, the monitors take turns along the list; by rounds, the monitors together
// show every picture once a round.
TEST(PictureSequence, DifferentPicturesKeepTheShowsOrder) {
    Monitors ordered(PictureSharing::kDifferentPictures, 3);
    std::vector<int32_t> taken;
    for (int k = 0; k < 20; ++k) taken.push_back(ordered.slots[size_t(k % 3)]->Next(kInOrder));
    EXPECT_EQ(taken, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    Monitors rounds(PictureSharing::kDifferentPictures, 2);
    auto got = Play(rounds, kRounds, 200, 3);
    std::vector<int32_t> all;
    // Interleaved as asked; every picture comes as often as any other, give or take the
    // few passed over at the end.
    for (const auto& seen : got) all.insert(all.end(), seen.begin(), seen.end());
    for (int32_t p = 0; p < 10; ++p) {
        const auto n = std::count(all.begin(), all.end(), p);
        EXPECT_GE(n, 18) << p;
        EXPECT_LE(n, 22) << p;
    }
}

TEST(PictureSequence, ItDependsOnItsSeedAloneNotOnTheThreadsGenerator) {
    auto run = [](uint32_t seed, uint32_t thread_seed) {
        Monitors m(PictureSharing::kDifferentPictures, 2, seed);
        SeedRandom(thread_seed);
        std::vector<int32_t> taken;
        for (int k = 0; k < 40; ++k) {
            taken.push_back(m.slots[size_t(k % 2)]->Next(kShuffled));
            NextRandom();  // an effect's draw between two pictures
        }
        return taken;
    };
    EXPECT_EQ(run(11, 1), run(11, 999));
    EXPECT_NE(run(11, 1), run(12, 1));
    // The sequence leaves the thread's own numbers as they would have been.
    SeedRandom(5);
    NextRandom();
    const int expected = NextRandom();
    SeedRandom(5);
    NextRandom();
    Monitors m(PictureSharing::kDifferentPictures, 1);
    m.slots[0]->Next(kShuffled);
    EXPECT_EQ(NextRandom(), expected);
}

TEST(PictureSequence, TooFewPicturesStillChangeEveryMonitorsPicture) {
    for (int32_t count : {2, 3}) {
        Monitors m(PictureSharing::kDifferentPictures, 3);
        PictureOrder o = kShuffled;
        o.count = count;
        auto got = Play(m, o, 60, 1);
        for (const auto& seen : got)
            for (size_t i = 1; i < seen.size(); ++i) ASSERT_NE(seen[i], seen[i - 1]) << count;
    }
}

TEST(PictureSequence, SamePicturesGivesEveryMonitorTheSameSequenceAtItsOwnPace) {
    Monitors m(PictureSharing::kSamePictures, 3);
    auto got = Play(m, kShuffled, 150, 4);
    const size_t shortest = std::min({got[0].size(), got[1].size(), got[2].size()});
    ASSERT_GT(shortest, 20u);
    for (size_t i = 0; i < shortest; ++i) {
        EXPECT_EQ(got[1][i], got[0][i]);
        EXPECT_EQ(got[2][i], got[0][i]);
    }
    for (size_t i = 1; i < got[0].size(); ++i) ASSERT_NE(got[0][i], got[0][i - 1]);
    // The same seed gives the same sequence, whoever asks first.
    Monitors again(PictureSharing::kSamePictures, 1);
    std::vector<int32_t> alone;
    for (size_t i = 0; i < got[0].size(); ++i) alone.push_back(again.slots[0]->Next(kShuffled));
    EXPECT_EQ(alone, got[0]);
}

TEST(PictureSequence, AMonitorThatJoinsLaterStartsWithThePictureTheOthersShow) {
    Monitors m(PictureSharing::kSamePictures, 2);
    std::vector<int32_t> first;
    for (int k = 0; k < 5; ++k) first.push_back(m.slots[0]->Next(kInOrder));
    for (int k = 0; k < 3; ++k) m.slots[1]->Next(kInOrder);
    auto late = m.sequence->Join();
    EXPECT_EQ(late->Next(kInOrder), first.back());
    EXPECT_EQ(late->Next(kInOrder), 5);
    EXPECT_EQ(m.slots[1]->Next(kInOrder), 3);  // the slower one goes on where it was
}

TEST(PictureSequence, AMonitorThatLeavesFreesItsPicture) {
    Monitors m(PictureSharing::kDifferentPictures, 2);
    PictureOrder three = kInOrder;
    three.count = 3;
    EXPECT_EQ(m.slots[0]->Next(three), 0);
    EXPECT_EQ(m.slots[1]->Next(three), 1);
    // While the other monitor holds 1, this one passes it over.
    EXPECT_EQ(m.slots[0]->Next(three), 2);
    EXPECT_EQ(m.slots[0]->Next(three), 0);
    EXPECT_EQ(m.slots[0]->Next(three), 2);
    m.slots[1].reset();  // its monitor was unplugged
    EXPECT_EQ(m.sequence->Holding(), std::vector<int32_t>{2});
    EXPECT_EQ(m.slots[0]->Next(three), 1);
}

TEST(PictureSequence, ManyShowThreadsAskAtOnce) {
    Monitors m(PictureSharing::kDifferentPictures, 4);
    std::atomic<bool> clash{false};
    std::vector<std::thread> threads;
    for (size_t i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] {
            SeedRandom(uint32_t(i));
            for (int k = 0; k < 2000; ++k) {
                m.slots[i]->Next(kRounds);
                if (!AllDifferent(m.sequence->Holding())) clash = true;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_FALSE(clash);
}

}  // namespace
}  // namespace gd
