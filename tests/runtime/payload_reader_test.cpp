#include "runtime/payload_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/common/host_path.h"

namespace gd {
namespace {

TEST(LoadSaverConfig, AcceptsOnlyAWholeRecord) {
    SaverConfig config;
    config.identifier = "0123456789ABCDEF0123456789ABCDEF";
    config.picture_count = 4;
    std::vector<uint8_t> bytes = EncodeSaverConfig(config);

    MemoryResourceSource none;
    EXPECT_FALSE(LoadSaverConfig(none));

    for (size_t size : {kSaverConfigSize - 1, kSaverConfigSize + 1}) {
        MemoryResourceSource wrong;
        std::vector<uint8_t> b = bytes;
        b.resize(size);
        wrong.Add(RT_SAVER_CONFIG, 0, b);
        EXPECT_FALSE(LoadSaverConfig(wrong)) << size;
    }

    MemoryResourceSource good;
    good.Add(RT_SAVER_CONFIG, 0, bytes);
    auto loaded = LoadSaverConfig(good);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->picture_count, 4);
    EXPECT_EQ(loaded->identifier, config.identifier);
}

SaverConfig RecordWithMovePicture(int32_t move_picture) {
    SaverConfig config;
    config.identifier = "0123456789ABCDEF0123456789ABCDEF";
    config.picture_count = 2;
    config.picture_pause = 9;
    config.move_picture = move_picture;
    return config;
}

// A screensaver of the 744-byte record `config` and, unless empty, the extras `extras`.
std::optional<SaverConfig> Load(const SaverConfig& config, std::vector<uint8_t> extras) {
    MemoryResourceSource source;
    source.Add(RT_SAVER_CONFIG, 0, EncodeSaverConfig(config));
    if (!extras.empty()) source.Add(RT_SAVER_EXTRAS, 0, std::move(extras));
    return LoadSaverConfig(source);
}

TEST(LoadSaverConfig, TheShowExtrasCarryMovePictureFirstAndOverrideTheRecord) {
    const std::vector<uint8_t> extras = EncodeSaverExtras(RecordWithMovePicture(0));
    auto record = DecodeKeyedRecord(kSaverExtrasMagic, extras);
    ASSERT_TRUE(record);
    ASSERT_FALSE(record->entries.empty());
    EXPECT_EQ(record->entries[0], Int32Entry("bMovePicture", 0));

    // The same in both, as the maker writes them; and an extras record that differs wins.
    EXPECT_EQ(Load(RecordWithMovePicture(0), extras), RecordWithMovePicture(0));
    EXPECT_EQ(Load(RecordWithMovePicture(1), extras), RecordWithMovePicture(0));
    // Without one, a screensaver made before plays with its record alone.
    EXPECT_EQ(Load(RecordWithMovePicture(1), {}), RecordWithMovePicture(1));

    MemoryResourceSource extras_only;
    extras_only.Add(RT_SAVER_EXTRAS, 0, extras);
    EXPECT_FALSE(LoadSaverConfig(extras_only)) << "the extras do not stand for the record";
}

TEST(LoadSaverConfig, EntriesTheRuntimeCannotUseAreSkipped) {
    auto with = [](std::vector<KeyedEntry> entries) { return EncodeKeyedRecord(kSaverExtrasMagic, entries); };
    const KeyedEntry unknown_text{"szLater", uint8_t(EntryType::kText16), {'x', 0}};
    EXPECT_EQ(Load(RecordWithMovePicture(1), with({unknown_text, Int32Entry("nLater", 3), Int32Entry("bMovePicture", 0)})),
              RecordWithMovePicture(0));
    EXPECT_EQ(Load(RecordWithMovePicture(1), with({Int32Entry("bMovePicture", 2)})), RecordWithMovePicture(1))
        << "out of its range";
    EXPECT_EQ(Load(RecordWithMovePicture(1), with({KeyedEntry{"bMovePicture", uint8_t(EntryType::kBytes), {0, 0, 0, 0}}})),
              RecordWithMovePicture(1))
        << "not an int32";
    EXPECT_EQ(Load(RecordWithMovePicture(1), with({Int32Entry("nPicturePause", 1)})), RecordWithMovePicture(1))
        << "an option whose home is the record alone";
}

// Every damaged record of tests/inputs/extras holds bMovePicture 0 in a broken frame:
// the screensaver ignores the record whole and plays with its 744-byte record.
TEST(LoadSaverConfig, ADamagedShowExtrasRecordIsIgnoredWhole) {
    const std::filesystem::path folder = testing::HostPath(std::getenv("GD_TEST_INPUTS")) + "/extras";
    int count = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        if (file.path().filename().string().rfind("show_", 0) != 0) continue;
        std::ifstream in(file.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(Load(RecordWithMovePicture(1), bytes), RecordWithMovePicture(1)) << file.path();
        ++count;
    }
    EXPECT_GE(count, 5);
}

}  // namespace
}  // namespace gd
