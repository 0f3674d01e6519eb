// The Settings page's list rules (over the options table's entries) and its banner note,
// without a window.

#include <gtest/gtest.h>

#include "maker/ui/setting_rules.h"

namespace gd {
namespace {

TEST(SettingLists, NumbersPickTheFirstEntryBeginningWithTheirText) {
    EXPECT_EQ(MillisecondsAsSecondsText(1500), "1.5");
    EXPECT_EQ(MillisecondsAsSecondsText(2000), "2");
    EXPECT_EQ(MillisecondsAsSecondsText(10000), "10");
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(1000), -1), 0);
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(1500), -1), 1);
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(2500), -1), 3);
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(10000), -1), 11) << "not the 1 before it";
    EXPECT_EQ(EntryForText(kPicturePauseEntries, SecondsText(1), -1), 0);
    EXPECT_EQ(EntryForText(kPicturePauseEntries, SecondsText(10), -1), 9);
    // The music pause's "25 " ends in a blank: 25 still finds it, and it reads as 25.
    EXPECT_EQ(EntryForText(kMakerMusicPauseEntries, SecondsText(25), -1), 12);
    EXPECT_EQ(kMakerMusicPauseEntries[12], "25 ");
    EXPECT_EQ(SecondsFromText("25 "), 25);
    EXPECT_EQ(EntryForText(kMakerMusicPauseEntries, SecondsText(2), -1), 1) << "2 comes before 20 and 25";
    EXPECT_EQ(EntryForText(kBannerPositionEntries, "bottom", -1), 1) << "case does not matter";
}

TEST(SettingLists, NumbersWithoutAnEntryKeepThePreviousSelection) {
    // 3.5 s is not offered: whatever the list selected stays, none before the first load.
    EXPECT_EQ(MillisecondsAsSecondsText(3500), "3.5");
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(3500), -1), -1);
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(3500), 4), 4);
    EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(100), 2), 2);  // "0.1"
    EXPECT_EQ(EntryForText(kPicturePauseEntries, SecondsText(0), 6), 6);
    EXPECT_EQ(EntryForText(kPicturePauseEntries, SecondsText(-1), 6), 6);
    EXPECT_EQ(EntryForText(kPicturePauseEntries, SecondsText(11), -1), -1);
    EXPECT_EQ(EntryForText(kMakerMusicPauseEntries, SecondsText(12), 3), 3);
    EXPECT_EQ(EntryForText(kMakerMusicPauseEntries, SecondsText(250), 3), 3) << "longer than every entry";
}

TEST(SettingLists, EveryEntryReadsBackAsTheNumberThatSelectsIt) {
    for (int i = 0; i < int(std::size(kEffectDurationEntries)); ++i) {
        int32_t ms = MillisecondsFromSecondsText(kEffectDurationEntries[size_t(i)]);
        EXPECT_EQ(EntryForText(kEffectDurationEntries, MillisecondsAsSecondsText(ms), -1), i) << ms;
    }
    for (int i = 0; i < int(std::size(kMakerMusicPauseEntries)); ++i) {
        int32_t s = SecondsFromText(kMakerMusicPauseEntries[size_t(i)]);
        EXPECT_EQ(EntryForText(kMakerMusicPauseEntries, SecondsText(s), -1), i) << s;
    }
    for (int i = 0; i < int(std::size(kPicturePauseEntries)); ++i)
        EXPECT_EQ(SecondsFromText(kPicturePauseEntries[size_t(i)]), i + 1);
    EXPECT_EQ(MillisecondsFromSecondsText("1.5"), 1500);
    EXPECT_EQ(MillisecondsFromSecondsText("10"), 10000);
    EXPECT_EQ(MillisecondsFromSecondsText("1.001"), 1001);
    EXPECT_EQ(MillisecondsFromSecondsText("0.0019"), 1) << "truncated";
    EXPECT_EQ(MillisecondsFromSecondsText("Top"), 0);
    EXPECT_EQ(SecondsFromText(""), 0);
    EXPECT_EQ(SecondsFromText("99999999999"), INT32_MAX);
}

TEST(BannerNote, NamesWhatTheScreensaverCannotHold) {
    EXPECT_EQ(BannerNote("", "MS Sans Serif"), "");
    EXPECT_EQ(BannerNote("Caf\xc3\xa9 \xe2\x82\xac 5", "Arial"), "");
    EXPECT_EQ(BannerNote("Tokyo \xe6\x9d\xb1\xe4\xba\xac", "\xef\xbc\xad\xef\xbc\xb3 Gothic"), "") << "any language";
    EXPECT_EQ(BannerNote("  " + std::string(64, 'x') + "  ", "Arial"), "") << "blanks around it are trimmed";

    std::string note = BannerNote("K\xF6ln", "Arial");  // not UTF-8
    EXPECT_EQ(note.rfind("The banner can't go into the screensaver: ", 0), 0u) << note;
    EXPECT_NE(note.find("0xF6"), std::string::npos) << note;

    note = BannerNote(std::string(65, 'x'), "Arial");
    EXPECT_NE(note.find("at most 64"), std::string::npos) << note;
    EXPECT_NE(note.find("65"), std::string::npos) << note;

    note = BannerNote("Fine", "Caf\xE9");
    EXPECT_EQ(note.rfind("The banner font can't go into the screensaver: ", 0), 0u) << note;
}

}  // namespace
}  // namespace gd
