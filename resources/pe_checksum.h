#pragma once
// The optional header's CheckSum: the 16-bit sum of the file's little-endian words with
// end-around carry, plus the file length. The field itself counts as zero. Bytes may be
// fed in pieces of any size, so a writer can sum a file as it streams it out.

#include <cstdint>
#include <span>

namespace gd::res {

class PeChecksum {
public:
    void Add(std::span<const uint8_t> bytes);
    void AddZeros(uint64_t count);
    uint64_t length() const { return length_; }
    // The value for a file of the bytes added so far, whose CheckSum field was zero.
    uint32_t Finish() const;

private:
    uint64_t sum_ = 0;
    uint64_t length_ = 0;
};

}  // namespace gd::res
