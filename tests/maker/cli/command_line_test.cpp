#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maker/cli/command_line.h"

namespace gd::cli {
namespace {

bool Window(std::vector<std::string> args) { return IsWindowRequest(args); }

TEST(CommandLine, OnlyNothingOrOneProjectFileAsksForTheWindow) {
    EXPECT_TRUE(Window({}));
    EXPECT_TRUE(Window({"C:\\Users\\Zoë\\Show.psm"}));
    EXPECT_TRUE(Window({"show.PSM"}));
    // Sub-commands, options, other files and more arguments stay on the command line.
    EXPECT_FALSE(Window({"make"}));
    EXPECT_FALSE(Window({"help"}));
    EXPECT_FALSE(Window({"--help"}));
    EXPECT_FALSE(Window({"-x.psm"}));
    EXPECT_FALSE(Window({"picture.jpg"}));
    EXPECT_FALSE(Window({"a.psm", "b.psm"}));
}

TEST(CommandLine, UsageListsEverySubCommand) {
    std::string usage = UsageText();
    for (const char* name : {"new", "show", "set", "make", "info", "render-effect"})
        EXPECT_NE(usage.find("\n  " + std::string(name) + " "), std::string::npos) << name;
}

}  // namespace
}  // namespace gd::cli
