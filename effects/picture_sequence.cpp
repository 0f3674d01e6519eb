#include "effects/picture_sequence.h"

#include <algorithm>

#include "common/random15.h"

namespace gd {
namespace {

// Draws of the calling thread's generator from another state for a while: the sequence's
// own numbers, which the thread's effects must neither take nor disturb.
class BorrowedGenerator {
public:
    explicit BorrowedGenerator(uint32_t& state) : state_(state), saved_(RandomState()) { SeedRandom(state_); }
    ~BorrowedGenerator() {
        state_ = RandomState();
        SeedRandom(saved_);
    }
    BorrowedGenerator(const BorrowedGenerator&) = delete;
    BorrowedGenerator& operator=(const BorrowedGenerator&) = delete;

private:
    uint32_t& state_;
    uint32_t saved_;
};

}  // namespace

int32_t NextPictureIndex(const PictureOrder& order, int32_t current, ShuffleRounds& rounds) {
    const int32_t n = order.count;
    if (n == 2) return current == 0 ? 1 : 0;
    if (order.shuffle && order.rounds) return rounds.Next(n, current);
    if (order.shuffle) {
        int32_t r;
        do r = NextRandom() % n;
        while (r == current);
        return r;
    }
    return current + 1 >= n || current + 1 < 0 ? 0 : current + 1;
}

std::shared_ptr<PictureSlot> PictureSequence::Join() {
    std::lock_guard lock(mutex_);
    Slot slot{next_id_++};
    if (sharing_ == PictureSharing::kSamePictures) {
        // With the picture the show furthest ahead shows now (kept in drawn_, see NextSame).
        int64_t ahead = first_;
        for (const Slot& s : slots_) ahead = std::max(ahead, s.position - 1);
        slot.position = ahead;
    }
    slots_.push_back(slot);
    return std::make_shared<PictureSlot>(shared_from_this(), slot.id);
}

void PictureSequence::Leave(int32_t id) {
    std::lock_guard lock(mutex_);
    std::erase_if(slots_, [id](const Slot& s) { return s.id == id; });
}

std::vector<int32_t> PictureSequence::Holding() const {
    std::lock_guard lock(mutex_);
    std::vector<int32_t> holding;
    for (const Slot& s : slots_) holding.push_back(s.holding);
    return holding;
}

PictureSequence::Slot& PictureSequence::SlotOf(int32_t id) {
    for (Slot& s : slots_)
        if (s.id == id) return s;
    // A show that left and still asks (its thread given up while decoding) takes part
    // again until it ends.
    return slots_.emplace_back(Slot{id, -1, first_});
}

int32_t PictureSequence::Generate(const PictureOrder& order) {
    BorrowedGenerator generator(random_state_);
    last_drawn_ = NextPictureIndex(order, last_drawn_, rounds_);
    return last_drawn_;
}

int32_t PictureSequence::Next(int32_t id, const PictureOrder& order) {
    std::lock_guard lock(mutex_);
    if (order != order_) {
        // The first call, or shows set up with other rules: the sequence starts afresh.
        order_ = order;
        last_drawn_ = -1;
        rounds_.Reset();
        drawn_.clear();
        for (Slot& s : slots_) s.position = first_;
    }
    Slot& slot = SlotOf(id);
    slot.holding = sharing_ == PictureSharing::kSamePictures ? NextSame(slot, order) : NextDifferent(slot, order);
    return slot.holding;
}

int32_t PictureSequence::NextSame(Slot& slot, const PictureOrder& order) {
    while (slot.position - first_ >= int64_t(drawn_.size())) drawn_.push_back(Generate(order));
    const int32_t picture = drawn_[size_t(slot.position - first_)];
    ++slot.position;
    // Keep from the picture the show furthest behind shows now: one that joins later may
    // start there at the earliest.
    int64_t behind = slot.position;
    for (const Slot& s : slots_) behind = std::min(behind, s.position);
    while (first_ < behind - 1 && !drawn_.empty()) {
        drawn_.pop_front();
        ++first_;
    }
    return picture;
}

bool PictureSequence::HeldByAnother(int32_t picture, const Slot& slot) const {
    for (const Slot& s : slots_)
        if (s.id != slot.id && s.holding == picture) return true;
    return false;
}

int32_t PictureSequence::NextDifferent(Slot& slot, const PictureOrder& order) {
    auto free = [&](int32_t p) { return p != slot.holding && !HeldByAnother(p, slot); };
    // First what was passed over before, in its order.
    if (auto it = std::find_if(drawn_.begin(), drawn_.end(), free); it != drawn_.end()) {
        const int32_t picture = *it;
        drawn_.erase(it);
        return picture;
    }
    // Then new draws; those held now wait their turn, as many as there are pictures and
    // shows (more could only repeat them).
    const size_t keep = size_t(order.count) + slots_.size();
    for (int32_t tries = 0; tries < 2 * order.count + 8; ++tries) {
        const int32_t picture = Generate(order);
        if (free(picture)) return picture;
        if (drawn_.size() < keep) drawn_.push_back(picture);
    }
    // The draws kept missing the few pictures free (a plain shuffle with about as many
    // monitors as pictures): one of those, drawn from the sequence's generator.
    std::vector<int32_t> free_now;
    for (int32_t p = 0; p < order.count; ++p)
        if (free(p)) free_now.push_back(p);
    if (!free_now.empty()) {
        BorrowedGenerator generator(random_state_);
        return free_now[size_t(NextRandom()) % free_now.size()];
    }
    // Too few pictures for every monitor to have one of its own: the next that at least
    // changes this monitor's picture.
    if (auto it = std::find_if(drawn_.begin(), drawn_.end(), [&](int32_t p) { return p != slot.holding; });
        it != drawn_.end()) {
        const int32_t picture = *it;
        drawn_.erase(it);
        return picture;
    }
    int32_t picture = Generate(order);
    if (picture == slot.holding) picture = Generate(order);  // never the same twice in a row
    return picture;
}

}  // namespace gd
