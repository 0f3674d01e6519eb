#include "resources/pe_checksum.h"

namespace gd::res {

void PeChecksum::Add(std::span<const uint8_t> bytes) {
    // A byte at an odd file position is the high half of its word. The running sum is
    // folded at the end: one's-complement addition does not care when carries wrap.
    uint64_t sum = sum_;
    size_t i = 0;
    if ((length_ & 1) && !bytes.empty()) sum += uint64_t(bytes[i++]) << 8;
    for (; i + 1 < bytes.size(); i += 2) sum += uint64_t(bytes[i]) | (uint64_t(bytes[i + 1]) << 8);
    if (i < bytes.size()) sum += bytes[i];
    while (sum >> 32) sum = (sum & 0xffffffffu) + (sum >> 32);
    sum_ = sum;
    length_ += bytes.size();
}

void PeChecksum::AddZeros(uint64_t count) { length_ += count; }

uint32_t PeChecksum::Finish() const {
    uint64_t sum = sum_;
    while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
    return uint32_t(sum + length_);
}

}  // namespace gd::res
