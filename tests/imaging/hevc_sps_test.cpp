// The picture size of an HEVC sequence parameter set, read as libde265 reads it: through
// the profile of every sub-layer, past the bytes that keep the data from looking like a
// start code.
#include "imaging/hevc_sps.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/heif_boxes.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

class BitWriter {
public:
    // The low `count` bits of `value`, the first the highest; beyond 64, zeros lead.
    void Bits(uint64_t value, int count) {
        for (int i = count - 1; i >= 0; --i) Bit(i < 64 ? int(value >> i) & 1 : 0);
    }
    void Golomb(uint64_t value) {  // ue(v)
        int length = 0;
        while ((value + 1) >> (length + 1)) ++length;
        Bits(0, length);
        Bits(value + 1, length + 1);
    }
    // The NAL unit: its header, then the payload with a 3 after every two zero bytes that
    // a byte of 0 to 3 follows.
    std::vector<uint8_t> SpsNal() {
        Bits(1, 1);  // the stop bit
        while (bits_ % 8) Bit(0);
        std::vector<uint8_t> nal = {0x42, 0x01};  // type 33, layer 0, temporal id 1
        int zeros = 0;
        for (uint8_t b : payload_) {
            if (zeros >= 2 && b <= 3) {
                nal.push_back(3);
                zeros = 0;
            }
            zeros = b == 0 ? zeros + 1 : 0;
            nal.push_back(b);
        }
        return nal;
    }

private:
    void Bit(int bit) {
        if (bits_ % 8 == 0) payload_.push_back(0);
        payload_.back() |= uint8_t(bit << (7 - bits_ % 8));
        ++bits_;
    }
    std::vector<uint8_t> payload_;
    size_t bits_ = 0;
};

// An SPS of `sub_layers` sub-layers, each with its own profile and level (all zeros, so
// the payload is full of emulation prevention bytes), of 4:4:4 chroma.
std::vector<uint8_t> Sps(int sub_layers, uint64_t width, uint64_t height) {
    BitWriter w;
    w.Bits(0, 4);               // sps_video_parameter_set_id
    w.Bits(sub_layers - 1, 3);  // sps_max_sub_layers_minus1
    w.Bits(1, 1);               // sps_temporal_id_nesting_flag
    w.Bits(0, 96);              // the general profile and level
    for (int i = 0; i < sub_layers - 1; ++i) w.Bits(3, 2);  // profile and level present
    if (sub_layers > 1) w.Bits(0, 2 * (8 - (sub_layers - 1)));
    for (int i = 0; i < sub_layers - 1; ++i) w.Bits(0, 88 + 8);
    w.Golomb(0);  // sps_seq_parameter_set_id
    w.Golomb(3);  // chroma_format_idc: 4:4:4
    w.Bits(0, 1); // separate_colour_plane_flag
    w.Golomb(width);
    w.Golomb(height);
    w.Bits(0, 1);  // conformance_window_flag
    return w.SpsNal();
}

TEST(HevcSps, TheSizeIsReadThroughSubLayersAndEmulationPrevention) {
    for (int sub_layers : {1, 2, 7})
        for (auto [width, height] : {std::pair<int64_t, int64_t>{64, 64}, {4032, 3024}, {65535, 65535}}) {
            const auto size = HevcSpsSize(Sps(sub_layers, uint64_t(width), uint64_t(height)));
            ASSERT_TRUE(size) << sub_layers;
            EXPECT_EQ(size->width, width) << sub_layers;
            EXPECT_EQ(size->height, height) << sub_layers;
        }
    std::vector<uint8_t> cut = Sps(2, 4032, 3024);
    cut.resize(20);  // inside the sub-layers' profiles
    EXPECT_FALSE(HevcSpsSize(cut));
    std::vector<uint8_t> pps = Sps(1, 64, 64);
    pps[0] = 0x44;  // type 34
    EXPECT_FALSE(HevcSpsSize(pps));
}

TEST(HevcSps, InBandParameterSetsAreFoundBetweenTheOtherUnits) {
    const std::vector<uint8_t> sps = Sps(1, 8192, 8192);
    std::vector<uint8_t> data = {0, 0, 0, 3, 0x26, 0x01, 0xAF};  // a slice unit
    data.insert(data.end(), {0, 0, 0, uint8_t(sps.size())});
    data.insert(data.end(), sps.begin(), sps.end());
    std::vector<HevcPictureSize> sizes;
    InBandSpsSizes(data, 4, sizes);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].width, 8192);
    data.push_back(0);  // a length cut short ends the walk
    sizes.clear();
    InBandSpsSizes(data, 4, sizes);
    EXPECT_EQ(sizes.size(), 1u);
}

// Every picture of a photo's file is found with its declared size and the size it is made
// at: the same, for a good file (heif-enc writes a grid of one 64 x 64 tile, shown 32 x 24).
TEST(HevcSps, AGoodFilesPicturesAreTheSizesTheyDeclare) {
    std::vector<HeifItemSizes> items;
    ASSERT_TRUE(ReadPictureItemSizes(testing::ReadInput("heif/card.heic"), items));
    ASSERT_EQ(items.size(), 2u);
    const struct {
        bool derived;
        int64_t width, height;
    } kExpected[] = {{false, 64, 64}, {true, 32, 24}};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].derived, kExpected[i].derived) << i;
        EXPECT_EQ(items[i].declared_width, kExpected[i].width) << i;
        EXPECT_EQ(items[i].declared_height, kExpected[i].height) << i;
        ASSERT_EQ(items[i].made.size(), 1u) << i;
        EXPECT_EQ(items[i].made[0].width, kExpected[i].width) << i;
        EXPECT_EQ(items[i].made[0].height, kExpected[i].height) << i;
    }
}

}  // namespace
}  // namespace gd
