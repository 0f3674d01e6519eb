#include "imaging/hevc_sps.h"

#include "common/byte_io.h"

namespace gd {
namespace {

constexpr int kSpsNalType = 33;
constexpr size_t kConfigHeaderSize = 23;  // the 'hvcC' fields before its NAL unit arrays

// Bits of a NAL unit's payload, the emulation prevention bytes (0x000003) taken out; past
// the end it reads zeros and says so.
class RbspBits {
public:
    explicit RbspBits(Bytes payload) {
        int zeros = 0;
        for (uint8_t b : payload) {
            if (zeros >= 2 && b == 3) {
                zeros = 0;
                continue;
            }
            zeros = b == 0 ? zeros + 1 : 0;
            bytes_.push_back(b);
        }
    }
    uint32_t Bits(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 1) | Bit();
        return value;
    }
    void Skip(int count) {
        for (int i = 0; i < count; ++i) Bit();
    }
    // An unsigned Exp-Golomb number (ue(v)); one of more than 32 bits counts as cut short.
    uint64_t Golomb() {
        int zeros = 0;
        while (Bit() == 0) {
            if (++zeros > 32 || cut_) {
                cut_ = true;
                return 0;
            }
        }
        return (uint64_t(1) << zeros) - 1 + Bits(zeros);
    }
    bool cut() const { return cut_; }

private:
    uint32_t Bit() {
        if (at_ >= bytes_.size() * 8) {
            cut_ = true;
            return 0;
        }
        const uint32_t bit = (bytes_[at_ / 8] >> (7 - at_ % 8)) & 1;
        ++at_;
        return bit;
    }
    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
    bool cut_ = false;
};

// profile_tier_level(1, max_sub_layers_minus1) of the SPS.
void SkipProfileTierLevel(RbspBits& bits, int max_sub_layers_minus1) {
    bits.Skip(88 + 8);  // the general profile and level
    bool profile[8] = {}, level[8] = {};
    for (int i = 0; i < max_sub_layers_minus1; ++i) {
        profile[i] = bits.Bits(1) != 0;
        level[i] = bits.Bits(1) != 0;
    }
    if (max_sub_layers_minus1 > 0) bits.Skip(2 * (8 - max_sub_layers_minus1));
    for (int i = 0; i < max_sub_layers_minus1; ++i) {
        if (profile[i]) bits.Skip(88);
        if (level[i]) bits.Skip(8);
    }
}

}  // namespace

std::optional<HevcPictureSize> HevcSpsSize(Bytes nal) {
    if (nal.size() < 3 || ((nal[0] >> 1) & 0x3F) != kSpsNalType) return std::nullopt;
    RbspBits bits(nal.subspan(2));
    bits.Skip(4);  // sps_video_parameter_set_id
    const int max_sub_layers_minus1 = int(bits.Bits(3));
    bits.Skip(1);  // sps_temporal_id_nesting_flag
    SkipProfileTierLevel(bits, max_sub_layers_minus1);
    bits.Golomb();                         // sps_seq_parameter_set_id
    if (bits.Golomb() == 3) bits.Skip(1);  // chroma_format_idc 3: separate_colour_plane_flag
    HevcPictureSize size;
    size.width = int64_t(bits.Golomb());
    size.height = int64_t(bits.Golomb());
    if (bits.cut()) return std::nullopt;
    return size;
}

bool HevcConfigSpsSizes(Bytes hvcc, std::vector<HevcPictureSize>& sizes, int& length_size) {
    if (hvcc.size() < kConfigHeaderSize) return false;
    length_size = (hvcc[21] & 3) + 1;
    const int arrays = hvcc[22];
    size_t at = kConfigHeaderSize;
    for (int a = 0; a < arrays; ++a) {
        if (hvcc.size() - at < 3) return false;
        const int units = ReadU16BigEndian(hvcc.data() + at + 1);
        at += 3;
        for (int u = 0; u < units; ++u) {
            if (hvcc.size() - at < 2) return false;
            const size_t length = ReadU16BigEndian(hvcc.data() + at);
            at += 2;
            if (hvcc.size() - at < length) return false;
            if (auto size = HevcSpsSize(hvcc.subspan(at, length))) sizes.push_back(*size);
            at += length;
        }
    }
    return true;
}

void InBandSpsSizes(Bytes data, int length_size, std::vector<HevcPictureSize>& sizes) {
    if (length_size != 1 && length_size != 2 && length_size != 4) return;
    size_t at = 0;
    while (data.size() - at >= size_t(length_size)) {
        uint64_t length = 0;
        for (int i = 0; i < length_size; ++i) length = (length << 8) | data[at + size_t(i)];
        at += size_t(length_size);
        if (length > data.size() - at) return;
        if (auto size = HevcSpsSize(data.subspan(at, size_t(length)))) sizes.push_back(*size);
        at += size_t(length);
    }
}

}  // namespace gd
