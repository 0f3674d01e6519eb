// The options table: its checker refuses each kind of inconsistent row (the real table
// passes it when it is compiled), and the lists' texts read and show values as both
// settings screens always did.
#include "common/show_options.h"

#include <gtest/gtest.h>

#include <functional>

namespace gd {
namespace {

using Table = std::array<OptionRow, kOptionCount>;

std::string_view ProblemAfter(const std::function<void(Table&)>& spoil) {
    Table table = kOptions;
    spoil(table);
    return OptionTableProblem(table);
}

OptionRow& Row(Table& t, OptionId id) { return t[size_t(id)]; }

TEST(OptionsTable, TheCheckerRefusesEachInconsistency) {
    EXPECT_EQ(OptionTableProblem(kOptions), "");
    const std::pair<const char*, std::function<void(Table&)>> spoils[] = {
        {"rows swapped", [](Table& t) { std::swap(Row(t, OptionId::kMouseMove), Row(t, OptionId::kMuteMusic)); }},
        {"key used twice", [](Table& t) { Row(t, OptionId::kMuteMusic).key = "bShufflePic"; }},
        {"empty key", [](Table& t) { Row(t, OptionId::kMuteMusic).key = ""; }},
        {"settings key twice", [](Table& t) { Row(t, OptionId::kMuteMusic).ini_key = "bShufflePic"; }},
        {"member of another kind", [](Table& t) { Row(t, OptionId::kBgColor).kind = OptionKind::kFlag; }},
        {"default above range", [](Table& t) { Row(t, OptionId::kPicturePause).default_value = kMaxPauseSeconds + 1; }},
        {"default below range", [](Table& t) { Row(t, OptionId::kEffectMilliSecond).default_value = 0; }},
        {"flag default 2", [](Table& t) { Row(t, OptionId::kMovePicture).default_value = 2; }},
        {"text in the extras", [](Table& t) { Row(t, OptionId::kBanner).homes |= kInShowExtras; }},
        {"text in the settings file", [](Table& t) { Row(t, OptionId::kBanner).ini_key = "szBanner"; }},
        {"list without its text rule", [](Table& t) { Row(t, OptionId::kAudioPause).list_text = ListText::kNone; }},
        {"text rule without a list", [](Table& t) { Row(t, OptionId::kMuteMusic).list_text = ListText::kSeconds; }},
        {"position list longer than its range", [](Table& t) { Row(t, OptionId::kBannerPos).max = 0; }},
    };
    for (const auto& [what, spoil] : spoils) EXPECT_NE(ProblemAfter(spoil), "") << what;
}

TEST(OptionsTable, ListsShowAndReadValuesAsEachScreenAlwaysDid) {
    const OptionRow& music = Option(OptionId::kAudioPause);
    // The Settings page's "25 " ends in a blank; the screensaver's "25" does not. Both
    // read as 25, and 25 is shown as "25", which both begin with.
    EXPECT_EQ(music.maker_list[12], "25 ");
    EXPECT_EQ(music.runtime_list[12], "25");
    EXPECT_EQ(ListValueOf(music, music.maker_list, "25 "), 25);
    EXPECT_EQ(ListTextOf(music, music.maker_list, 25), "25");
    EXPECT_EQ(ListValueOf(music, music.runtime_list, "soon"), 0) << "a text that is no number";

    const OptionRow& duration = Option(OptionId::kEffectMilliSecond);
    EXPECT_EQ(ListTextOf(duration, duration.runtime_list, 1500), "1.5");
    EXPECT_EQ(ListValueOf(duration, duration.runtime_list, "2.5"), 2500);
    EXPECT_EQ(ListTextOf(duration, duration.runtime_list, 12), "0.012");

    const OptionRow& banner = Option(OptionId::kBannerPos);
    EXPECT_EQ(ListTextOf(banner, banner.maker_list, 1), "Bottom center");
    EXPECT_EQ(ListTextOf(banner, banner.maker_list, 2), "");
    EXPECT_EQ(ListValueOf(banner, banner.maker_list, "Top center"), 0);
    EXPECT_EQ(ListValueOf(banner, banner.maker_list, "Middle"), -1);

    // Where both screens list an option, the same places hold the same values.
    for (const OptionRow& row : kOptions) {
        if (row.maker_list.empty() || row.runtime_list.empty()) continue;
        ASSERT_EQ(row.maker_list.size(), row.runtime_list.size()) << row.key;
        for (size_t i = 0; i < row.maker_list.size(); ++i)
            EXPECT_EQ(ListValueOf(row, row.maker_list, row.maker_list[i]),
                      ListValueOf(row, row.runtime_list, row.runtime_list[i]))
                << row.key << " " << i;
    }
}

TEST(OptionsTable, NumbersOfARecordAreReadAndWrittenByTheirMembers) {
    SaverConfig c;
    SetNumber(c, Option(OptionId::kBgColor).field, -1);  // as the settings file holds it
    EXPECT_EQ(c.bg_color, 0xFFFFFFFFu);
    EXPECT_EQ(NumberOf(c, Option(OptionId::kBgColor).field), 0xFFFFFFFF) << "colours read unsigned";
    SetNumber(c, Option(OptionId::kPicturePause).field, -7);
    EXPECT_EQ(c.picture_pause, -7);
    EXPECT_EQ(NumberOf(c, Option(OptionId::kPicturePause).field), -7);
    EXPECT_EQ(NumberOf(c, Option(OptionId::kBanner).field), 0) << "no number";
}

}  // namespace
}  // namespace gd
