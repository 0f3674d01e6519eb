// A screensaver made before the show's newer options (its record has no extras entry
// for them) and one whose extras turn every one of them off play the same show, frame
// for frame, as shows played before those options: the settings set up the old way, the
// pictures drawn without smoothing, no drift in the pauses, no cross-fade.
#include <gtest/gtest.h>

#include "common/random15.h"
#include "common/saver_extras.h"
#include "effects/clock.h"
#include "effects/effect_selection.h"
#include "effects/prepare_frame.h"
#include "effects/show_runner.h"
#include "effects/show_setup.h"

namespace gd {
namespace {

// Pictures of different sizes and shapes, with a pattern fine enough that any smoothing
// would change pixels.
class Pictures : public PictureSource {
public:
    bool DecodePicture(int32_t index, CxImage& image) override {
        const int w = 40 + 23 * index, h = 30 + 11 * index;
        image.Create(w, h, 24);
        for (int y = 0; y < h; ++y) {
            uint8_t* row = image.GetBits() + size_t(h - 1 - y) * image.GetEffWidth();
            for (int x = 0; x < w; ++x) {
                row[3 * x] = uint8_t((x + y) % 2 ? 255 : 20 * index);
                row[3 * x + 1] = uint8_t(x * 5);
                row[3 * x + 2] = uint8_t(y * 7);
            }
        }
        return true;
    }
    std::optional<CaptionRecord> Caption(int32_t) override { return std::nullopt; }
};

std::vector<Bitmap> Play(ShowSettings settings) {
    FakeClock clock(100);
    SlideStage stage(settings, Bitmap(64, 48), clock);
    Pictures pictures;
    ShowFrameSource source(pictures, nullptr);
    stage.set_frame_source(&source);
    stage.ResetStop();
    std::vector<Bitmap> frames;
    stage.on_wait_step = [&](int, int, int) { frames.push_back(stage.window()); };
    stage.on_transition_end = [&] {
        frames.push_back(stage.window());
        if (frames.size() > 400) stage.RequestStop();
    };
    SeedRandom(99);
    RunShowLoop(stage, 100);
    return frames;
}

SaverConfig Record() {
    SaverConfig c;
    c.picture_count = 4;
    c.shuffle_pic = 1;
    c.picture_pause = 1;
    c.effect_millisecond = 200;
    c.auto_adjust_size = 1;
    c.move_picture = 1;
    c.bg_color = 0x00204060;
    c.effect_on.fill(1);  // as every project wrote them: byte 45 too
    return c;
}

TEST(OldShows, WithoutTheNewerOptionsEveryFrameIsAsBefore) {
    // As shows were set up before the newer options: the record's values, effects 1..44.
    ShowSettings before;
    const SaverConfig record = Record();
    before.background_color = record.bg_color;
    before.shuffle_pictures = true;
    before.picture_pause = record.picture_pause;
    before.effect_duration = record.effect_millisecond;
    before.auto_adjust_size = true;
    before.move_picture = true;
    before.picture_count = record.picture_count;
    for (int32_t id = 1; id <= 44; ++id) AddEffect(before, id);

    ShowSettings made_before;  // no extras record at all
    SetUpShowSettings(made_before, record, ShowVariant::kFullScreen);

    SaverConfig all_off = Record();  // an extras record with every newer option off
    all_off.effect_count = kEffectsOfOldRecords;
    all_off.smooth_scaling = all_off.shuffle_rounds = all_off.pan_zoom = all_off.backdrop = 0;
    SaverConfig read = Record();
    ASSERT_TRUE(ApplySaverExtras(EncodeSaverExtras(all_off), read));
    ShowSettings extras_off;
    SetUpShowSettings(extras_off, read, ShowVariant::kFullScreen);

    const std::vector<Bitmap> a = Play(before), b = Play(made_before), c = Play(extras_off);
    ASSERT_GT(a.size(), 400u);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_EQ(a.size(), c.size());
    for (size_t k = 0; k < a.size(); ++k) {
        ASSERT_TRUE(a[k] == b[k]) << "made before, frame " << k;
        ASSERT_TRUE(a[k] == c[k]) << "extras off, frame " << k;
    }
}

// And the opposite check, so the test above can fail: the newer options do change frames.
TEST(OldShows, TheNewerOptionsDoChangeTheFrames) {
    ShowSettings made_before;
    SetUpShowSettings(made_before, Record(), ShowVariant::kFullScreen);
    ShowSettings smooth = made_before;
    smooth.smooth_scaling = true;
    const std::vector<Bitmap> a = Play(made_before), b = Play(smooth);
    bool differs = false;
    for (size_t k = 0; k < std::min(a.size(), b.size()) && !differs; ++k) differs = !(a[k] == b[k]);
    EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace gd
