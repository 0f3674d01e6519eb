#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "common/random15.h"
#include "maker/project/ordered_encoder.h"

namespace gd {
namespace {

// Takes a different time per picture and records how many pictures were started but not
// yet taken by the consumer: the pictures held in memory.
class SlowEncoder : public PictureEncoder {
public:
    PictureEntry Encode(const std::string& path, int image_type, const PictureShape&) const override {
        int in_hand = ++started_ - taken.load();
        int seen = peak_.load();
        while (in_hand > seen && !peak_.compare_exchange_weak(seen, in_hand)) {
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 * (image_type % 7)));
        return {PictureOutcome::kOk, std::vector<uint8_t>(path.begin(), path.end()), {}};
    }
    int peak() const { return peak_.load(); }
    std::atomic<int> taken{0};

private:
    mutable std::atomic<int> started_{0};
    mutable std::atomic<int> peak_{0};
};

TEST(OrderedEncoder, ResultsComeInListOrderWithFewPicturesInHand) {
    SlowEncoder encoder;
    std::vector<PictureJob> jobs;
    SeedRandom(7);
    for (int i = 0; i < 60; ++i) jobs.push_back({"p" + std::to_string(i), NextRandom(), {}});
    OrderedEncoder ordered(encoder, jobs, 3);
    for (int i = 0; i < 60; ++i) {
        if (i % 10 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(3));  // a slow consumer
        PictureEntry e = ordered.Next();
        std::string expected = "p" + std::to_string(i);
        EXPECT_EQ(std::string(e.bytes.begin(), e.bytes.end()), expected);
        ++encoder.taken;
    }
    // Three threads: three in hand, one more while the count of taken ones catches up.
    EXPECT_LE(encoder.peak(), 4);
}

TEST(OrderedEncoder, StoppingEarlyJoinsTheThreads) {
    SlowEncoder encoder;
    std::vector<PictureJob> jobs(100, PictureJob{"x", 6, {}});
    {
        OrderedEncoder ordered(encoder, jobs, 2);
        ordered.Next();
    }  // destroyed with 99 pictures left: must not hang
    SUCCEED();
}

}  // namespace
}  // namespace gd
