#include <gtest/gtest.h>

#include "common/settings_values.h"

namespace gd {
namespace {

TEST(SettingsValues, DurationsShowAsSecondsWithTheShortestForm) {
    EXPECT_EQ(MillisecondsAsSecondsText(1500), "1.5");
    EXPECT_EQ(MillisecondsAsSecondsText(2000), "2");
    EXPECT_EQ(MillisecondsAsSecondsText(12), "0.012");
    EXPECT_EQ(MillisecondsAsSecondsText(0), "0");
    EXPECT_EQ(SecondsText(12), "12");
    EXPECT_EQ(SecondsText(-3), "-3");
}

TEST(SettingsValues, DurationTextsSaveAsTruncatedMilliseconds) {
    EXPECT_EQ(MillisecondsFromSecondsText("2.5"), 2500);
    EXPECT_EQ(MillisecondsFromSecondsText("10"), 10000);
    EXPECT_EQ(MillisecondsFromSecondsText(" 1.5s"), 1500) << "the number at the start counts";
    EXPECT_EQ(MillisecondsFromSecondsText("0.0015"), 1) << "truncated toward zero";
    EXPECT_EQ(MillisecondsFromSecondsText("-0.0015"), -1);
    // 1.001 * 1000 is 1000.9999999999999 in binary; the typed value is kept.
    EXPECT_EQ(MillisecondsFromSecondsText("1.001"), 1001);
    EXPECT_EQ(MillisecondsFromSecondsText("4.35"), 4350);
}

TEST(SettingsValues, TextThatIsNotANumberSavesZeroAndHugeNumbersAreHeld) {
    EXPECT_EQ(MillisecondsFromSecondsText("fast"), 0);
    EXPECT_EQ(MillisecondsFromSecondsText(""), 0);
    EXPECT_EQ(SecondsFromText("abc"), 0);
    EXPECT_EQ(SecondsFromText(""), 0);
    EXPECT_EQ(SecondsFromText("12"), 12);
    EXPECT_EQ(SecondsFromText(" 7 seconds"), 7);
    EXPECT_EQ(SecondsFromText("2.9"), 2);
    EXPECT_EQ(SecondsFromText("99999999999"), 2147483647);
    EXPECT_EQ(MillisecondsFromSecondsText("1e300"), 2147483647);
    EXPECT_EQ(MillisecondsFromSecondsText("-1e300"), -2147483647 - 1);
    EXPECT_EQ(MillisecondsFromSecondsText("nan"), 0);
}

}  // namespace
}  // namespace gd
