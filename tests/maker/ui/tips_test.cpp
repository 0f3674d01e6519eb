// The tips file reader and the Tip of the Day state over per-user settings in memory.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "maker/ui/tip_of_the_day.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

TEST(TipLine, SplitsAtTabsWithDefaults) {
    EXPECT_EQ(ParseTipLine("Plain tip"), (Tip{"Plain tip", "Did you know...", ""}));
    EXPECT_EQ(ParseTipLine("Text\tHeader"), (Tip{"Text", "Header", ""}));
    EXPECT_EQ(ParseTipLine("Text\tHeader\tFooter"), (Tip{"Text", "Header", "Footer"}));
    EXPECT_EQ(ParseTipLine("Text\tHeader\tFooter\tignored\tmore"), (Tip{"Text", "Header", "Footer"}));
    // An empty header keeps the default, but the footer after it still counts.
    EXPECT_EQ(ParseTipLine("Text\t\tFooter"), (Tip{"Text", "Did you know...", "Footer"}));
    EXPECT_EQ(ParseTipLine("Text\t"), (Tip{"Text", "Did you know...", ""}));
}

TEST(TipLine, BlankLinesAndCommentsAreSkipped) {
    for (const char* line : {"", " indented", "\tindented", "\n", "\r", ";comment"})
        EXPECT_TRUE(IsSkippedTipLine(line)) << '"' << line << '"';
    EXPECT_FALSE(IsSkippedTipLine("A tip; with a semicolon"));
}

TEST(TipsFile, ReadsTipLinesInOrderAndGoesRound) {
    TipsFile file("; comment\nFirst\n\n  indented\nSecond\tHead\r\nThird");
    EXPECT_EQ(file.ReadNext()->text, "First");
    Tip second = *file.ReadNext();
    EXPECT_EQ(second.text, "Second");  // the CR of a CRLF line end is not part of the tip
    EXPECT_EQ(second.header, "Head");
    EXPECT_EQ(file.ReadNext()->text, "Third");  // a last line without a line end
    EXPECT_EQ(file.ReadNext()->text, "First");
}

TEST(TipsFile, PositionIsAfterTheLineJustRead) {
    std::string bytes = "First\nSecond\n";
    TipsFile file(bytes);
    file.ReadNext();
    EXPECT_EQ(file.offset(), 6);
    ASSERT_TRUE(file.Seek(6));
    EXPECT_EQ(file.ReadNext()->text, "Second");
    EXPECT_EQ(file.offset(), int64_t(bytes.size()));
    // A position at or past the end starts again at the beginning.
    ASSERT_TRUE(file.Seek(5000));
    EXPECT_EQ(file.ReadNext()->text, "First");
    EXPECT_FALSE(file.Seek(-1));
}

TEST(TipsFile, FileWithoutTipLinesEndsTheSearch) {
    for (const char* bytes : {"", "\n\n", "; only\n; comments\n", "  \t\n;x"}) {
        TipsFile file(bytes);
        EXPECT_FALSE(file.ReadNext().has_value()) << '"' << bytes << '"';
    }
    TipsFile from_middle("; a\n; b\n; c\n");
    ASSERT_TRUE(from_middle.Seek(5));
    EXPECT_FALSE(from_middle.ReadNext().has_value());
    EXPECT_EQ(from_middle.offset(), 5);
}

TEST(TipsFile, OverlongLineIsCutAndItsRestDropped) {
    std::string line(1500, 'x');
    TipsFile file(line + "\nNext\n");
    EXPECT_EQ(file.ReadNext()->text, std::string(kMaxTipLine, 'x'));
    EXPECT_EQ(file.ReadNext()->text, "Next");
}

class TipOfTheDayTest : public ::testing::Test {
protected:
    static TipsFileContent File(std::string bytes, std::string stamp = "Mon Jan  1 10:00:00 2024") {
        return {std::move(bytes), std::move(stamp)};
    }
    MemoryUserSettings settings_;
};

TEST_F(TipOfTheDayTest, EachShowingGoesOnWhereTheLastStopped) {
    std::string tips = "One\nTwo\nThree\n";
    {
        TipOfTheDay day(File(tips), settings_);
        EXPECT_EQ(day.tip().text, "One");
        EXPECT_TRUE(day.ShowAtStartup());
        EXPECT_TRUE(day.CanShowNext());
    }
    {
        TipOfTheDay day(File(tips), settings_);  // shown or not, the last one moved on
        EXPECT_EQ(day.tip().text, "Two");
        day.NextTip();
        EXPECT_EQ(day.tip().text, "Three");
        day.NextTip();
        EXPECT_EQ(day.tip().text, "One");
    }
    EXPECT_EQ(settings_.GetInt("Tip", "FilePos", -1), 4);
    EXPECT_EQ(TipOfTheDay(File(tips), settings_).tip().text, "Two");
}

TEST_F(TipOfTheDayTest, ChangedFileStartsAtItsFirstTip) {
    { TipOfTheDay day(File("One\nTwo\n"), settings_); }
    EXPECT_EQ(settings_.GetString("Tip", "TimeStamp"), "Mon Jan  1 10:00:00 2024");
    TipOfTheDay day(File("Alpha\nBeta\n", "Tue Jan  2 10:00:00 2024"), settings_);
    EXPECT_EQ(day.tip().text, "Alpha");
    EXPECT_EQ(settings_.GetString("Tip", "TimeStamp"), "Tue Jan  2 10:00:00 2024");
}

TEST_F(TipOfTheDayTest, MissingFileShowsWhyAndOffersNoNextTip) {
    settings_.SetInt("Tip", "FilePos", 12);
    {
        TipOfTheDay day(std::nullopt, settings_);
        EXPECT_EQ(day.tip().header, "Did you know...");
        EXPECT_EQ(day.tip().text, "Tips file does not exist in the prescribed directory");
        EXPECT_FALSE(day.CanShowNext());
    }
    EXPECT_EQ(settings_.GetInt("Tip", "FilePos", -1), 12) << "no file, no position to store";
}

TEST_F(TipOfTheDayTest, FileOfCommentsOnlyShowsAClearTextAndStops) {
    TipOfTheDay day(File("; nothing\n\n; here\n"), settings_);
    EXPECT_EQ(day.tip().text, kTipsEmptyText);
    EXPECT_FALSE(day.CanShowNext());
    day.NextTip();
    EXPECT_EQ(day.tip().text, kTipsEmptyText);
}

TEST_F(TipOfTheDayTest, ImpossiblePositionReportsTroubleThenStartsOver) {
    settings_.SetString("Tip", "TimeStamp", "Mon Jan  1 10:00:00 2024");
    settings_.SetInt("Tip", "FilePos", -20);
    TipOfTheDay day(File("One\nTwo\n"), settings_);
    EXPECT_EQ(day.tip().text, "Trouble reading the tips file");
    day.NextTip();
    EXPECT_EQ(day.tip().text, "One");
}

TEST_F(TipOfTheDayTest, OnlyCloseStoresTheStartUpChoice) {
    { TipOfTheDay day(File("One\n"), settings_); }
    EXPECT_FALSE(settings_.GetInt("Tip", "StartUp").has_value()) << "closing by the close box stores nothing";
    {
        TipOfTheDay day(File("One\n"), settings_);
        day.Close(false);
    }
    EXPECT_EQ(settings_.GetInt("Tip", "StartUp", -1), 1);
    TipOfTheDay day(File("One\n"), settings_);
    EXPECT_FALSE(day.ShowAtStartup());
    day.Close(true);
    EXPECT_EQ(settings_.GetInt("Tip", "StartUp", -1), 0);
}

TEST(TipsFileRead, ReadsBytesAndAChangeTimeThatFollowsTheFile) {
    test::TempFolder folder;
    EXPECT_FALSE(ReadTipsFile(folder.File("missing.txt")).has_value());
    std::string path = folder.Write("Tips.txt", std::string("One\r\nTwo\r\n"));
    std::filesystem::path file = folder.path() / "Tips.txt";
    auto changed = std::filesystem::last_write_time(file);
    std::filesystem::last_write_time(file, changed - std::chrono::hours(30 * 24));
    auto first = ReadTipsFile(path);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->bytes, "One\r\nTwo\r\n");
    EXPECT_FALSE(first->time_stamp.empty());
    EXPECT_NE(first->time_stamp.back(), '\n');
    std::filesystem::last_write_time(file, changed);
    EXPECT_NE(ReadTipsFile(path)->time_stamp, first->time_stamp);
}

}  // namespace
}  // namespace gd
