#include "common/shuffle_rounds.h"

#include <utility>

#include "common/random15.h"

namespace gd {

void ShuffleRounds::NewRound(int32_t count, int32_t last) {
    order_.resize(size_t(count));
    for (int32_t i = 0; i < count; ++i) order_[size_t(i)] = i;
    // Fisher-Yates; the generator gives 15 bits, so two draws make the index for lists
    // longer than that.
    for (int32_t i = count - 1; i > 0; --i) {
        const uint32_t r = count > 0x7FFF ? (uint32_t(NextRandom()) << 15) | uint32_t(NextRandom()) : uint32_t(NextRandom());
        std::swap(order_[size_t(i)], order_[r % uint32_t(i + 1)]);
    }
    // The round may not begin with the item that ended the last one: it trades places
    // with another, chosen at random among the rest of the round.
    if (count >= 2 && order_[0] == last) {
        const uint32_t j = 1 + uint32_t(NextRandom()) % uint32_t(count - 1);
        std::swap(order_[0], order_[j]);
    }
    next_ = 0;
}

int32_t ShuffleRounds::Next(int32_t count, int32_t last) {
    if (count <= 0) return -1;
    if (next_ >= order_.size() || order_.size() != size_t(count)) NewRound(count, last);
    return order_[next_++];
}

}  // namespace gd
