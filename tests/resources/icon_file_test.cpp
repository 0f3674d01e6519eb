#include "resources/icon_file.h"

#include <gtest/gtest.h>

#include "common/byte_io.h"
#include "resources/resource_table.h"
#include "tests/resources/sample_files.h"

namespace gd::res {
namespace {

using test::ReadAll;

struct Image {
    uint8_t width;
    std::vector<uint8_t> bytes;
};

// An icon file with the given images, each entry's offset and size true unless changed.
std::vector<uint8_t> IconFile(const std::vector<Image>& images) {
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(uint16_t(images.size()));
    uint32_t at = kIconHeaderSize + kIconDirEntrySize * uint32_t(images.size());
    for (const auto& image : images) {
        w.U8(image.width);
        w.U8(image.width);
        w.U8(0);
        w.U8(0);
        w.U16(1);
        w.U16(32);
        w.U32(uint32_t(image.bytes.size()));
        w.U32(at);
        at += uint32_t(image.bytes.size());
    }
    for (const auto& image : images) w.Bytes(image.bytes);
    return w.Take();
}

class IconReplace : public ::testing::Test {
protected:
    void SetUp() override {
        std::string sample = test::SamplePath("resource_probe.exe");
        if (sample.empty()) GTEST_SKIP() << "no Windows build, so no sample executables";
        exe_ = dir_.Copy(sample, "saver.scr");
        original_ = ReadAll(exe_);
    }
    std::vector<uint8_t> Entry(uint16_t type, uint16_t id) {
        auto parsed = ReadPeResources(exe_);
        auto source = FileSource::Open(exe_);
        const ResourceEntry* e = parsed->table.Find(type, id, kLanguageEnUs);
        return e ? ReadEntryBytes(*source, *e).value() : std::vector<uint8_t>{};
    }
    size_t Count() { return ReadPeResources(exe_)->table.entries.size(); }
    std::string Icon(const std::vector<uint8_t>& bytes) {
        std::string path = dir_.Path("icon.ico");
        test::WriteAll(path, bytes);
        return path;
    }
    test::ScratchDir dir_;
    std::string exe_;
    std::vector<uint8_t> original_;
};

TEST_F(IconReplace, ThreeImagesGiveImagesOneToThreeAndA48ByteGroup) {
    std::string ico = test::InputPath("ico/three_images.ico");
    auto file = ReadAll(ico);
    ASSERT_EQ(ReadU16(&file[4]), 3);
    ASSERT_TRUE(ReplaceIcon(ico, exe_));
    auto group = Entry(kTypeGroupIcon, kIconGroupId);
    ASSERT_EQ(group.size(), 48u);
    EXPECT_TRUE(std::equal(group.begin(), group.begin() + 6, file.begin()));
    for (uint16_t i = 0; i < 3; ++i) {
        const uint8_t* g = &group[6 + 14 * i];
        const uint8_t* d = &file[6 + 16 * i];
        EXPECT_TRUE(std::equal(g, g + 12, d)) << "entry " << i;
        EXPECT_EQ(ReadU16(g + 12), i + 1);
        uint32_t size = ReadU32(d + 8), offset = ReadU32(d + 12);
        EXPECT_EQ(Entry(kTypeIcon, i + 1), std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + size));
    }
}

TEST_F(IconReplace, CountZeroGivesAnEmptyGroupAndNoImages) {
    auto old_image = Entry(kTypeIcon, 1);
    size_t count = Count();
    ASSERT_TRUE(ReplaceIcon(Icon(IconFile({})), exe_));
    EXPECT_EQ(Entry(kTypeGroupIcon, kIconGroupId), (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Entry(kTypeIcon, 1), old_image);
    EXPECT_EQ(Count(), count);
}

TEST_F(IconReplace, AShortImageKeepsTheEarlierImagesButNotTheGroup) {
    auto bytes = IconFile({{16, std::vector<uint8_t>(40, 1)}, {32, std::vector<uint8_t>(80, 2)}});
    bytes.resize(bytes.size() - 1);  // the second image is one byte short
    auto old_group = Entry(kTypeGroupIcon, kIconGroupId);
    std::string error;
    EXPECT_FALSE(ReplaceIcon(Icon(bytes), exe_, &error));
    EXPECT_NE(error.find("image 2"), std::string::npos) << error;
    EXPECT_EQ(Entry(kTypeIcon, 1), std::vector<uint8_t>(40, 1));
    EXPECT_EQ(Entry(kTypeGroupIcon, kIconGroupId), old_group);
}

// Sizes come from the file: one larger than the file is refused before any allocation.
TEST_F(IconReplace, AnImageSizeBeyondTheFileFailsAndLeavesTheExecutable) {
    auto bytes = IconFile({{16, std::vector<uint8_t>(40, 1)}});
    WriteU32(&bytes[6 + 8], 0xfffffff0u);
    EXPECT_FALSE(ReplaceIcon(Icon(bytes), exe_));
    WriteU32(&bytes[6 + 8], 40);
    WriteU32(&bytes[6 + 12], 0xfffffff0u);
    EXPECT_FALSE(ReplaceIcon(Icon(bytes), exe_));
    EXPECT_EQ(ReadAll(exe_), original_);
}

TEST_F(IconReplace, UnreadableOrTruncatedIconFilesFailAndLeaveTheExecutable) {
    EXPECT_FALSE(ReplaceIcon(dir_.Path("missing.ico"), exe_));
    EXPECT_FALSE(ReplaceIcon(Icon({0, 0, 1, 0, 3}), exe_));  // header cut in its third field
    auto bytes = IconFile({{16, {1}}, {16, {2}}, {16, {3}}});
    bytes.resize(6 + 16 * 2 + 5);  // directory says three entries, holds two and a bit
    EXPECT_FALSE(ReplaceIcon(Icon(bytes), exe_));
    EXPECT_EQ(ReadAll(exe_), original_);
}

}  // namespace
}  // namespace gd::res
