// Pan and zoom, the backdrop and smooth scaling in the composed frame and the show loop.
#include <gtest/gtest.h>

#include "common/random15.h"
#include "effects/backdrop.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/picture_drift.h"
#include "effects/prepare_frame.h"
#include "effects/show_runner.h"

namespace gd {
namespace {

constexpr Pixel kSentinel = 0x00FF00FF;  // a colour no test picture has

// Half a white text pixel over what is there.
Pixel BlendPixelHalf(Pixel under) { return ((under >> 1) & 0x7F7F7F) + 0x7F7F7F; }

// Transitions shown at once, so the test is about the pause.
void AddEffectForTest(ShowSettings& settings) { settings.effects = {0}; }

// A 24-bit picture of soft gradients (no pixel is the sentinel).
CxImage Gradient(int w, int h) {
    CxImage image;
    image.Create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.GetBits() + size_t(h - 1 - y) * image.GetEffWidth();
        for (int x = 0; x < w; ++x) {
            row[3 * x] = uint8_t(40 + x * 150 / w);
            row[3 * x + 1] = uint8_t(30 + y * 180 / h);
            row[3 * x + 2] = 90;
        }
    }
    return image;
}

// A 1-pixel checkerboard of black and white.
CxImage Checkerboard(int w, int h) {
    CxImage image;
    image.Create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.GetBits() + size_t(h - 1 - y) * image.GetEffWidth();
        for (int x = 0; x < w; ++x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = (x + y) % 2 ? 255 : 0;
    }
    return image;
}

std::vector<SourceWindow> Path(uint32_t seed, const Rect& placed, int w0, int h0) {
    SeedRandom(seed);
    PictureDrift drift;
    drift.Prepare(Gradient(w0, h0), placed, 15, true, kSentinel);
    std::vector<SourceWindow> path;
    for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) path.push_back(drift.WindowAt(t));
    return path;
}

bool SameWindows(const std::vector<SourceWindow>& a, const std::vector<SourceWindow>& b) {
    for (size_t k = 0; k < a.size(); ++k)
        if (a[k].x != b[k].x || a[k].y != b[k].y || a[k].width != b[k].width || a[k].height != b[k].height)
            return false;
    return a.size() == b.size();
}

TEST(PanZoom, TheSameSeedGivesTheSamePathAndAnotherSeedAnother) {
    const Rect placed{10, 5, 90, 65};
    EXPECT_TRUE(SameWindows(Path(7, placed, 160, 120), Path(7, placed, 160, 120)));
    EXPECT_FALSE(SameWindows(Path(7, placed, 160, 120), Path(8, placed, 160, 120)));
}

TEST(PanZoom, TheZoomStaysInsideThePictureAndNeverUncoversTheBackground) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SeedRandom(seed);
        PictureDrift drift;
        const Rect placed{3, 2, 63, 42};  // 60 x 40
        drift.Prepare(Gradient(120, 80), placed, 25, seed % 2 == 0, kSentinel);
        ASSERT_FALSE(drift.pans());
        for (double t = 0; t <= 1.0; t += 0.125) {
            const SourceWindow w = drift.WindowAt(t);
            ASSERT_GE(w.x, 0);
            ASSERT_GE(w.y, 0);
            ASSERT_LE(w.x + w.width, 60 * 1.25 + 1e-9);
            ASSERT_LE(w.y + w.height, 40 * 1.25 + 1e-9);
            Bitmap frame(64, 44, kSentinel);
            drift.DrawAt(frame, t);
            for (int y = placed.top; y < placed.bottom; ++y)
                for (int x = placed.left; x < placed.right; ++x)
                    ASSERT_NE(frame.pixel(x, y), kSentinel) << "seed " << seed << " t " << t << " at " << x << "," << y;
            EXPECT_EQ(frame.pixel(0, 0), kSentinel) << "outside its place the frame is left alone";
        }
        // The zoom grows: the window shrinks to 1 / 1.25 of the kept picture.
        EXPECT_NEAR(drift.WindowAt(1).width, 60.0, 1e-6);
        EXPECT_NEAR(drift.WindowAt(0).width, 75.0, 1e-6);
    }
}

TEST(PanZoom, APictureMuchTallerThanTheScreenPansFromItsTopToItsBottom) {
    EXPECT_TRUE(PansOnStage(160, 90, 300, 400));
    EXPECT_FALSE(PansOnStage(160, 90, 400, 300));
    PictureDrift drift;
    drift.Prepare(Gradient(300, 400), Rect{0, 0, 160, 90}, 15, true, kSentinel);
    ASSERT_TRUE(drift.pans());
    EXPECT_EQ(drift.WindowAt(0).y, 0);
    EXPECT_NEAR(drift.WindowAt(1).y, 400 * 160 / 300 - 90, 1.0);
    EXPECT_EQ(drift.WindowAt(0.5).width, 160);
}

TEST(PanZoom, TheTextStaysStillOverTheMovingPicture) {
    PictureDrift drift;
    const Rect placed{0, 0, 40, 30};
    drift.Prepare(Gradient(80, 60), placed, 20, true, kSentinel);
    // The text: an opaque red square and a half-covering grey edge beside it.
    Bitmap black(40, 30, 0), white(40, 30, 0x00FFFFFF);
    for (Bitmap* b : {&black, &white}) {
        b->Fill(Rect{10, 10, 14, 14}, 0x00FF0000);
        b->set_pixel(14, 10, BlendPixelHalf(b->pixel(14, 10)));
    }
    drift.TakeTextOverlay(black, white);
    Bitmap frame(40, 30);
    for (double t : {0.1, 0.6, 1.0}) {
        drift.DrawAt(frame, t);
        for (int y = 10; y < 14; ++y)
            for (int x = 10; x < 14; ++x) ASSERT_EQ(frame.pixel(x, y), 0x00FF0000u) << t;
    }
}

// A show with pan and zoom: during the pause the window changes frame after frame, the
// pause still takes its time, and the next transition starts from the last drifted frame.
TEST(PanZoom, TheShowDriftsDuringThePauseAndTheNextEffectStartsFromTheDrift) {
    class TwoPictures : public PictureSource {
    public:
        bool DecodePicture(int32_t index, CxImage& image) override {
            image = Gradient(index == 0 ? 64 : 48, 48);
            return true;
        }
        std::optional<CaptionRecord> Caption(int32_t) override { return std::nullopt; }
    } pictures;
    ShowSettings settings;
    settings.picture_count = 2;
    settings.picture_pause = 1;
    settings.effect_duration = 0;
    settings.pan_zoom = true;
    settings.smooth_scaling = true;
    settings.move_picture = false;
    AddEffectForTest(settings);
    FakeClock clock(5000);
    SlideStage stage(settings, Bitmap(64, 48), clock);
    ShowFrameSource source(pictures, nullptr);
    stage.set_frame_source(&source);
    stage.ResetStop();
    std::vector<Bitmap> drift_frames;
    Bitmap before_second;
    int transitions = 0;
    stage.on_transition_end = [&] {
        if (++transitions == 2) stage.RequestStop();
    };
    stage.on_wait_step = [&](int, int elapsed, int duration) {
        if (transitions == 1 && duration == 1000) drift_frames.push_back(stage.window());
        (void)elapsed;
    };
    SeedRandom(11);
    RunShowLoop(stage, 100);
    ASSERT_GE(drift_frames.size(), 50u) << "a frame a refresh through the second-long pause";
    EXPECT_FALSE(drift_frames.front() == drift_frames.back()) << "the picture moved";
    int changes = 0;
    for (size_t k = 1; k < drift_frames.size(); ++k) changes += drift_frames[k] == drift_frames[k - 1] ? 0 : 1;
    EXPECT_GT(changes, int(drift_frames.size()) / 2);
}

TEST(SmoothScaling, AFineCheckerboardShownShrunkIsEvenGreyWithItAndAPatternWithout) {
    const CxImage board = Checkerboard(301, 211);
    for (bool smooth : {true, false}) {
        ShowSettings settings;
        settings.smooth_scaling = smooth;
        settings.move_picture = false;
        settings.auto_adjust_size = false;
        FakeClock clock;
        SlideStage stage(settings, Bitmap(120, 90), clock);
        PrepareFrame(stage, board, nullptr);
        const Rect p = stage.placed;
        ASSERT_LT(p.width(), 301);
        int extreme = 0, total = 0;
        for (int y = p.top; y < p.bottom; ++y)
            for (int x = p.left; x < p.right; ++x, ++total) {
                const int g = PixelGreen(stage.frame().pixel(x, y));
                if (smooth) ASSERT_NEAR(g, 128, 24) << x << "," << y;
                extreme += g == 0 || g == 255;
            }
        if (!smooth) EXPECT_EQ(extreme, total) << "without smoothing every pixel is black or white";
    }
}

TEST(Backdrop, FillsTheScreenWithADarkBlurOfThePictureBehindIt) {
    ShowSettings settings;
    settings.backdrop = 1;
    settings.move_picture = false;
    settings.background_color = 0x00FF00FF;
    FakeClock clock;
    SlideStage stage(settings, Bitmap(160, 90), clock);
    const CxImage tall = Gradient(60, 120);
    PrepareFrame(stage, tall, nullptr);
    const Rect p = stage.placed;
    ASSERT_GT(p.left, 0) << "a picture narrower than the screen";
    const Pixel side = stage.frame().pixel(p.left / 2, 45);
    EXPECT_NE(side, PixelFromColorRef(settings.background_color));
    // Darker than the picture around the same place, and smooth: neighbours differ little.
    EXPECT_LT(PixelGreen(side), PixelGreen(stage.frame().pixel(p.left + 1, 45)));
    for (int x = 1; x < p.left; ++x)
        EXPECT_NEAR(PixelBlue(stage.frame().pixel(x, 45)), PixelBlue(stage.frame().pixel(x - 1, 45)), 6);
    // Without a picture (the empty frame of a single picture) the colour, as always.
    PrepareFrame(stage, CxImage(), nullptr);
    EXPECT_EQ(stage.frame().pixel(0, 0), PixelFromColorRef(settings.background_color));
}

}  // namespace
}  // namespace gd
