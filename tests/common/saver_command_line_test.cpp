#include "common/saver_command_line.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

constexpr uint32_t kForeground = 4242;

SaverCommand Parse(std::string_view text) {
    return ParseSaverCommandLine(text, [] { return kForeground; });
}

TEST(SaverCommandLine, AcceptedForms) {
    struct Case {
        const char* text;
        SaverMode mode;
        uint32_t handle;
    };
    const Case cases[] = {
        {"saver.scr /s", SaverMode::FullScreen, 0},
        {"saver.scr -S", SaverMode::FullScreen, 0},
        {"saver.scr s", SaverMode::FullScreen, 0},
        {"saver.scr /save", SaverMode::FullScreen, 0},
        {"saver.scr /c:1234", SaverMode::Configure, 1234},
        {"saver.scr /C 1234", SaverMode::Configure, 1234},
        {"saver.scr /c::  :77", SaverMode::Configure, 77},
        {"saver.scr /p 1234", SaverMode::Preview, 1234},
        {"saver.scr /P 1234", SaverMode::Preview, 1234},
        {"saver.scr /l:1234", SaverMode::Preview, 1234},
        {"saver.scr -L 99x", SaverMode::Preview, 99},
        {"saver.scr /a 1234", SaverMode::ChangePassword, 1234},
        {"saver.scr /A:+56", SaverMode::ChangePassword, 56},
        {"saver.scr /a", SaverMode::ChangePassword, 0},
        {"saver.scr /p", SaverMode::Preview, 0},
        {"saver.scr /x", SaverMode::None, 0},
        {"saver.scr /", SaverMode::None, 0},
        {"saver.scr //s", SaverMode::None, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse(c.text), (SaverCommand{c.mode, c.handle})) << c.text;
    }
}

TEST(SaverCommandLine, SettingsWithoutNumberUseTheForegroundWindow) {
    EXPECT_EQ(Parse("saver.scr /c"), (SaverCommand{SaverMode::Configure, kForeground}));
    EXPECT_EQ(Parse("saver.scr /c:  "), (SaverCommand{SaverMode::Configure, kForeground}));
    EXPECT_EQ(Parse("saver.scr /c:0"), (SaverCommand{SaverMode::Configure, 0}));
    // The lookup is made only when needed, and a missing one means no owner.
    int asked = 0;
    ParseSaverCommandLine("saver.scr /c 5", [&] { return uint32_t(++asked); });
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ParseSaverCommandLine("saver.scr /c", nullptr), (SaverCommand{SaverMode::Configure, 0}));
}

TEST(SaverCommandLine, ProgramNameIsSkippedFirst) {
    EXPECT_EQ(Parse("\"C:\\My Savers\\sea side.scr\" /s").mode, SaverMode::FullScreen);
    EXPECT_EQ(Parse("\"C:\\My Savers\\sea side.scr\"/p 12"), (SaverCommand{SaverMode::Preview, 12}));
    // An unquoted name ends at its first space, so the rest of a spaced path is the switch.
    EXPECT_EQ(Parse("C:\\My Files\\x.scr /s").mode, SaverMode::None);
    EXPECT_EQ(Parse("C:\\My Savers\\x.scr /c").mode, SaverMode::FullScreen);
    EXPECT_EQ(Parse("saver.scr    /s").mode, SaverMode::FullScreen);
    EXPECT_EQ(Parse("saver.scr :s").mode, SaverMode::None);
}

TEST(SaverCommandLine, NothingAfterTheProgramNameIsTheLauncher) {
    for (const char* text : {"", "saver.exe", "saver.exe ", "saver.exe    ", "\"C:\\a b\\saver.exe\"",
                             "\"C:\\a b\\saver.exe\"  ", "\"unterminated /s"}) {
        EXPECT_EQ(Parse(text), (SaverCommand{SaverMode::Launcher, 0})) << text;
    }
}

TEST(SaverCommandLine, HandlesAreThirtyTwoBitDecimals) {
    EXPECT_EQ(LeadingDecimal("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(LeadingDecimal("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(LeadingDecimal("\t 12ab"), 12u);
    EXPECT_EQ(LeadingDecimal("abc"), 0u);
    EXPECT_EQ(LeadingDecimal("- 5"), 0u);
    EXPECT_EQ(LeadingDecimal(""), 0u);
    EXPECT_EQ(Parse("x /p -2").handle, 0xFFFFFFFEu);
}

}  // namespace
}  // namespace gd
