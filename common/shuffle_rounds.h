#pragma once
// Shuffling by rounds: every item once per round, in random order, and never the same
// item twice in a row, not even where one round ends and the next begins. The pictures
// of a show and the tracks of its music are shuffled this way when the show asks for it;
// otherwise each next item is drawn at random on its own, as shows always did.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gd {

class ShuffleRounds {
public:
    // The next item of 0..count-1, drawing from the calling thread's random generator
    // (common/random15.h). A new round starts when the last one is used up or the count
    // changed; its first item differs from `last` (the item shown before, -1 for none)
    // whenever count >= 2.
    int32_t Next(int32_t count, int32_t last);

    // Forgets the round: the next call starts a new one.
    void Reset() { order_.clear(); next_ = 0; }

    friend bool operator==(const ShuffleRounds&, const ShuffleRounds&) = default;

private:
    void NewRound(int32_t count, int32_t last);

    std::vector<int32_t> order_;
    size_t next_ = 0;
};

}  // namespace gd
