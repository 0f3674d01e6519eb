#include "maker/project/caption_placeholders.h"

#include <gtest/gtest.h>

#include "common/unicode_text.h"

namespace gd {
namespace {

constexpr CalendarTime kTaken{2024, 3, 9, 14, 5, 7};  // a Saturday in a leap year
const PictureDates kDates{kTaken, CalendarTime{2025, 1, 2, 3, 4, 5}};
constexpr char kPath[] = "/photos/Trip to Kraków/IMG_0042.JPG";

std::string Expand(std::string_view text, const PictureDates& dates = kDates) { return ExpandCaption(text, kPath, dates); }

TEST(CaptionPlaceholders, FillsEveryPlaceholderAndDirective) {
    EXPECT_EQ(Expand("{date}"), "2024-03-09");
    EXPECT_EQ(Expand("{file}"), "IMG_0042");
    EXPECT_EQ(Expand("{folder}"), "Trip to Kraków");
    EXPECT_EQ(Expand("{folder}, {date}: {file}!"), "Trip to Kraków, 2024-03-09: IMG_0042!");
    EXPECT_EQ(Expand("{date:%Y|%y|%m|%d|%e|%j|%H|%M|%S|%%}"), "2024|24|03|09| 9|069|14|05|07|%");
    EXPECT_EQ(Expand("{date:%A %a %B %b}"), "Saturday Sat March Mar");
    EXPECT_EQ(Expand("{date:%A, %d %B %Y}"), "Saturday, 09 March 2024");
    EXPECT_EQ(Expand("{date:day %j of %Y}"), "day 069 of 2024");
}

TEST(CaptionPlaceholders, NamesEveryWeekdayMonthAndDayOfTheYearRight) {
    struct Case {
        CalendarTime when;
        const char* expected;
    };
    const Case cases[] = {
        {{1970, 1, 1}, "Thursday Jan 001"},   {{2000, 1, 1}, "Saturday Jan 001"},
        {{1900, 3, 1}, "Thursday Mar 060"},   {{1600, 2, 29}, "Tuesday Feb 060"},
        {{2100, 12, 31}, "Friday Dec 365"},   {{2024, 12, 31}, "Tuesday Dec 366"},
        {{1, 1, 1}, "Monday Jan 001"},        {{9999, 12, 31}, "Friday Dec 365"},
        {{2023, 6, 12}, "Monday Jun 163"},    {{2023, 7, 4}, "Tuesday Jul 185"},
        {{2023, 8, 16}, "Wednesday Aug 228"}, {{2023, 9, 1}, "Friday Sep 244"},
        {{2023, 10, 29}, "Sunday Oct 302"},   {{2023, 11, 30}, "Thursday Nov 334"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandCaption("{date:%A %b %j}", kPath, {c.when, {}}), c.expected) << c.when.year;
    EXPECT_EQ(ExpandCaption("{date:%y}", kPath, {CalendarTime{2005, 5, 5}, {}}), "05");
    EXPECT_EQ(ExpandCaption("{date:%B}", kPath, {CalendarTime{2005, 9, 5}, {}}), "September");
}

TEST(CaptionPlaceholders, TextsWithoutPlaceholdersStayAsTyped) {
    for (std::string_view text : {"", "Arrival", "  spaces kept  ", "100% %Y %d date file folder", "}{", "{", "}",
                                  "{}", "{ date}", "{Date}", "{date }", "{dates}", "{date:}", "{file:x}", "{date",
                                  "date}", "{folder", "caf\xC3\xA9 {\xC3\xA9}"})
        EXPECT_EQ(Expand(text), text) << text;
}

// A caption with a placeholder in it, and only such a caption, turns a project's fields on.
TEST(CaptionPlaceholders, SaysWhetherATextHoldsAPlaceholder) {
    for (std::string_view text : {"{date}", "on {date:%Y}", "{file}", "{folder}!", "{{file}}", "{date:%Q}"})
        EXPECT_TRUE(CaptionHasFields(text)) << text;
    for (std::string_view text : {"", "Arrival", "100% %Y", "{}", "{Date}", "{dates}", "{date:}", "{file:x}", "{date",
                                  "folder}", "{ file}"})
        EXPECT_FALSE(CaptionHasFields(text)) << text;
}

TEST(CaptionPlaceholders, MalformedBracesKeepTheirTextAndSpareTheirNeighbours) {
    EXPECT_EQ(Expand("{{date}}"), "{2024-03-09}");
    EXPECT_EQ(Expand("{x{file}"), "{xIMG_0042");
    EXPECT_EQ(Expand("{file}}{"), "IMG_0042}{");
    EXPECT_EQ(Expand("{date:%Q %Y %}"), "%Q 2024 %");
    EXPECT_EQ(Expand("{date:%}"), "%");
    EXPECT_EQ(Expand("{date:100%%}"), "100%");
    EXPECT_EQ(Expand("{date:%\xC3\xA9}"), "%\xC3\xA9");
}

TEST(CaptionPlaceholders, DateIsTheCaptureTimeElseTheFileTimeElseKeptAsTyped) {
    EXPECT_EQ(Expand("{date}", {kTaken, CalendarTime{2025, 1, 2}}), "2024-03-09");
    EXPECT_EQ(Expand("{date:%H:%M}", {std::nullopt, CalendarTime{2025, 1, 2, 3, 4, 5}}), "03:04");
    EXPECT_EQ(Expand("{date}", {CalendarTime{2024, 2, 30}, CalendarTime{2025, 1, 2}}), "2025-01-02");
    EXPECT_EQ(Expand("{date} {file}", {}), "{date} IMG_0042");
    EXPECT_EQ(Expand("{date:%Y}", {CalendarTime{0, 1, 1}, std::nullopt}), "{date:%Y}");
}

std::string Repeated(std::string_view piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(CaptionPlaceholders, FormattedDateIsBoundedAndCutBetweenCharacters) {
    const std::string months = Expand("[{date:" + Repeated("%B", 200) + "}]");
    EXPECT_EQ(months, "[" + Repeated("March", 200).substr(0, kDateTextLimit) + "]");
    // "a" and then two-byte characters: the limit falls inside one, which goes whole.
    const std::string accents = Expand("{date:a" + Repeated("\xC3\xA9", 200) + "}");
    EXPECT_EQ(accents, "a" + Repeated("\xC3\xA9", (kDateTextLimit - 1) / 2));
    EXPECT_TRUE(IsWellFormedUtf8(accents));
}

TEST(CaptionPlaceholders, FileAndFolderNamesFromAnyPath) {
    const PictureDates none;
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "/a/b/archive.tar.gz", none), "archive.tar|b");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "/a/b//.hidden", none), ".hidden|b");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "/a/b/noext", none), "noext|b");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "/top.jpg", none), "top|");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "top.jpg", none), "top|");
    // A Linux name in another encoding becomes readable text, not bytes that are not UTF-8.
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "/p/caf\xE9/na\xEFve.png", none), "na\xC3\xAFve|caf\xC3\xA9");
#ifdef _WIN32
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "C:\\Users\\Ann\\Pictures\\Beach.jpeg", none), "Beach|Pictures");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "C:\\Beach.jpeg", none), "Beach|");
    EXPECT_EQ(ExpandCaption("{file}|{folder}", "\\\\server\\share\\Beach.jpeg", none), "Beach|share");
#endif
}

TEST(CaptionPlaceholders, SaysWhenTheDatesAreNeeded) {
    EXPECT_TRUE(CaptionNeedsDate("on {date}"));
    EXPECT_TRUE(CaptionNeedsDate("{date:%Y}"));
    EXPECT_FALSE(CaptionNeedsDate("{file} in {folder}"));
    EXPECT_FALSE(CaptionNeedsDate("{Date} {dates} date"));
}

TEST(CaptionPlaceholders, ChecksCalendarTimes) {
    EXPECT_TRUE(IsValidCalendarTime({2024, 2, 29, 23, 59, 60}));
    EXPECT_FALSE(IsValidCalendarTime({2023, 2, 29}));
    EXPECT_FALSE(IsValidCalendarTime({1900, 2, 29}));
    EXPECT_TRUE(IsValidCalendarTime({2000, 2, 29}));
    EXPECT_FALSE(IsValidCalendarTime({0, 1, 1}));
    EXPECT_FALSE(IsValidCalendarTime({2024, 13, 1}));
    EXPECT_FALSE(IsValidCalendarTime({2024, 4, 31}));
    EXPECT_FALSE(IsValidCalendarTime({2024, 4, 1, 24, 0, 0}));
}

}  // namespace
}  // namespace gd
