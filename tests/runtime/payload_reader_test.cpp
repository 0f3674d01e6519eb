#include "runtime/payload_reader.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace gd
