// Installing a made screensaver for the user on Linux: the ~/.xscreensaver list edited
// in place, and the copy, program line and desktop entry that --remove takes away again.

#include "maker/cli/linux_install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "maker/cli/xscreensaver_file.h"
#include "tests/common/temp_folder.h"

namespace gd::cli {
namespace {

// As xscreensaver's settings program writes the list: tabs, "\n\" after each program
// but the last, disabled and visual-prefixed programs.
constexpr std::string_view kWritten =
    "# XScreenSaver Preferences File\n"
    "mode:\t\tone\n"
    "selected:\t2\n"
    "\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "- GL:\t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "\t\t\t\tqix -root -solid\t\t\t    \\n\n"
    "\n"
    "pointerHysteresis: 10\n";

TEST(XScreensaverFile, AddsAtTheEndOfTheListAndRemovesExactlyThat) {
    std::string added = AddXScreensaverProgram(kWritten, "\"Trip\"  reelhost -root '/h/Trip.scr'");
    EXPECT_NE(added.find("qix -root -solid\t\t\t    \\n\\\n\t\t\"Trip\"  reelhost -root '/h/Trip.scr'"),
              std::string::npos)
        << added;
    EXPECT_NE(added.find("\\n\n\npointerHysteresis: 10\n"), std::string::npos) << "the list still ends before the next setting";
    auto removed = RemoveXScreensaverPrograms(added, "'/h/Trip.scr'");
    ASSERT_TRUE(removed);
    EXPECT_EQ(*removed, kWritten) << "the list's last line ends it again";
    EXPECT_FALSE(RemoveXScreensaverPrograms(kWritten, "'/h/Trip.scr'")) << "nothing to remove";
}

TEST(XScreensaverFile, AListInTheMiddleOfTheProgramsOrAFileWithoutOne) {
    // A program line of ours between others (the user moved it) goes; the rest stays.
    std::string two = AddXScreensaverProgram(AddXScreensaverProgram(kWritten, "a '/h/A.scr'"), "b '/h/B.scr'");
    auto without_a = RemoveXScreensaverPrograms(two, "'/h/A.scr'");
    ASSERT_TRUE(without_a);
    EXPECT_EQ(*without_a, AddXScreensaverProgram(kWritten, "b '/h/B.scr'"));

    // No list: one is written at the end, and goes again with its only program.
    const std::string plain = "timeout: 0:10:00\nmode: one";
    std::string added = AddXScreensaverProgram(plain, "x '/h/X.scr'");
    EXPECT_EQ(added.rfind("timeout: 0:10:00\nmode: one\nprograms:", 0), 0u) << added;
    EXPECT_EQ(RemoveXScreensaverPrograms(added, "'/h/X.scr'"), plain + "\n");
    // An empty list of the user's keeps its place.
    const std::string empty_list = "programs:\nfade: False\n";
    std::string into_empty = AddXScreensaverProgram(empty_list, "x '/h/X.scr'");
    EXPECT_EQ(into_empty.rfind("programs:\t\\\n\t\tx '/h/X.scr'", 0), 0u) << into_empty;
    EXPECT_NE(into_empty.find("\\n\nfade: False\n"), std::string::npos) << into_empty;
}

TEST(XScreensaverFile, ShellQuoting) {
    EXPECT_EQ(ShellQuote("/h/My Show.scr"), "'/h/My Show.scr'");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
}

TEST(LinuxInstall, CopyNames) {
    EXPECT_EQ(InstalledFileName("Summer Trip"), "Summer Trip.scr");
    EXPECT_EQ(InstalledFileName("../a/b"), "_a_b.scr") << "no folder of its own, no hidden file";
    EXPECT_EQ(InstalledFileName("Caf\xC3\xA9 $1"), "Caf _1.scr");
    EXPECT_EQ(InstalledFileName(""), "Screensaver.scr");
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LinuxInstall, InstallAndRemoveLeaveTheUsersFilesAsTheyWere) {
    gd::testing::TempFolder home;
    LinuxInstallPaths paths;
    paths.data_dir = home.File("share/glimmerdeck");
    paths.desktop_dir = home.File("share/applications/screensavers");
    paths.xscreensaver_file = home.Write(".xscreensaver", std::string(kWritten));
    paths.reelhost = "/opt/gd/reelhost";
    const std::string saver = GD_PAYLOAD_EXE;  // "Seed Show", identifier 0123...CDEF

    LinuxInstallResult r = InstallForUser(saver, paths);
    ASSERT_TRUE(r.ok) << r.error;
    const std::string copy = paths.data_dir + "/Seed Show.scr";
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(ReadText(paths.xscreensaver_file + ".glimmerdeck~"), kWritten);
    std::string listed = ReadText(paths.xscreensaver_file);
    EXPECT_NE(listed.find("\"Seed Show\"  /opt/gd/reelhost -root '" + copy + "'"), std::string::npos) << listed;
    const std::string desktop = paths.desktop_dir + "/glimmerdeck-0123456789ABCDEF0123456789ABCDEF.desktop";
    std::string entry = ReadText(desktop);
    EXPECT_NE(entry.find("Exec=\"/opt/gd/reelhost\" -root \"" + copy + "\"\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Categories=Screensaver;\n"), std::string::npos);

    // Installing again keeps one program line, one copy.
    ASSERT_TRUE(InstallForUser(saver, paths).ok);
    listed = ReadText(paths.xscreensaver_file);
    EXPECT_EQ(listed.find("reelhost -root"), listed.rfind("reelhost -root")) << listed;

    // Another screensaver of the same name gets a copy of its own.
    std::filesystem::copy_file(saver, home.File("other.scr"));
    {
        std::fstream f(home.File("other.scr"), std::ios::in | std::ios::out | std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(f)), {});
        size_t at = bytes.find("0123456789ABCDEF0123456789ABCDEF");
        ASSERT_NE(at, std::string::npos);
        f.seekp(std::streamoff(at));
        f.write("FEDCBA9876543210", 16);
    }
    ASSERT_TRUE(InstallForUser(home.File("other.scr"), paths).ok);
    EXPECT_TRUE(std::filesystem::exists(paths.data_dir + "/Seed Show FEDCBA98.scr"));
    ASSERT_TRUE(RemoveForUser(home.File("other.scr"), paths).ok);
    EXPECT_FALSE(std::filesystem::exists(paths.data_dir + "/Seed Show FEDCBA98.scr"));
    EXPECT_TRUE(std::filesystem::exists(copy)) << "the other one stays";

    r = RemoveForUser(copy, paths);  // by the installed copy itself
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(ReadText(paths.xscreensaver_file), kWritten);
    EXPECT_FALSE(std::filesystem::exists(desktop));
    EXPECT_FALSE(std::filesystem::exists(paths.data_dir)) << "the emptied folder goes";
    EXPECT_FALSE(RemoveForUser(saver, paths).ok) << "not installed any more";
    EXPECT_FALSE(InstallForUser(home.Write("no.scr", "text"), paths).ok);
}

// From the Debian package the runtime lies in xscreensaver's folder of programs, which
// xscreensaver searches; other hosts do not.
TEST(LinuxInstall, TheRuntimeOfThePackageIsNamedForEachHost) {
    gd::testing::TempFolder home;
    LinuxInstallPaths paths;
    paths.data_dir = home.File("share/glimmerdeck");
    paths.desktop_dir = home.File("share/applications/screensavers");
    paths.xscreensaver_file = home.File(".xscreensaver");
    paths.reelhost = "reelhost";
    ASSERT_TRUE(InstallForUser(GD_PAYLOAD_EXE, paths).ok);
    EXPECT_NE(ReadText(paths.xscreensaver_file).find("\"Seed Show\"  reelhost -root '"), std::string::npos);
    EXPECT_NE(ReadText(paths.desktop_dir + "/glimmerdeck-0123456789ABCDEF0123456789ABCDEF.desktop")
                  .find("Exec=\"/usr/libexec/xscreensaver/reelhost\" -root"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(paths.xscreensaver_file + ".glimmerdeck~")) << "there was no file to keep";
    ASSERT_TRUE(RemoveForUser(GD_PAYLOAD_EXE, paths).ok);
    EXPECT_FALSE(std::filesystem::exists(paths.xscreensaver_file)) << "the file it wrote goes with its program";
}

}  // namespace
}  // namespace gd::cli
