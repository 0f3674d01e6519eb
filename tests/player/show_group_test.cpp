// The shows of a window's stages played as one: started and stopped together (a stop
// bounded in all, even while one show decodes), and laid out again when the monitors
// change: a show whose stage keeps its shape plays on, moved where its stage is now; a
// show whose monitor went stops and lets go of everything; a new monitor gets a new show
// that starts at once. One session plays them all.
#include "player/show_group.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <optional>

#include "effects/effect_selection.h"
#include "player/saver_session.h"
#include "tests/player/player_fakes.h"

namespace gd::test {
namespace {

// A surface in memory that notes where its show was moved.
class MovableSurface final : public ShowSurface {
public:
    MovableSurface(int width, int height, Presenter* presenter) : window_(width, height), presenter_(presenter) {}
    Bitmap WindowBuffer() override { return Bitmap::View(window_.data(), window_.width(), window_.height(), window_.stride()); }
    Bitmap Frame() override { return {}; }
    Presenter* presenter() override { return presenter_; }
    TextRenderer* text() override { return nullptr; }
    void MoveTo(Point origin) override { moved_to = origin; }
    std::optional<Point> moved_to;

private:
    Bitmap window_;
    Presenter* presenter_;
};

// Makes each show over its own pictures (whose decodes one state can hold) and counts
// the transitions each show made, by the order in which the shows were made.
struct Rig {
    Rig() {
        group = std::make_unique<ShowGroup>([this](const ShowStage& stage, size_t) { return Make(stage); }, 100);
    }
    std::unique_ptr<ShowHost> Make(const ShowStage& stage) {
        const int made = int(states.size());
        states.push_back(std::make_shared<HeldPictures::State>());
        auto host = std::make_unique<ShowHost>(
            std::make_unique<MovableSurface>(stage.rect.width(), stage.rect.height(), &presenter),
            std::make_unique<HeldPictures>(states.back()), std::make_unique<FakeClock>());
        host->settings().picture_count = 3;
        host->settings().effect_duration = 100;
        AddEffect(host->settings(), 3);
        host->runner().seed = uint32_t(made);
        // The counts outlive the rig: a show given up by a bounded stop finishes on its own
        // thread after the test has ended.
        host->stage().on_transition_end = [counts = transitions, made] { ++(*counts)[size_t(made)]; };
        return host;
    }
    bool WaitForTransitions(size_t show, int n) {
        return WaitUntil([&] { return (*transitions)[show] >= n; });
    }
    MovableSurface& SurfaceOf(size_t i) { return static_cast<MovableSurface&>(group->host(i).surface()); }

    CountingPresenter presenter;
    std::vector<std::shared_ptr<HeldPictures::State>> states;
    std::shared_ptr<std::array<std::atomic<int>, 8>> transitions = std::make_shared<std::array<std::atomic<int>, 8>>();
    std::unique_ptr<ShowGroup> group;
};

const ShowStage kLeft{Rect::FromSize(0, 0, 40, 30)};
const ShowStage kRight{Rect::FromSize(40, 0, 32, 24)};

TEST(ShowGroup, StartsAndStopsEveryShowTogether) {
    Rig rig;
    rig.group->Lay({kLeft, kRight});
    ASSERT_EQ(rig.group->size(), 2u);
    EXPECT_EQ(rig.group->host(1).stage().width(), 32);
    EXPECT_FALSE(rig.group->host(0).running());
    rig.group->Start();
    ASSERT_TRUE(rig.WaitForTransitions(0, 2));
    ASSERT_TRUE(rig.WaitForTransitions(1, 2));
    EXPECT_TRUE(rig.group->StopWithin(1000));
    for (size_t i = 0; i < 2; ++i) {
        const Rect& r = rig.group->stage(i).rect;
        EXPECT_FALSE(rig.group->host(i).running());
        EXPECT_TRUE(rig.group->host(i).stage().window() == Bitmap(r.width(), r.height(), 0)) << "cleared black";
    }
}

// A stop bounded in all: one show held in a decode does not make the group wait for it
// longer than the bound, and the other stops all the same.
TEST(ShowGroup, ABoundedStopIsBoundedInAll) {
    Rig rig;
    rig.group->Lay({kLeft, kRight});
    rig.group->Start();
    ASSERT_TRUE(rig.WaitForTransitions(1, 1));
    HeldPictures::Hold(*rig.states[0]);
    ASSERT_TRUE(HeldPictures::WaitUntilADecodeIsHeld(*rig.states[0]));
    EXPECT_FALSE(rig.group->StopWithin(50));
    EXPECT_FALSE(rig.group->host(1).running());
    HeldPictures::Release(*rig.states[0]);
}

TEST(ShowGroup, ANewLayoutKeepsTheShowsWhoseStagesKeepTheirShape) {
    Rig rig;
    rig.group->Lay({kLeft, kRight});
    rig.group->Start();
    ASSERT_TRUE(rig.WaitForTransitions(0, 1));
    ShowHost* left = &rig.group->host(0);
    ShowHost* right = &rig.group->host(1);

    // A monitor plugged in left of both: the two shows move right and go on; the new
    // monitor gets a show of its own that starts at once.
    const ShowStage added{Rect::FromSize(0, 0, 20, 20)};
    const ShowStage left_moved{kLeft.rect.translated(20, 0)}, right_moved{kRight.rect.translated(20, 0)};
    rig.group->Lay({added, left_moved, right_moved});
    ASSERT_EQ(rig.group->size(), 3u);
    EXPECT_EQ(&rig.group->host(1), left);
    EXPECT_EQ(&rig.group->host(2), right);
    EXPECT_EQ(rig.SurfaceOf(1).moved_to, (Point{20, 0}));
    EXPECT_EQ(rig.SurfaceOf(2).moved_to, (Point{60, 0}));
    EXPECT_FALSE(rig.SurfaceOf(0).moved_to.has_value());
    EXPECT_EQ(rig.group->stage(1), left_moved);
    EXPECT_TRUE(left->running());
    ASSERT_TRUE(rig.WaitForTransitions(2, 1)) << "the new monitor's show did not start";

    // The left monitor unplugged again and the right one turned to portrait: its show
    // stops and lets go of its pictures, and the portrait stage gets a new one.
    const ShowStage portrait{Rect::FromSize(40, 0, 24, 32)};
    rig.group->Lay({kLeft, portrait});
    ASSERT_EQ(rig.group->size(), 2u);
    EXPECT_EQ(&rig.group->host(0), left);
    EXPECT_NE(&rig.group->host(1), right);
    EXPECT_TRUE(rig.states[1]->destroyed) << "the right monitor's old show is gone";
    EXPECT_TRUE(rig.states[2]->destroyed) << "the unplugged monitor's show is gone";
    EXPECT_FALSE(rig.states[0]->destroyed);
    EXPECT_EQ(rig.group->host(1).stage().height(), 32);
    ASSERT_TRUE(rig.WaitForTransitions(3, 1));
    rig.group->Stop();
}

// A monitor whose DPI changed gets a new show: its texts are drawn for the new DPI.
TEST(ShowGroup, AStageWhoseDpiChangedGetsANewShow) {
    Rig rig;
    rig.group->Lay({kLeft});
    ShowHost* before = &rig.group->host(0);
    rig.group->Lay({ShowStage{kLeft.rect, 144}});
    EXPECT_NE(&rig.group->host(0), before);
    // Not started: the new show waits for the group's start.
    EXPECT_FALSE(rig.group->host(0).running());
}

TEST(ShowGroup, OneSessionStartsAndClosesEveryShow) {
    Rig rig;
    rig.group->Lay({kLeft, kRight});
    FakeSessionWindow window;
    SaverSession session(window, rig.group.get(), nullptr, [](ShowInput input, Point) { return input == ShowInput::kEscape; },
                         SessionPlan{});
    std::vector<std::string> steps;
    session.on_step = [&](std::string_view step) { steps.emplace_back(step); };
    session.Start();
    EXPECT_TRUE(rig.group->host(0).running());
    EXPECT_TRUE(rig.group->host(1).running());
    ASSERT_TRUE(rig.WaitForTransitions(1, 1));
    EXPECT_TRUE(session.OnInput(ShowInput::kEscape));
    EXPECT_FALSE(rig.group->host(0).running());
    EXPECT_FALSE(rig.group->host(1).running());
    EXPECT_EQ(steps, (std::vector<std::string>{"window hidden", "show stopped", "music stopped", "close requested"}));
    EXPECT_EQ(window.journal.back(), "close");
}

}  // namespace
}  // namespace gd::test
