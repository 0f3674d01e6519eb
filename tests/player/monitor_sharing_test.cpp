// The shows of several monitors in each monitor mode, each on its own thread: the
// primary-only show is the show as it always was, frame for frame; "the same show" gives
// every monitor the same pictures in the same order; "a different picture on each" never
// lets two monitors hold the same picture.
#include "player/monitor_sharing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>

#include "effects/show_setup.h"
#include "tests/player/player_fakes.h"

namespace gd::test {
namespace {

SaverConfig Config(int32_t pictures) {
    SaverConfig c;
    c.picture_count = pictures;
    c.shuffle_pic = 1;
    c.picture_pause = 1;
    c.effect_millisecond = 300;
    c.move_picture = 0;  // centred: the middle of a stage shows the picture
    c.effect_on.fill(1);
    return c;
}

std::unique_ptr<ShowHost> Host(const ShowStage& stage, const SaverConfig& config) {
    auto state = std::make_shared<HeldPictures::State>();
    auto host = std::make_unique<ShowHost>(std::make_unique<MemoryShowSurface>(stage.rect.width(), stage.rect.height()),
                                           std::make_unique<HeldPictures>(state, 24, 18), std::make_unique<FakeClock>());
    SetUpShowSettings(host->settings(), config, ShowVariant::kFullScreen);
    return host;
}

// What each show showed, transition by transition, noted on its own thread.
struct Recorder {
    explicit Recorder(size_t shows) : pictures(shows), frames(shows) {}
    void Watch(ShowHost& host, size_t i, int transitions, std::function<void()> also = nullptr) {
        host.stage().on_transition_end = [this, &host, i, transitions, also] {
            std::lock_guard lock(mutex);
            if (int(pictures[i].size()) >= transitions) return;
            pictures[i].push_back(host.settings().current_picture);
            frames[i].push_back(Snapshot(host.stage().window()));
            if (also) also();
        };
    }
    bool WaitFor(int transitions) {
        return WaitUntil([&] {
            std::lock_guard lock(mutex);
            return std::all_of(pictures.begin(), pictures.end(), [&](auto& p) { return int(p.size()) >= transitions; });
        });
    }
    // Plays the two shows at once until each made `transitions` transitions.
    bool Play(ShowHost& a, ShowHost& b, int transitions, std::function<void()> also = nullptr) {
        Watch(a, 0, transitions, also);
        Watch(b, 1, transitions, also);
        a.Start();
        b.Start();
        const bool done = WaitFor(transitions);
        a.Stop();
        b.Stop();
        return done;
    }
    std::mutex mutex;
    std::vector<std::vector<int32_t>> pictures;
    std::vector<std::vector<Bitmap>> frames;
};

const ShowStage kFullHd{Rect::FromSize(0, 0, 48, 27), 96};
const ShowStage k4k{Rect::FromSize(48, 0, 96, 54), 192};

// A full-HD and a 4K monitor side by side, their shows set up in `mode`.
struct TwoMonitors {
    TwoMonitors(MonitorMode mode, uint32_t seed, int32_t pictures)
        : sharing(mode, seed), a(Host(kFullHd, Config(pictures))), b(Host(k4k, Config(pictures))) {
        sharing.SetUp(*a, kFullHd, 2);
        sharing.SetUp(*b, k4k, 2);
    }
    MonitorSharing sharing;
    std::unique_ptr<ShowHost> a, b;
};

// A screensaver made before the monitor mode plays on the primary monitor exactly as it
// did: set up for its stage in mode 0, a show draws every frame a show set up the old
// way draws, whatever its monitor's DPI.
TEST(MonitorSharing, PrimaryOnlyPlaysTheShowAsItAlwaysWasFrameForFrame) {
    const SaverConfig config = Config(5);
    auto old_way = Host(kFullHd, config);
    old_way->runner().seed = 42;
    auto now = Host(kFullHd, config);
    now->runner().seed = 42;
    MonitorSharing sharing(MonitorMode::kPrimaryOnly);
    sharing.SetUp(*now, ShowStage{kFullHd.rect, 192}, 2);
    EXPECT_EQ(now->runner().seed, 42u);
    EXPECT_EQ(now->settings().shared_pictures, nullptr);
    EXPECT_EQ(now->settings().frame_interval_ms, 0);

    Recorder r(2);
    ASSERT_TRUE(r.Play(*old_way, *now, 25));
    EXPECT_EQ(r.pictures[1], r.pictures[0]);
    for (size_t k = 0; k < 25; ++k) ASSERT_TRUE(r.frames[1][k] == r.frames[0][k]) << "transition " << k;
}

TEST(MonitorSharing, DifferentPicturesNeverShowOnePictureOnTwoMonitors) {
    TwoMonitors m(MonitorMode::kDifferentPictures, 3, 4);
    auto& [sharing, a, b] = m;
    EXPECT_EQ(a->runner().seed, 3u);
    EXPECT_EQ(b->runner().seed, 4u);  // their transitions differ
    EXPECT_EQ(b->settings().display_dpi, 192);
    // Two monitors' cross-fades and drifts take a frame every other refresh each.
    EXPECT_EQ(a->settings().frame_interval_ms, 32);
    ASSERT_NE(sharing.sequence(), nullptr);

    std::atomic<bool> clash{false};
    Recorder r(2);
    auto check = [&] {
        std::vector<int32_t> held = sharing.sequence()->Holding();
        if (held.size() == 2 && held[0] == held[1]) clash = true;
    };
    ASSERT_TRUE(r.Play(*a, *b, 30, check));
    EXPECT_FALSE(clash);
    for (const auto& shown : r.pictures)
        for (size_t k = 1; k < shown.size(); ++k) EXPECT_NE(shown[k], shown[k - 1]);
    // Each monitor draws its own picture at its own size: the picture's grey lies in the
    // middle of the stage.
    const Bitmap& last_4k = r.frames[1].back();
    EXPECT_EQ(last_4k.width(), 96);
    EXPECT_EQ(last_4k.pixel(48, 27) & 0xFF, uint32_t(40 + 60 * (r.pictures[1].back() % 4)));
}

TEST(MonitorSharing, TheSameShowGivesEveryMonitorTheSamePictures) {
    TwoMonitors m(MonitorMode::kSameShow, 8, 6);
    Recorder r(2);
    ASSERT_TRUE(r.Play(*m.a, *m.b, 20));
    EXPECT_EQ(r.pictures[0], r.pictures[1]);
}

// A show made for a monitor plugged in later joins the sequence of those playing.
TEST(MonitorSharing, ALaterShowJoinsTheSameSequence) {
    TwoMonitors m(MonitorMode::kDifferentPictures, 1, 4);
    MonitorSharing& sharing = m.sharing;
    auto later = Host(kFullHd, Config(4));
    sharing.SetUp(*later, kFullHd, 3);
    EXPECT_EQ(later->settings().frame_interval_ms, 48);
    EXPECT_EQ(later->runner().seed, 3u);
    EXPECT_EQ(sharing.sequence()->Holding().size(), 3u);
    later.reset();
    EXPECT_EQ(sharing.sequence()->Holding().size(), 2u);
}

}  // namespace
}  // namespace gd::test
