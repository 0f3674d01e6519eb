#pragma once
// One picture sequence shared by the shows of several monitors, each show on a thread of
// its own. The sequence is drawn under the show's own rules (shuffled, by rounds or in
// order; see picture_source.h) from a generator of its own, so it depends on its seed
// alone, never on which show asks first or on the random numbers the effects draw.
//
//   kSamePictures: every show goes through the same sequence at its own pace: its t-th
//       picture is the sequence's t-th, so every monitor shows the same pictures in the
//       same order. A show that joins later starts with the picture the show furthest
//       ahead shows now.
//   kDifferentPictures: the sequence is shared out: each show takes the next picture of
//       it that no other show holds now (and that is not its own again), so that no two
//       monitors show the same picture at once while there are more pictures than
//       monitors. A picture passed over because another show holds it comes first once
//       it is free, so the order of the sequence holds as far as it can. With too few
//       pictures, a show takes the next one that is not its own.
//
// Threads: everything here may be called from any thread.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "common/shuffle_rounds.h"

namespace gd {

// The rules of the show's order (ShowSettings: picture_count, shuffle_pictures,
// shuffle_rounds).
struct PictureOrder {
    int32_t count = 0;
    bool shuffle = true;
    bool rounds = false;
    friend bool operator==(const PictureOrder&, const PictureOrder&) = default;
};

// The picture after `current` for count >= 2: 0, 1, 0, 1 for two pictures; shuffled
// (drawn at random, never `current` again; by rounds when asked, every picture once a
// round) or in order with wrap-around for more. Draws from the calling thread's generator.
int32_t NextPictureIndex(const PictureOrder& order, int32_t current, ShuffleRounds& rounds);

enum class PictureSharing { kSamePictures, kDifferentPictures };

class PictureSlot;

class PictureSequence : public std::enable_shared_from_this<PictureSequence> {
public:
    // Make it with std::make_shared: the slots keep it alive.
    PictureSequence(PictureSharing sharing, uint32_t seed) : sharing_(sharing), random_state_(seed) {}

    // A show's place in the sequence; the show leaves it when the slot goes.
    std::shared_ptr<PictureSlot> Join();

    // The next picture for the show of `slot`, for order.count >= 2.
    int32_t Next(int32_t slot, const PictureOrder& order);
    // The show of `slot` is gone: its picture is free for the others.
    void Leave(int32_t slot);

    // The picture each show took last (-1: none yet), in the order the shows joined.
    std::vector<int32_t> Holding() const;

private:
    struct Slot {
        int32_t id;
        int32_t holding = -1;
        int64_t position = 0;  // kSamePictures: the index in the sequence of its next picture
    };
    Slot& SlotOf(int32_t id);
    int32_t Generate(const PictureOrder& order);
    int32_t NextSame(Slot& slot, const PictureOrder& order);
    int32_t NextDifferent(Slot& slot, const PictureOrder& order);
    bool HeldByAnother(int32_t picture, const Slot& slot) const;

    mutable std::mutex mutex_;
    const PictureSharing sharing_;
    uint32_t random_state_;
    PictureOrder order_;        // the order the sequence is drawn for; another starts it afresh
    int32_t last_drawn_ = -1;
    ShuffleRounds rounds_;
    // kSamePictures: the sequence from `first_` on, as long as a show may still need it.
    // kDifferentPictures: pictures drawn and passed over, in the order they were drawn.
    std::deque<int32_t> drawn_;
    int64_t first_ = 0;
    std::vector<Slot> slots_;
    int32_t next_id_ = 0;
};

// A show's place in a shared sequence (ShowSettings::shared_pictures).
class PictureSlot {
public:
    PictureSlot(std::shared_ptr<PictureSequence> sequence, int32_t id) : sequence_(std::move(sequence)), id_(id) {}
    ~PictureSlot() { sequence_->Leave(id_); }
    PictureSlot(const PictureSlot&) = delete;
    PictureSlot& operator=(const PictureSlot&) = delete;

    int32_t Next(const PictureOrder& order) { return sequence_->Next(id_, order); }
    int32_t id() const { return id_; }

private:
    std::shared_ptr<PictureSequence> sequence_;
    int32_t id_;
};

}  // namespace gd
