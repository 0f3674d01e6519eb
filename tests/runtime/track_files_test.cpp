#include "runtime/track_files.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

TEST(TrackFileName, FollowsTheIdentifierIdAndTag) {
    EXPECT_EQ(TrackFileName("C:\\Temp\\", "0123456789ABCDEF0123456789abcdef", 3, "MP3"),
              "C:\\Temp\\0123456789ABCDEF0123456789abcdef3.MP3");
    EXPECT_EQ(TrackFileName("/tmp/", "ID", 12, std::string("RA\0", 3)), "/tmp/ID12.RA");
}

TEST(TrackFileName, DamagedPayloadTextsCannotLeaveTheTemporaryFolder) {
    std::string name = TrackFileName("C:\\Temp\\", "..\\..\\Windows\\x", 0, "\\..");
    EXPECT_EQ(name, "C:\\Temp\\______Windows_x0.");
    EXPECT_EQ(name.find("..", 8), std::string::npos);
    EXPECT_EQ(TrackFileName("/tmp/", "a/b:c", 1, "W/V"), "/tmp/a_b_c1.WV");
}

}  // namespace
}  // namespace gd
