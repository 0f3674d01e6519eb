#pragma once
// What the shows of a full-screen window's monitors share in a monitor mode
// (screen_layout.h), and how each new show is set up for its stage:
//   every mode: the show knows its monitor's DPI (its texts follow it when it scales
//       them, see effects/text_scale.h);
//   kPrimaryOnly: nothing else: the one show plays as a show always did;
//   kSameShow, kDifferentPictures: one picture sequence of that sharing
//       (effects/picture_sequence.h) for all, each show its own random seed (the base
//       plus the number of shows made before it), so the monitors' transitions differ,
//       and with several monitors time-paced frames spaced out so that the shows together
//       cost about what one does (SlideStage::FrameIntervalForShows).
// Shows made later for a changed layout join the same sequence.

#include <cstdint>
#include <memory>
#include <optional>

#include "effects/picture_sequence.h"
#include "player/screen_layout.h"
#include "player/show_host.h"

namespace gd {

class MonitorSharing {
public:
    // `seed`: of the shows' random numbers and of the sequence; none: the calendar time,
    // and in kPrimaryOnly the show seeds itself as it always did.
    explicit MonitorSharing(MonitorMode mode, std::optional<uint32_t> seed = std::nullopt);

    // Sets up a new show for its stage, one of `shows` playing at once, after its
    // settings were set up from the options.
    void SetUp(ShowHost& host, const ShowStage& stage, size_t shows = 1);

    MonitorMode mode() const { return mode_; }
    // The sequence the shows share; none in kPrimaryOnly.
    const std::shared_ptr<PictureSequence>& sequence() const { return sequence_; }

private:
    MonitorMode mode_;
    std::optional<uint32_t> seed_;
    std::shared_ptr<PictureSequence> sequence_;
    uint32_t shows_made_ = 0;
};

}  // namespace gd
