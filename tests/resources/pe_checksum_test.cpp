#include "resources/pe_checksum.h"

#include <gtest/gtest.h>

#include "common/byte_io.h"
#include "resources/byte_source.h"
#include "resources/pe_headers.h"
#include "tests/resources/sample_files.h"

namespace gd::res {
namespace {

TEST(PeChecksum, SumsWordsWithCarryPlusLength) {
    PeChecksum sum;
    const uint8_t bytes[] = {0x01, 0x02, 0x03};  // words 0x0201 and 0x0003
    sum.Add(bytes);
    EXPECT_EQ(sum.Finish(), 0x0204u + 3);

    PeChecksum carry;
    const uint8_t ones[] = {0xff, 0xff, 0x02, 0x00};  // 0xffff + 2 wraps to 0x0002
    carry.Add(ones);
    EXPECT_EQ(carry.Finish(), 0x0002u + 4);
}

// The linker writes a CheckSum; summing the file in odd-sized pieces must give the same.
TEST(PeChecksum, MatchesTheLinkersValueWhateverThePieces) {
    std::string path = test::SamplePath("resource_probe.exe");
    if (path.empty()) GTEST_SKIP() << "no Windows build, so no sample executables";
    auto bytes = test::ReadAll(path);
    MemorySource source(bytes);
    auto headers = ParsePeHeaders(source);
    ASSERT_TRUE(headers);
    ASSERT_NE(headers->checksum, 0u);
    WriteU32(&bytes[headers->checksum_offset()], 0);
    for (size_t piece : {size_t(1), size_t(3), size_t(4096), bytes.size()}) {
        PeChecksum sum;
        for (size_t at = 0; at < bytes.size(); at += piece)
            sum.Add(std::span<const uint8_t>(bytes).subspan(at, std::min(piece, bytes.size() - at)));
        EXPECT_EQ(sum.Finish(), headers->checksum) << "pieces of " << piece;
    }
}

}  // namespace
}  // namespace gd::res
