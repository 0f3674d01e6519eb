#include <gtest/gtest.h>

#include "maker/project/validate_for_make.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct RecordingUi : MakeValidationUi {
    void ShowProblem(ProjectPage page, const std::string& message) override { problems.emplace_back(page, message); }
    bool Ask(const std::string& question) override {
        asked.push_back(question);
        return answer;
    }
    std::vector<std::pair<ProjectPage, std::string>> problems;
    std::vector<std::string> asked;
    bool answer = false;
};

TEST(ValidateForMake, NameThenPicturesThenOverwrite) {
    test::TempFolder folder;
    CParamData p;
    p.szOutputFolder = folder.path().string();
    p.bSelfInstall = 1;
    RecordingUi ui;

    p.szName = "  \t ";
    EXPECT_FALSE(ValidateForMake(p, ui));
    EXPECT_EQ(p.szName, "");
    ASSERT_EQ(ui.problems.size(), 1u);
    EXPECT_EQ(ui.problems[0], std::make_pair(ProjectPage::kGeneral, std::string("Screensaver name is needed!    ")));

    for (char c : std::string("\"*/:<>?\\|")) {
        p.szName = std::string("a") + c;
        EXPECT_FALSE(ValidateForMake(p, ui)) << c;
        EXPECT_EQ(ui.problems.back().second,
                  "Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \"" + std::string(1, c) +
                      "\".");
    }

    p.szName = "  My Show ";
    EXPECT_FALSE(ValidateForMake(p, ui));
    EXPECT_EQ(p.szName, "My Show");
    EXPECT_EQ(ui.problems.back(),
              std::make_pair(ProjectPage::kPictures, std::string("Please add  one picture at least!    ")));

    p.pictureList.push_back({"/x.jpg", {}});
    size_t problems = ui.problems.size();
    EXPECT_TRUE(ValidateForMake(p, ui));
    EXPECT_TRUE(ui.asked.empty());

    std::string target = folder.Write("My Show.exe", "old");
    EXPECT_FALSE(ValidateForMake(p, ui));
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0], target + " already exists. \nDo you want to replace it?   ");
    ui.answer = true;
    EXPECT_TRUE(ValidateForMake(p, ui));
    p.bSelfInstall = 0;  // the .scr does not exist
    EXPECT_TRUE(ValidateForMake(p, ui));
    EXPECT_EQ(ui.asked.size(), 2u);
    EXPECT_EQ(ui.problems.size(), problems);
}

TEST(ValidateForMake, NamesWindowsCannotGiveAFileAreRefused) {
    CParamData p;
    p.pictureList.push_back({"/x.jpg", {}});
    p.szOutputFolder = "/nonexistent-output-folder";
    RecordingUi ui;
    for (const char* name : {"CON", "con", "Prn", "AUX.scr", "nul.txt", "COM1", "com9.x", "LPT5", "NUL .scr"}) {
        p.szName = name;
        EXPECT_FALSE(ValidateForMake(p, ui)) << name;
        EXPECT_EQ(ui.problems.back().second, "Screensaver name can't be :\n CON PRN AUX NUL COM1..COM9 LPT1..LPT9 (with any extension)     ");
    }
    for (const char* name : {"Show.", "Show..", "a\nb", "tab\there", "bell\x07", "del\x7F"}) {
        p.szName = name;
        EXPECT_FALSE(ValidateForMake(p, ui)) << name;
    }
    EXPECT_EQ(NameProblem("Show."), "Screensaver name can't end with a dot or a blank!    ");
    EXPECT_EQ(NameProblem("Show "), "Screensaver name can't end with a dot or a blank!    ");
    EXPECT_EQ(NameProblem("a\nb"), "Screensaver name can't contain control characters!    ");
    EXPECT_EQ(NameProblem("a:\nb"), "Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \":\".");
    // The first of the nine the name holds is named; a name without any has no message.
    EXPECT_EQ(NameCharactersMessage("What? Now*"),
              "Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \"?\".");
    EXPECT_EQ(NameCharactersMessage("a\"b"), std::string(kNameCharactersMessage) + "\nThis name contains \"\"\".");
    EXPECT_EQ(NameCharactersMessage("Plain"), "");
    size_t problems = ui.problems.size();
    for (const char* name : {"CONSOLE", "COM10", "LPT0", "Com", "My.Show", "Ünïcödé", "NULL", "a.CON"}) {
        p.szName = name;
        EXPECT_TRUE(ValidateForMake(p, ui)) << name;
        EXPECT_EQ(NameProblem(name), "") << name;
    }
    EXPECT_EQ(ui.problems.size(), problems);
}

TEST(ValidateForMake, AnyLanguageGoesAndOnlyBytesThatAreNotUtf8AreNamedOnTheirPage) {
    CParamData p;
    p.szName = "Ελλάδα 2026";
    p.szAuthor = "Ёлка";
    p.szBanner = "Москва";
    p.lfBanner.face_name = "ＭＳ ゴシック";
    p.pictureList.push_back({"/x.jpg", {}});
    p.pictureList.push_back({"/写真.jpg", {}});
    p.pictureList[0].szCaption = "Łódź — zima";
    p.pictureList[1].szCaption = "東京タワー \U0001F5FC";
    RecordingUi ui;
    EXPECT_TRUE(ValidateForMake(p, ui));
    EXPECT_TRUE(ui.problems.empty());

    p.pictureList[1].szCaption = "K\xF6ln";  // a Latin-1 argument, not UTF-8
    EXPECT_FALSE(ValidateForMake(p, ui));
    ASSERT_EQ(ui.problems.size(), 1u);
    EXPECT_EQ(ui.problems[0].first, ProjectPage::kPictures);
    EXPECT_EQ(ui.problems[0].second,
              "The caption of picture 2 can't go into the screensaver: the byte 0xF6 (not UTF-8) cannot go into the "
              "screensaver's texts");
    p.pictureList[1].szCaption.clear();

    p.szBanner = "\xF6";
    EXPECT_FALSE(ValidateForMake(p, ui));
    EXPECT_EQ(ui.problems.back().first, ProjectPage::kSettings);
    EXPECT_NE(ui.problems.back().second.find("The banner can't go into the screensaver: the byte 0xF6"),
              std::string::npos);
}

TEST(ValidateForMake, ANameFollowsTheRulesOfAWindowsFileNameInAnyLanguage) {
    for (const char* name : {"Ελλάδα 2026", "東京の夜", "Łódź", "Ёлка", "\U0001F388 party"})
        EXPECT_EQ(NameProblem(name), "") << name;
    EXPECT_EQ(NameProblem("Ελλάδα:2026"),
              "Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \":\".");
    EXPECT_EQ(NameProblem("K\xF6ln"), "Screensaver name can't contain the byte 0xF6 (not UTF-8)!    ");
    EXPECT_EQ(NameProblem("Σ."), "Screensaver name can't end with a dot or a blank!    ");
    // 30 characters, but with so many combining marks that the file name would pass the
    // 255 UTF-16 units Windows allows.
    std::string heavy;
    for (int i = 0; i < 30; ++i) heavy += "a\u0301\u0302\u0303\u0304\u0305\u0306\u0307\u0308\u0309";
    EXPECT_EQ(NameProblem(heavy), "Screensaver name is too long for a file name!    ");
}

}  // namespace
}  // namespace gd
