#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/byte_io.h"
#include "imaging/cx_image.h"
#include "maker/cli/command.h"
#include "maker/cli/effect_renderer.h"
#include "maker/cli/sample_pictures.h"

namespace gd::cli {
int RunRenderEffect(std::span<const std::string_view> args);
namespace {

namespace fs = std::filesystem;

struct TempDir {
    TempDir() {
        path = fs::temp_directory_path() / ("gd_render_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

int RunCommand(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return RunRenderEffect(views);
}

EffectRender Render(int32_t effect, uint32_t seed, std::vector<int> steps) {
    EffectRender out;
    std::string error;
    EXPECT_TRUE(RenderEffect({effect, 80, 60, "", "", seed, std::move(steps)}, out, error)) << error;
    return out;
}

TEST(RenderEffect, SameSeedSamePixelsAndTheEndShowsTheNewPicture) {
    EffectRender a = Render(1, 7, {0, 2, 5, kLastStep});
    EffectRender b = Render(1, 7, {0, 2, 5, kLastStep});
    ASSERT_EQ(a.shots.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        ASSERT_TRUE(a.shots[k] && b.shots[k]) << k;
        EXPECT_TRUE(*a.shots[k] == *b.shots[k]) << k;
    }
    EXPECT_GE(a.pacing_points, 11);  // Blinds: P + 1 steps, P at least 10
    EXPECT_FALSE(*a.shots[0] == *a.shots[1]);
    EXPECT_FALSE(*a.shots[1] == *a.shots[2]);
    // Our two pictures fill an 80 x 60 window exactly (same aspect: stretched in place).
    Bitmap sea(80, 60), dawn(80, 60);
    SeaPicture(80, 60).Draw2(sea, 0, 0, 80, 60);
    DawnPicture(80, 60).Draw2(dawn, 0, 0, 80, 60);
    EXPECT_TRUE(*a.shots[0] == dawn);
    EXPECT_TRUE(*a.shots[3] == sea);
}

TEST(RenderEffect, UnreachedStepsStayEmpty) {
    EffectRender r = Render(0, 1, {1, kLastStep});
    EXPECT_EQ(r.pacing_points, 0);
    EXPECT_FALSE(r.shots[0].has_value());
    EXPECT_TRUE(r.shots[1].has_value());
}

TEST(RenderEffectCommand, WritesOnePngPerStep) {
    TempDir dir;
    ASSERT_EQ(RunCommand({"--effect", "2", "--size", "33x21", "--seed", "3", "--steps", "0,1,last", "--out", dir.path.string()}),
              kExitOk);
    for (const char* name : {"step-0.png", "step-1.png", "step-last.png"}) {
        std::ifstream in(dir.path / name, std::ios::binary);
        std::vector<uint8_t> head(24);
        ASSERT_TRUE(in.read(reinterpret_cast<char*>(head.data()), 24)) << name;
        EXPECT_EQ(head[1], 'P');
        EXPECT_EQ(head[2], 'N');
        // IHDR width and height, big-endian.
        EXPECT_EQ((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19], 33);
        EXPECT_EQ((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23], 21);
    }
    // A step the effect never reaches is reported, not invented.
    EXPECT_EQ(RunCommand({"--effect", "0", "--size", "8x8", "--steps", "4", "--out", dir.path.string()}), kExitFailed);
    EXPECT_FALSE(fs::exists(dir.path / "step-4.png"));
}

TEST(RenderEffectCommand, UsesGivenPictureFiles) {
    TempDir dir;
    std::vector<uint8_t> jpeg;
    CxImage red;
    red.Create(16, 12, 24);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) red.GetBits()[size_t(y) * red.GetEffWidth() + 3 * x + 2] = 255;
    ASSERT_TRUE(red.Encode(jpeg, kFormatJpeg));
    std::string file = (dir.path / "red.jpg").string();
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
    EffectRender out;
    std::string error;
    ASSERT_TRUE(RenderEffect({0, 16, 12, "", file, 1, {kLastStep}}, out, error)) << error;
    Pixel p = out.shots[0]->pixel(8, 6);
    EXPECT_GT(PixelRed(p), 200);
    EXPECT_LT(PixelGreen(p), 60);
    EXPECT_FALSE(RenderEffect({0, 16, 12, (dir.path / "none.jpg").string(), "", 1, {0}}, out, error));
    EXPECT_NE(error.find("none.jpg"), std::string::npos);
}

TEST(RenderEffectCommand, RejectsBadArgumentsWithUsageExitCode) {
    TempDir dir;
    const std::string out = dir.path.string();
    EXPECT_EQ(RunCommand({"--help"}), kExitOk);
    EXPECT_EQ(RunCommand({}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "46", "--size", "8x8", "--out", out}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--set", "bSmoothScaling=2"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--set", "szBanner=x"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--set", "bSmoothScaling"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "-1", "--size", "8x8", "--out", out}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3x", "--size", "8x8", "--out", out}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "0x8", "--out", out}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8", "--out", out}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--steps", "1,,2"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--seed"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--frobnicate", "1"}), kExitUsage);
    EXPECT_EQ(RunCommand({"--effect", "3", "--size", "8x8", "--out", out, "--to", out + "/missing.jpg"}), kExitUsage);
    EXPECT_TRUE(fs::is_empty(dir.path));
}

TEST(RenderEffectCommand, ContactSheetShowsEveryEffect) {
    TempDir dir;
    std::string sheet = (dir.path / "sheet.png").string();
    ASSERT_EQ(RunCommand({"--sheet", sheet, "--size", "24x18"}), kExitOk);
    EXPECT_GT(fs::file_size(sheet), 1000u);
    EXPECT_EQ(RunCommand({"--sheet", sheet}), kExitUsage);
}

}  // namespace
}  // namespace gd::cli
