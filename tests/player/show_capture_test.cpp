// The test seam that makes two runtimes' shows comparable: the environment it is read
// from, the frame hash, and the frames a capturing surface records.

#include "player/show_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "effects/effect_selection.h"
#include "tests/common/temp_folder.h"
#include "tests/player/player_fakes.h"

namespace gd::test {
namespace {

class Environment {
public:
    explicit Environment(std::initializer_list<std::pair<const char*, const char*>> vars) {
        Clear();
        for (const auto& [name, value] : vars) setenv(name, value, 1);
    }
    ~Environment() { Clear(); }

private:
    static void Clear() {
        for (const char* name : {"REELHOST_SEED", "REELHOST_STEP_CLOCK", "REELHOST_CAPTURE", "REELHOST_CAPTURE_FRAMES",
                                 "REELHOST_CAPTURE_EVERY"})
            unsetenv(name);
    }
};

TEST(ShowCapture, ANormalRunReadsNothing) {
    Environment none({});
    EXPECT_FALSE(ShowCaptureFromEnvironment());
}

TEST(ShowCapture, ReadsSeedClockAndCapture) {
    Environment env({{"REELHOST_SEED", "42"}, {"REELHOST_STEP_CLOCK", "1"}, {"REELHOST_CAPTURE", "/x"},
                     {"REELHOST_CAPTURE_FRAMES", "12"}, {"REELHOST_CAPTURE_EVERY", "junk"}});
    auto s = ShowCaptureFromEnvironment();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->seed, 42u);
    EXPECT_TRUE(s->step_clock);
    EXPECT_EQ(s->dir, "/x");
    EXPECT_EQ(s->frames, 12);
    EXPECT_EQ(s->every, 50) << "a count that is no number keeps the default";
    EXPECT_TRUE(CaptureClock(*s));
    s->step_clock = false;
    EXPECT_FALSE(CaptureClock(*s)) << "without the stepping clock the show keeps the platform's";
}

TEST(ShowCapture, TheHashSeesColoursOnly) {
    Bitmap a(3, 2, 0x00102030);
    Bitmap b(3, 2, 0xFF102030);  // the unused byte differs, as a platform may leave it
    EXPECT_EQ(FrameHash(a), FrameHash(b));
    b.set_pixel(2, 1, 0x00102031);
    EXPECT_NE(FrameHash(a), FrameHash(b));
    // Rows, not the memory between them: a view with a wider stride hashes the same.
    std::vector<Pixel> wide(5 * 2, 0x00102030);
    wide[3] = wide[4] = 0x00FFFFFF;
    EXPECT_EQ(FrameHash(Bitmap::View(wide.data(), 3, 2, 5)), FrameHash(a));
}

TEST(ShowCapture, ACapturedShowListsEveryPresentUpToItsCount) {
    gd::testing::TempFolder folder;
    ShowCaptureSettings settings;
    settings.seed = 7;
    settings.step_clock = true;
    settings.dir = folder.File("");
    settings.frames = 30;
    settings.every = 10;
    CountingPresenter presenter;
    auto state = std::make_shared<HeldPictures::State>();
    ShowHost host(CapturingSurface(std::make_unique<MemoryShowSurface>(32, 24, &presenter), settings),
                  std::make_unique<HeldPictures>(state), CaptureClock(settings));
    host.settings().picture_count = 3;
    host.settings().effect_duration = 500;
    AddEffect(host.settings(), 3);
    host.runner().seed = settings.seed;
    host.Start();
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder.File("done")); }));
    host.Stop();
    EXPECT_GE(presenter.presents.load(), 30) << "the frames still reach the window";

    std::ifstream list(folder.File("frames.txt"));
    std::string line;
    int lines = 0;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        int index = -1;
        std::string hash;
        fields >> index >> hash;
        EXPECT_EQ(index, lines);
        EXPECT_EQ(hash.size(), 16u) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 30) << "presents after the count are not recorded";
    for (const char* name : {"frame-00000.ppm", "frame-00010.ppm", "frame-00020.ppm", "frame-00029.ppm"})
        EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.File("frame-00001.ppm")));
    std::ifstream ppm(folder.File("frame-00029.ppm"), std::ios::binary);
    std::string magic, size;
    int w = 0, h = 0;
    ppm >> magic >> w >> h;
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 24);
    EXPECT_EQ(std::filesystem::file_size(folder.File("frame-00029.ppm")), 13u + 32 * 24 * 3);
}

}  // namespace
}  // namespace gd::test
