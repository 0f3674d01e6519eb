#include <gtest/gtest.h>

#include "maker/ui/recent_projects.h"

namespace gd {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentProjects, MostRecentFirstOnceEachAtMostFour) {
    RecentProjects recent;
    for (const char* p : {"C:\\a.psm", "C:\\b.psm", "C:\\c.psm"}) recent.Add(p);
    EXPECT_EQ(recent.paths(), (Paths{"C:\\c.psm", "C:\\b.psm", "C:\\a.psm"}));
    recent.Add("c:\\A.PSM");  // on Windows the same file in other letters moves to the front, as typed now
#ifdef _WIN32
    EXPECT_EQ(recent.paths(), (Paths{"c:\\A.PSM", "C:\\c.psm", "C:\\b.psm"}));
#else
    EXPECT_EQ(recent.paths(), (Paths{"c:\\A.PSM", "C:\\c.psm", "C:\\b.psm", "C:\\a.psm"}));
#endif
    recent.Add("C:\\d.psm");
    recent.Add("C:\\e.psm");
    EXPECT_EQ(recent.paths(), (Paths{"C:\\e.psm", "C:\\d.psm", "c:\\A.PSM", "C:\\c.psm"}));
    recent.Remove(1);
    recent.Remove(7);
    EXPECT_EQ(recent.paths(), (Paths{"C:\\e.psm", "c:\\A.PSM", "C:\\c.psm"}));
}

TEST(RecentProjects, SurvivesInTheSettings) {
    MemoryUserSettings settings;
    RecentProjects recent;
    for (const char* p : {"C:\\a.psm", "C:\\b.psm", "C:\\c.psm"}) recent.Add(p);
    recent.Save(settings);
    EXPECT_EQ(settings.GetString("Recent File List", "File1"), "C:\\c.psm");

    RecentProjects again;
    again.Load(settings);
    EXPECT_EQ(again.paths(), recent.paths());

    // A shorter list removes the entries it no longer has.
    again.Remove(0);
    again.Remove(0);
    again.Save(settings);
    EXPECT_FALSE(settings.GetString("Recent File List", "File2").has_value());
    RecentProjects third;
    third.Load(settings);
    EXPECT_EQ(third.paths(), (Paths{"C:\\a.psm"}));
}

TEST(RecentProjects, HandEditedStoreWithGapsAndRepeatsLoadsSoundly) {
    MemoryUserSettings settings;
    settings.SetString("Recent File List", "File1", "C:\\x.psm");
    settings.SetString("Recent File List", "File2", "");
    settings.SetString("Recent File List", "File3", "c:\\X.psm");
    settings.SetString("Recent File List", "File4", "C:\\y.psm");
    RecentProjects recent;
    recent.Load(settings);
#ifdef _WIN32
    EXPECT_EQ(recent.paths(), (Paths{"C:\\x.psm", "C:\\y.psm"}));
#else
    EXPECT_EQ(recent.paths(), (Paths{"C:\\x.psm", "c:\\X.psm", "C:\\y.psm"}));  // two files on Linux
#endif
}

TEST(RecentMenuText, NumbersShortensAndKeepsAmpersands) {
    EXPECT_EQ(RecentMenuText(0, "C:\\Shows\\Beach.psm"), "&1 C:\\Shows\\Beach.psm");
    EXPECT_EQ(RecentMenuText(3, "C:\\Tom & Jerry.psm"), "&4 C:\\Tom && Jerry.psm");
    EXPECT_EQ(RecentMenuText(1, "C:\\Documents and Settings\\someone\\My Documents\\Shows\\Beach.psm"),
              "&2 C:\\...\\My Documents\\Shows\\Beach.psm");
}

TEST(AbbreviatePath, KeepsRootAndFileName) {
    EXPECT_EQ(AbbreviatePath("C:\\short.psm", 40), "C:\\short.psm");
    EXPECT_EQ(AbbreviatePath("C:\\aaaa\\bbbb\\cccc\\name.psm", 20), "C:\\...\\cccc\\name.psm");
    EXPECT_EQ(AbbreviatePath("\\\\server\\share\\aaaa\\bbbb\\name.psm", 28), "\\\\server\\share\\...\\name.psm");
    // A file name longer than the limit is kept whole.
    std::string long_name = "C:\\folder\\" + std::string(50, 'n') + ".psm";
    EXPECT_EQ(AbbreviatePath(long_name, 20), "C:\\...\\" + std::string(50, 'n') + ".psm");
}

}  // namespace
}  // namespace gd
