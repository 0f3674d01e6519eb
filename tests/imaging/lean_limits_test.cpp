// The runtime's decoders count the memory their library keeps while decoding, not only
// the picture they give.
#include <gtest/gtest.h>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

// Regression (found by fuzzing): an 83-byte GIF announcing an 18208x17993 screen passed
// the size check as an 8-bit picture, then its decoder took about 3 GB.
TEST(LeanDecoders, RefuseWhatWouldNeedMoreThanAGigabyteToDecode) {
    CxImage image;
    EXPECT_FALSE(image.Load(testing::InputPath("gif/screen_needs_3gb.gif"), kFormatGif));
    EXPECT_NE(image.GetLastError().find("needs more than 1 GiB"), std::string::npos) << image.GetLastError();
    // A 12064x8192 screen with a 32x24 picture on it: a big, but possible, decode.
    EXPECT_TRUE(image.Load(testing::InputPath("gif/screen_100mp_small_frame.gif"), kFormatGif)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 12064);
}

}  // namespace
}  // namespace gd
