#include <gtest/gtest.h>

#include "maker/project/project_options.h"

#include "maker/cli/project_fields.h"

namespace gd::cli {
namespace {

TEST(ProjectFields, SetChangesFieldsByTheirNames) {
    CParamData p;
    p.pictureList.push_back({"/a.jpg", {}});
    EXPECT_EQ(SetProjectField(p, "nPicturePause", "5"), "");
    EXPECT_EQ(SetProjectField(p, "szBanner", "Hello"), "");
    EXPECT_EQ(SetProjectField(p, "crBgColor", "0x0000FF"), "");
    EXPECT_EQ(SetProjectField(p, "crBanner", "255"), "");
    EXPECT_EQ(SetProjectField(p, "bSelfInstall", "0"), "");
    EXPECT_EQ(SetProjectField(p, "lfBanner.lfHeight", "-24"), "");
    EXPECT_EQ(SetProjectField(p, "lfBanner.lfFaceName", "Serif"), "");
    EXPECT_EQ(SetProjectField(p, "lfBanner.lfItalic", "1"), "");
    EXPECT_EQ(SetProjectField(p, "bEffectOn[3]", "0"), "");
    EXPECT_EQ(SetProjectField(p, "pictureList[0].szCaption", "Hi"), "");
    EXPECT_EQ(SetProjectField(p, "pictureList[0].nCaptionPos", "8"), "");
    EXPECT_EQ(SetProjectField(p, "pictureList[0].lfCaptionFont.lfWeight", "400"), "");
    EXPECT_EQ(p.nPicturePause, 5);
    EXPECT_EQ(p.szBanner, "Hello");
    EXPECT_EQ(p.crBgColor, 0xFFu);
    EXPECT_EQ(p.crBanner, 255u);
    EXPECT_EQ(p.bSelfInstall, 0);
    EXPECT_EQ(p.lfBanner.height, -24);
    EXPECT_EQ(p.lfBanner.face_name, "Serif");
    EXPECT_EQ(p.lfBanner.italic, 1);
    EXPECT_EQ(p.bEffectOn[3], 0);
    EXPECT_EQ(p.bEffectOn[4], 1);
    EXPECT_EQ(p.pictureList[0].szCaption, "Hi");
    EXPECT_EQ(p.pictureList[0].nCaptionPos, 8);
    EXPECT_EQ(p.pictureList[0].lfCaptionFont.weight, 400);
    std::string all(64, '0');
    all[1] = '1';
    EXPECT_EQ(SetProjectField(p, "bEffectOn", all), "");
    EXPECT_EQ(p.bEffectOn[1], 1);
    EXPECT_EQ(p.bEffectOn[2], 0);
}

TEST(ProjectFields, UnknownKeysAndBadValuesAreRefusedAndChangeNothing) {
    CParamData p;
    const CParamData before = p;
    for (auto [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"nPicturePaus", "5"},        {"bEffectOn", "1"},          {"bEffectOn[64]", "1"},
             {"bEffectOn[1]", "2"},        {"bSelfInstall", "2"},       {"bSelfInstall", "yes"},
             {"nPicturePause", "5s"},      {"nPicturePause", ""},       {"nPicturePause", "-1"},
             {"nBannerPos", "2"},          {"crBgColor", "0x1000000"},  {"crBgColor", "red"},
             {"szName", "a/b"},            {"szName", std::string(31, 'n')}, {"szBanner", std::string(65, 'b')},
             {"lfBanner.lfFaceName", std::string(32, 'f')}, {"lfBanner.lfItalic", "256"},
             {"pictureList[0].szCaption", "x"}, {"bMovePicture", "2"}, {"reserved.n1", "1"},
             {"musicList", "x"},           {"nEffectMilliSecond", "0"}, {"nAudioPause", "99999999999"},
             {"crBgColor", "#12345"},      {"crBgColor", "#1234567"},   {"crBgColor", "#GG0000"},
             {"nBannerPos", "middle"},     {"musicList[0]", "/a.mid"},  {"pictureList[*].nCaptionPos", "9"}}) {
        std::string problem = SetProjectField(p, key, value);
        EXPECT_FALSE(problem.empty()) << key << "=" << value;
    }
    EXPECT_EQ(p, before);
    EXPECT_EQ(SetProjectField(p, "nPicturePaus", "5"), "unknown key 'nPicturePaus' (see 'glimmerdeck show' for the names)");
    EXPECT_EQ(SetProjectField(p, "nBannerPos", "2"), "bad value '2' for nBannerPos: expected a position 0, 1, top or bottom");
}

TEST(ProjectFields, ColoursByHashPositionsByNameAndEveryPictureAtOnce) {
    CParamData p;
    p.pictureList.push_back({"/a.jpg", {}});
    p.pictureList.push_back({"/b.jpg", {}});
    p.musicList.push_back("/m.mid");
    EXPECT_EQ(SetProjectField(p, "crBgColor", "#203040"), "");
    EXPECT_EQ(p.crBgColor, 0x403020u);  // red in the low byte
    EXPECT_EQ(SetProjectField(p, "crBanner", "#ff8000"), "");
    EXPECT_EQ(p.crBanner, 0x0080FFu);
    EXPECT_EQ(SetProjectField(p, "nBannerPos", "Bottom"), "");
    EXPECT_EQ(p.nBannerPos, 1);
    EXPECT_EQ(SetProjectField(p, "nBannerPos", "top-centre"), "");
    EXPECT_EQ(p.nBannerPos, 0);
    EXPECT_EQ(SetProjectField(p, "pictureList[*].nCaptionPos", "Middle Right"), "");
    EXPECT_EQ(p.pictureList[0].nCaptionPos, 5);
    EXPECT_EQ(p.pictureList[1].nCaptionPos, 5);
    EXPECT_EQ(SetProjectField(p, "pictureList[1].nCaptionPos", "bottom_left"), "");
    EXPECT_EQ(p.pictureList[1].nCaptionPos, 6);
    EXPECT_EQ(SetProjectField(p, "pictureList[*].crCaptionColor", "#00FF00"), "");
    EXPECT_EQ(p.pictureList[1].crCaptionColor, 0x00FF00u);
    EXPECT_EQ(SetProjectField(p, "musicList[0]", "/other.mp3"), "");
    EXPECT_EQ(p.musicList[0], "/other.mp3");
    // Every picture takes the value, or none does.
    const CParamData before = p;
    EXPECT_NE(SetProjectField(p, "pictureList[*].szCaption", std::string(65, 'c')), "");
    EXPECT_EQ(p, before);
}

TEST(ProjectFields, RecordTextsTakeAnyLanguageAndCountCharactersAsTheUserSeesThem) {
    CParamData p;
    // 30 Greek letters, two bytes each in UTF-8: 30 characters, within the limit.
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "λ";
    EXPECT_EQ(SetProjectField(p, "szName", thirty), "");
    EXPECT_EQ(p.szName, thirty);
    EXPECT_EQ(SetProjectField(p, "szName", thirty + "λ"), "szName: it takes at most 30 characters (this text has 31)");
    // A letter with a combining accent is one character; an emoji outside the BMP too.
    std::string accented;
    for (int i = 0; i < 64; ++i) accented += i % 2 ? "e\u0301" : "\U0001F388";
    EXPECT_EQ(SetProjectField(p, "szBanner", accented), "");
    EXPECT_EQ(SetProjectField(p, "szBanner", "Tokyo 東京"), "");
    EXPECT_EQ(p.szBanner, "Tokyo 東京");
    EXPECT_EQ(SetProjectField(p, "lfBanner.lfFaceName", "ＭＳ ゴシック"), "");
    EXPECT_EQ(SetProjectField(p, "pictureList[*].szCaption", "Łódź — zima"), "");
    EXPECT_EQ(SetProjectField(p, "szAuthor", "K\xF6ln"), "szAuthor: the byte 0xF6 (not UTF-8) cannot go into the screensaver's texts");
    EXPECT_EQ(SetProjectField(p, "szName", "Ελλάδα/2026").rfind("Screensaver name can't contain", 0), 0u);
    // Paths are no record texts: anything goes.
    EXPECT_EQ(SetProjectField(p, "szOutputFolder", "/home/zoë/デスクトップ"), "");
}

TEST(ProjectFields, FieldsAreListedInTheProjectsOrder) {
    CParamData p;
    std::vector<std::string> names;
    for (const ProjectField& f : ParamFields(p))
        if (f.group.empty() || f.member == "lfHeight" || f.member == "n1") names.push_back(f.name());
    const std::vector<std::string> expected = {
        "szName",          "szAuthor",       "szEmail",          "szHomePage",       "szCopyright",
        "szDescription",   "crBgColor",      "szIconFile",       "bSelfInstall",     "szOutputFolder",
        "bMouseMove",      "bMouseLeftClick", "bMouseRightClick", "bKeyboardEvent",  "bShuffleAudio",
        "nAudioPause",     "bMuteMusic",     "szBanner",         "lfBanner.lfHeight", "crBanner",
        "nBannerPos",      "bShufflePic",    "bAutoAdjustSize",  "nEffectMilliSecond", "nPicturePause",
        "bEffectOn",       "bMovePicture",   "nEffectCount",     "bSmoothScaling",  "bShuffleRounds",
        "bPanZoom",        "nPanZoom",       "nBackdrop",        "nMonitorMode",    "bScaleTexts",
        "nFitWidth",       "nFitHeight",     "bTrueColours",     "bCaptionFields",
        "reserved.n1"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(SetProjectField(p, "bMovePicture", "0"), "");
    EXPECT_EQ(p.bMovePicture, 0);
}

// A project saved before cross-fade has a 1 in byte 45 that nobody chose: it reads as
// off, and setting it on is a clear wish that makes the flags speak for it.
TEST(ProjectFields, TurningOnAnEffectTheFlagsDidNotKnowMakesThemKnowIt) {
    CParamData p;
    SetAbsentOptions(p);
    ASSERT_EQ(p.bEffectOn[45], 1);
    EXPECT_FALSE(ProjectEffectOn(p, 45));
    EXPECT_TRUE(ProjectEffectOn(p, 44));
    EXPECT_EQ(SetProjectField(p, "bEffectOn[45]", "0"), "");
    EXPECT_EQ(p.nEffectCount, 44) << "turning off what is off changes nothing";
    EXPECT_EQ(SetProjectField(p, "bEffectOn[45]", "1"), "");
    EXPECT_EQ(p.nEffectCount, 45);
    EXPECT_TRUE(ProjectEffectOn(p, 45));
    EXPECT_TRUE(ProjectEffectOn(p, 44));
}

TEST(ProjectFields, TheShowsNewerOptionsTakeTheirRanges) {
    CParamData p;
    EXPECT_EQ(SetProjectField(p, "nBackdrop", "1"), "");
    EXPECT_EQ(p.nBackdrop, 1);
    EXPECT_NE(SetProjectField(p, "nBackdrop", "top"), "") << "the banner's words are not the backdrop's";
    EXPECT_NE(SetProjectField(p, "nBackdrop", "2"), "");
    EXPECT_NE(SetProjectField(p, "nPanZoom", "51"), "");
    EXPECT_EQ(SetProjectField(p, "bPanZoom", "1"), "");
    EXPECT_EQ(p.bPanZoom, 1);
    EXPECT_EQ(SetProjectField(p, "nMonitorMode", "1"), "");
    EXPECT_EQ(p.nMonitorMode, 1);
    EXPECT_NE(SetProjectField(p, "nMonitorMode", "3"), "");
    EXPECT_NE(SetProjectField(p, "bScaleTexts", "2"), "");
}

TEST(ProjectFields, ShowPrintsKeysThatSetReadsBack) {
    CParamData p;
    p.pictureList.push_back({"/pics/a.jpg", {}});
    p.pictureList[0].szCaption = "Cap";
    p.musicList.push_back("/m/a.mid");
    p.crBgColor = 0x00FF00;
    p.bEffectOn[0] = 0;
    std::string text = ProjectAsText(p);
    EXPECT_NE(text.find("pictureList[0].szFile=/pics/a.jpg\n"), std::string::npos);
    EXPECT_NE(text.find("pictureList[0].lfCaptionFont.lfHeight=0\n"), std::string::npos);
    EXPECT_NE(text.find("musicList[0]=/m/a.mid\n"), std::string::npos);
    EXPECT_NE(text.find("crBgColor=#00FF00\n"), std::string::npos);
    EXPECT_NE(text.find("\nbMovePicture=1\n"), std::string::npos);  // kept in project files: set changes it
    EXPECT_NE(text.find("# pictureList.count=1\n"), std::string::npos);
    EXPECT_NE(text.find("bEffectOn=0" + std::string(63, '1') + "\n"), std::string::npos);
    EXPECT_NE(text.find("lfBanner.lfFaceName=MS Sans Serif\n"), std::string::npos);
    // Every settable line applied to a new project reproduces the fields.
    CParamData copy;
    copy.pictureList.push_back({"/pics/a.jpg", {}});
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("# ", 0) == 0) continue;  // read-only
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq);
        if (key.rfind("musicList[", 0) == 0) copy.musicList.emplace_back();
        EXPECT_EQ(SetProjectField(copy, key, line.substr(eq + 1)), "") << line;
    }
    EXPECT_EQ(copy, p);
}

TEST(ProjectFields, JsonNestsFontsAndPictures) {
    CParamData p;
    p.pictureList.push_back({"C:\\a \"b\".jpg", {}});
    p.szBanner = "café 東京";
    p.musicList.push_back("/m/K\xF6ln.mid");  // a Linux file name that is not UTF-8
    std::string json = ProjectAsJson(p);
    EXPECT_EQ(json.rfind("{\"pictureList\":[{\"szFile\":\"C:\\\\a \\\"b\\\".jpg\",", 0), 0u) << json;
    EXPECT_NE(json.find("\"musicList\":[\"/m/K\\udcf6ln.mid\"]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"lfBanner\":{\"lfHeight\":-32,"), std::string::npos);
    EXPECT_NE(json.find("\"lfCaptionFont\":{\"lfHeight\":0,"), std::string::npos);
    EXPECT_NE(json.find("\"szBanner\":\"café 東京\""), std::string::npos);  // real Unicode
    EXPECT_NE(json.find("\"bEffectOn\":[1,1,"), std::string::npos);
    EXPECT_NE(json.find("\"reserved\":{\"n1\":0,"), std::string::npos);
    EXPECT_EQ(json.back(), '\n');
    // Balanced braces and brackets outside strings.
    int depth = 0;
    bool in_string = false;
    for (size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        if (in_string) {
            if (c == '\\') ++i;
            else if (c == '"') in_string = false;
        } else if (c == '"') in_string = true;
        else if (c == '{' || c == '[') ++depth;
        else if (c == '}' || c == ']') --depth;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

}  // namespace
}  // namespace gd::cli
