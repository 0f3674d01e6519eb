// The screensaver and the maker's preview are one player: for the same project and the
// same events, their sessions (each set up by its own rules, the screensaver's from the
// configuration record the build writes, the preview's from the project) show the same
// frames and close in the same order. Surfaces in memory, a fake clock and stand-in
// windows and media.

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "common/saver_extras.h"
#include "common/caption_record.h"
#include "common/resource_types.h"
#include "effects/show_setup.h"
#include "imaging/cx_image.h"
#include "maker/preview/preview_exit_rules.h"
#include "maker/preview/preview_session.h"
#include "maker/project/saver_builder.h"
#include "runtime/exit_rules.h"
#include "runtime/saver_music.h"
#include "tests/common/temp_folder.h"
#include "tests/maker/preview/fake_media.h"
#include "tests/player/player_fakes.h"
#include "tests/runtime/music_fakes.h"

namespace gd::test {
namespace {

using Journal = std::vector<std::string>;

constexpr int kWidth = 48, kHeight = 36;
constexpr int kFrames = 4;

// A picture of two halves, as a JPEG file's bytes.
std::string PictureBytes(int width, int height, uint8_t left, uint8_t right) {
    CxImage image;
    uint8_t* bits = image.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) std::fill_n(bits + y * image.GetEffWidth() + 3 * x, 3, x < width / 2 ? left : right);
    std::vector<uint8_t> jpeg;
    EXPECT_TRUE(image.Encode(jpeg, kFormatJpeg));
    return std::string(jpeg.begin(), jpeg.end());
}

// What one variant showed and did.
struct VariantRun {
    std::vector<Bitmap> frames;  // the window after each of the first transitions
    Journal steps;               // the session's steps of closing
    Journal window;              // what it asked of its window
};

// Plays `host` under `session` until it has shown kFrames transitions, then ends it with
// Escape. Pending timers fire as the window would fire them, shortest first.
VariantRun Play(ShowHost& host, SaverSession& session, FakeSessionWindow& window) {
    VariantRun run;
    std::mutex lock;
    host.stage().on_transition_end = [&] {
        std::lock_guard guard(lock);
        if (run.frames.size() < kFrames) run.frames.push_back(Snapshot(host.stage().window()));
    };
    session.on_step = [&](std::string_view step) { run.steps.emplace_back(step); };
    session.Start();
    for (SessionTimer t : {SessionTimer::kShowStart, SessionTimer::kMusicStart, SessionTimer::kMusicTick})
        if (window.Pending(t)) session.OnTimer(t);
    WaitUntil([&] {
        std::lock_guard guard(lock);
        return run.frames.size() >= kFrames;
    });
    EXPECT_FALSE(session.OnInput(ShowInput::kKey)) << "the project does not end on a key";
    EXPECT_TRUE(session.OnInput(ShowInput::kEscape));
    run.window = window.journal;
    return run;
}

TEST(SessionVariants, TheScreensaverAndThePreviewShowTheSameFramesAndCloseInTheSameOrder) {
    testing::TempFolder folder;
    CParamData project;
    project.szName = "Variants";
    project.bKeyboardEvent = 0;
    project.nEffectMilliSecond = 300;
    project.nPicturePause = 1;
    project.crBgColor = 0x203040;
    project.bEffectOn.fill(0);
    for (int id : {3, 11, 21, 26}) project.bEffectOn[size_t(id)] = 1;
    const std::string bytes[] = {PictureBytes(30, 20, 200, 40), PictureBytes(20, 30, 90, 250),
                                 PictureBytes(60, 20, 10, 160)};
    for (int i = 0; i < 3; ++i) {
        project.pictureList.push_back(CPictureData{});
        project.pictureList.back().szFile = folder.Write("p" + std::to_string(i) + ".jpg", bytes[i]);
        project.pictureList.back().szCaption = "picture " + std::to_string(i);
    }
    project.musicList = {folder.Write("a.wav", "RIFF"), folder.Write("b.wav", "RIFF")};

    // The screensaver: its payload as the build writes it, the show extras over the record.
    const SaverConfig made = MakeSaverConfig(project, 3, 2, std::string(kIdentifierLength, '0'), "");
    SaverConfig config = *DecodeSaverConfig(EncodeSaverConfig(made));
    ASSERT_TRUE(ApplySaverExtras(EncodeSaverExtras(made), config));
    auto payload = std::make_shared<MemoryResourceSource>();
    for (int i = 0; i < 3; ++i) {
        payload->Add(RT_SAVER_PICTURE, uint16_t(i), std::vector<uint8_t>(bytes[i].begin(), bytes[i].end()));
        const CaptionRecord caption = MakeCaptionRecord(project, project.pictureList[size_t(i)]);
        payload->Add(RT_SAVER_CAPTION, uint16_t(i), EncodeCaptionRecord(caption));
    }
    auto find = [payload](uint16_t type, uint16_t id) { return payload->Find(type, id); };
    ShowHost saver_host(std::make_unique<MemoryShowSurface>(kWidth, kHeight),
                        std::make_unique<ResourcePictureSource>(find), std::make_unique<FakeClock>());
    SetUpShowSettings(saver_host.settings(), config, ShowVariant::kFullScreen);
    saver_host.runner().seed = 31;
    testing::FakeTrackFiles track_files;
    auto files = std::shared_ptr<testing::FakeTrackFiles>(&track_files, [](auto*) {});
    testing::FakePlayer saver_media(track_files);
    FakeSessionWindow saver_window;
    ExitFlags flags{config.mouse_move != 0, config.mouse_left_click != 0, config.mouse_right_click != 0,
                    config.keyboard_event != 0};
    SaverSession saver(saver_window, &saver_host,
                       std::make_unique<SaverMusic>(config, payload, files, saver_media, "T:\\"),
                       [flags](ShowInput input, Point cursor) {
                           return InputEndsShow(input, ExitState{}, flags, cursor);
                       },
                       SaverSessionPlan(config, 10));

    // The preview: the project's files.
    const PreviewPlan plan = MakePreviewPlan(project);
    ShowHost preview_host(std::make_unique<MemoryShowSurface>(kWidth, kHeight),
                          std::make_unique<FilePictureSource>(plan.pictures), std::make_unique<FakeClock>());
    preview_host.settings() = plan.show;
    preview_host.runner().seed = 31;
    FakeMedia preview_media;
    FakeSessionWindow preview_window;
    PreviewExitRules rules(plan.exit);
    SaverSession preview(preview_window, &preview_host,
                         std::make_unique<PreviewMusic>(preview_media, plan.music, plan.shuffle_music, plan.music_pause),
                         [&rules](ShowInput input, Point cursor) { return rules.Ends(input, cursor); },
                         PreviewSessionPlan(plan));

    const VariantRun a = Play(saver_host, saver, saver_window);
    const VariantRun b = Play(preview_host, preview, preview_window);
    ASSERT_EQ(a.frames.size(), size_t(kFrames));
    ASSERT_EQ(b.frames.size(), size_t(kFrames));
    for (int k = 0; k < kFrames; ++k) EXPECT_TRUE(a.frames[size_t(k)] == b.frames[size_t(k)]) << "frame " << k;
    EXPECT_FALSE(a.frames[0] == a.frames[1]) << "the show moved on";
    EXPECT_EQ(a.steps, (Journal{"window hidden", "show stopped", "music stopped", "close requested"}));
    EXPECT_EQ(a.steps, b.steps);
    // Both asked their window for the same things at the close: hide it, then close it.
    auto tail = [](const Journal& j) { return Journal(j.end() - 2, j.end()); };
    EXPECT_EQ(tail(a.window), (Journal{"hide", "close"}));
    EXPECT_EQ(tail(b.window), tail(a.window));
    EXPECT_FALSE(saver_media.IsOpen());
    EXPECT_FALSE(preview_media.IsOpen());
}

}  // namespace
}  // namespace gd::test
