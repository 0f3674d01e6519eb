#include "runtime/music_list.h"

#include <gtest/gtest.h>

#include "common/random15.h"
#include "music_fakes.h"

namespace gd {
namespace {

using testing::FakePlayer;
using testing::FakeTrackFiles;

struct MusicRig {
    explicit MusicRig(int count, bool shuffle = false)
        : files(std::make_shared<FakeTrackFiles>()),
          player(*files),
          list(testing::Settings(count, shuffle), testing::TracksSource(count), files, player) {}
    // Prepares on this thread, plays, and finishes the track; returns the track played.
    int PlayOne() {
        list.PrepareNextTrack();
        EXPECT_TRUE(list.PlayNextTrack());
        player.FinishTrack();
        EXPECT_TRUE(list.IsTrackFinished());
        return list.index();
    }
    std::shared_ptr<FakeTrackFiles> files;
    FakePlayer player;
    CMusicList list;
};

TEST(MusicList, OneTrackIsWrittenOnceAndPlayedAgain) {
    MusicRig rig(1);
    for (int i = 0; i < 4; ++i) rig.PlayOne();
    EXPECT_EQ(rig.files->creates(), 1);
    EXPECT_EQ(rig.files->Names(), std::set<std::string>{"/tmp/ID0.WAV"});
    EXPECT_EQ(rig.player.opened, std::vector<std::string>(4, "/tmp/ID0.WAV"));
}

TEST(MusicList, TwoTracksAlternateAndAreEachWrittenOnce) {
    MusicRig rig(2);
    for (int i = 0; i < 5; ++i) rig.PlayOne();
    EXPECT_EQ(rig.files->creates(), 2);
    std::vector<std::string> expected{"/tmp/ID0.WAV", "/tmp/ID1.WAV", "/tmp/ID0.WAV", "/tmp/ID1.WAV",
                                      "/tmp/ID0.WAV"};
    EXPECT_EQ(rig.player.opened, expected);
    EXPECT_EQ(rig.files->Content("/tmp/ID1.WAV"), std::vector<uint8_t>(10, 1));
}

TEST(MusicList, ThreeTracksPlayInOrderAndKeepAtMostTwoFiles) {
    MusicRig rig(3);
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) {
        order.push_back(rig.PlayOne());
        EXPECT_LE(rig.files->Names().size(), 2u);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1}));
    // Track 2 started third: the file of track 1 went when it did.
    MusicRig fresh(3);
    fresh.PlayOne();
    fresh.PlayOne();
    fresh.list.PrepareNextTrack();
    fresh.list.PlayNextTrack();
    EXPECT_EQ(fresh.files->Names(), (std::set<std::string>{"/tmp/ID2.WAV"}));
}

TEST(MusicList, ShuffleNeverRepeatsATrack) {
    SeedRandom(7);
    MusicRig rig(3, true);
    int last = -1;
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        int now = rig.PlayOne();
        EXPECT_NE(now, last);
        seen.insert(now);
        last = now;
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST(MusicList, AMissingTrackIsSkippedAsUnplayable) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    auto source = testing::TracksSource(3);
    auto sparse = std::make_shared<MemoryResourceSource>();
    for (int id : {0, 2}) sparse->Add(RT_SAVER_MUSIC, uint16_t(id), std::vector<uint8_t>(source->Find(RT_SAVER_MUSIC, uint16_t(id))->begin(), source->Find(RT_SAVER_MUSIC, uint16_t(id))->end()));
    CMusicList list(testing::Settings(3), sparse, files, player);
    list.PrepareNextTrack();
    list.PlayNextTrack();
    player.FinishTrack();
    ASSERT_TRUE(list.IsTrackFinished());
    list.PrepareNextTrack();  // track 1 is missing
    EXPECT_EQ(list.next_file(), "");
    ASSERT_TRUE(list.PlayNextTrack());
    EXPECT_TRUE(list.IsTrackFinished());  // nothing to play counts as finished at once
    list.PrepareNextTrack();
    EXPECT_EQ(list.next_file(), "/tmp/ID2.WAV");
}

// Regression: ids were cut to 16 bits, so the track after 65535 of a damaged count was
// track 0 again, written under the name of track 65536.
TEST(MusicList, ACountBeyondTheLargestEntryIdFindsNoTrackThere) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(65537), testing::TracksSource(1), files, player);
    list.PrepareNextTrack();
    ASSERT_EQ(list.next_file(), "/tmp/ID0.WAV");
    while (list.index() < 65536) list.PrepareNextTrack();
    EXPECT_EQ(list.next_file(), "");
    EXPECT_EQ(files->creates(), 1);
    list.PrepareNextTrack();  // the count wraps to the first track
    EXPECT_EQ(list.index(), 0);
    EXPECT_EQ(list.next_file(), "/tmp/ID0.WAV");
}

TEST(MusicList, CloseRemovesBothFiles) {
    MusicRig rig(2);
    rig.PlayOne();
    rig.list.PrepareNextTrack();
    rig.list.PlayNextTrack();
    ASSERT_EQ(rig.files->Names().size(), 2u);
    rig.list.StopMusic();
    rig.list.DeleteFiles();
    EXPECT_TRUE(rig.files->Names().empty());
    EXPECT_FALSE(rig.player.IsOpen());
}

TEST(MusicList, PreparationRunsOnItsOwnThreadAndBlocksPlayWhileBusy) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    CMusicList list(testing::Settings(3), testing::TracksSource(3), files, player);
    std::thread::id worker;
    list.set_thread_start_hook([&] { worker = std::this_thread::get_id(); });
    files->Hold();
    list.StartPreparation();
    ASSERT_TRUE(files->WaitUntilAWriterIsHeld());
    EXPECT_TRUE(list.busy());
    EXPECT_FALSE(list.PlayNextTrack());
    list.StartPreparation();  // no second preparation while one runs
    files->Release();
    ASSERT_TRUE(testing::WaitUntilIdle(list));
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_EQ(files->creates(), 1);
    EXPECT_EQ(list.next_file(), "/tmp/ID0.WAV");
    EXPECT_TRUE(list.PlayNextTrack());
}

TEST(MusicList, CancelDoesNotWaitForAWriteAndRemovesItsFile) {
    auto files = std::make_shared<FakeTrackFiles>();
    FakePlayer player(*files);
    auto list = std::make_unique<CMusicList>(testing::Settings(3), testing::TracksSource(3, 300 * 1024), files, player);
    files->Hold();
    list->StartPreparation();
    ASSERT_TRUE(files->WaitUntilAWriterIsHeld());
    ASSERT_EQ(files->Names().size(), 1u);
    list->CancelPreparation();  // returns although the writer is still held
    list->DeleteFiles();
    EXPECT_TRUE(files->Names().empty());
    list.reset();  // the list may go before its cancelled thread
    files->Release();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(files->Names().empty());
    EXPECT_EQ(files->creates(), 1);
}

}  // namespace
}  // namespace gd
