// Pictures, music, icon, output folder, project file and program folder in places whose
// names have blanks and letters outside ASCII and outside the ANSI code page: the
// project survives a save and an open, and the build reads every input and writes the
// screensaver there. On Windows this goes through the wide-character file functions.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/resource_types.h"
#include "maker/project/editor_target.h"
#include "maker/project/path_rules.h"
#include "maker/project/picture_encoding.h"
#include "maker/project/saver_builder.h"
#include "maker/project/screensaver_doc.h"
#include "resources/resource_table.h"
#include "tests/common/host_path.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

using test::Utf8Path;

struct NoMessages : MessageSink {
    void ShowMessage(std::string_view text) override { ADD_FAILURE() << text; }
};

std::string Input(const std::string& relative) {
    return testing::HostPath(std::string(std::getenv("GD_TEST_INPUTS")) + "/" + relative);
}

std::string Template() {
    for (const char* candidate : {GD_RUNTIME_TEMPLATE, GD_PROBE_EXECUTABLE})
        if (std::filesystem::exists(testing::HostPath(candidate))) return testing::HostPath(candidate);
    return {};
}

std::string Folder(const test::TempFolder& root, const std::string& relative) {
    std::string path = root.File(relative);
    std::filesystem::create_directories(Utf8Path(path));
    return path;
}

std::string CopyInput(const std::string& input, const std::string& to) {
    std::filesystem::copy_file(Utf8Path(Input(input)), Utf8Path(to));
    return to;
}

TEST(Paths, NamesOutsideTheCodePageSurviveTheProjectFileAndTheBuild) {
    const std::string source = Template();
    if (source.empty()) GTEST_SKIP() << "no Windows executable in this build to use as the template";
    test::TempFolder root;
    const std::string program = Folder(root, "Programme \u03a9");
    std::filesystem::create_directories(Utf8Path(program) / "data");
    std::filesystem::copy_file(Utf8Path(source), Utf8Path(JoinPath(JoinPath(program, "data"), "data1.dat")));
    const std::string pictures = Folder(root, "Zo\u00eb/Bilder/K\u00f6ln 2024");
    const std::string jpeg = CopyInput("project/truecolor.jpg", JoinPath(pictures, "IMG_0001.JPG"));
    const std::string png = CopyInput("project/truecolor.png", JoinPath(pictures, "\u5199\u771f.png"));
    const std::string music = JoinPath(pictures, "Lied \u00e4\u00f6\u00fc.mid");
    std::filesystem::copy_file(Utf8Path(jpeg), Utf8Path(music));
    const std::string icon = CopyInput("ico/three_images.ico", JoinPath(pictures, "\u30a2\u30a4\u30b3\u30f3.ico"));
    const std::string output = Folder(root, "Ausgabe \u00df");
    const std::string psm = JoinPath(Folder(root, "Projekte \u00e9t\u00e9"), "K\u00f6ln.psm");

    CScreenSaverDoc doc(program);
    CParamData& p = doc.project();
    p.szName = "K\u00f6ln 2024";
    p.AddPicture(jpeg, doc.DefaultCaptionStyle());
    p.AddPicture(png, doc.DefaultCaptionStyle());
    p.AddMusic(music);
    p.szIconFile = icon;
    p.szOutputFolder = output;
    p.bSelfInstall = 0;
    NoMessages quiet;
    ASSERT_EQ(doc.Save(psm, quiet), ProjectFileResult::kOk);
    EXPECT_EQ(doc.GetTitle(), "K\u00f6ln.psm");

    CScreenSaverDoc reopened(program);
    ASSERT_EQ(reopened.Open(psm, quiet), ProjectFileResult::kOk);  // nothing dropped as missing
    const CParamData& q = reopened.project();
    ASSERT_EQ(q.pictureList.size(), 2u);
    EXPECT_EQ(q.pictureList[1].szFile, png);
    EXPECT_EQ(q.musicList, std::vector<std::string>{music});
    EXPECT_EQ(q.szIconFile, icon);
    EXPECT_EQ(q.szOutputFolder, output);

    CxPictureEncoder encoder;
    EditorTargetFactory targets;
    test::FakeQuestions questions;
    test::FakePlatform platform;
    BuildLogMailbox log;
    CSaverBuilder builder(reopened.project(), program, log, {encoder, targets, questions, platform, 2});
    auto lines = test::RunBuild(builder, log);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Added picture: " + jpeg);
    EXPECT_EQ(lines[1], "Added picture: " + png);
    EXPECT_EQ(lines[2], "Added music: " + music);
    EXPECT_EQ(builder.OutputPath(), JoinPath(output, "K\u00f6ln 2024.scr"));
    auto made = res::ReadPeResources(builder.OutputPath());
    ASSERT_TRUE(made) << made.error();
    EXPECT_NE(made->table.Find(RT_SAVER_PICTURE, 1), nullptr);
    EXPECT_NE(made->table.Find(RT_SAVER_MUSIC, 0), nullptr);
    const res::ResourceEntry* group = made->table.Find(res::kTypeGroupIcon, 128, res::kLanguageEnUs);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->size, 6u + 3u * 14u);  // the chosen icon's three images
}

#ifdef _WIN32
// What Windows users type: forward slashes, mixed separators and differently cased names
// reach the same files; UNC names keep their two leading backslashes.
TEST(Paths, WindowsSpellingsOfOnePath) {
    test::TempFolder root;
    const std::string folder = Folder(root, "Mixed \u00c4");
    const std::string jpeg = CopyInput("project/truecolor.jpg", JoinPath(folder, "a.jpg"));
    std::string forward = jpeg;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    EXPECT_TRUE(PathExists(forward));
    EXPECT_TRUE(PathExists(UpperAscii(jpeg)));
    CParamData p;
    EXPECT_TRUE(p.AddPicture(jpeg, {}));
    EXPECT_FALSE(p.AddPicture(UpperAscii(jpeg), {})) << "the same file in other letters";

    CScreenSaverDoc doc(root.path().string());
    NoMessages quiet;
    EXPECT_NE(doc.Open("\\\\gd-no-such-server\\share\\Show.psm", quiet), ProjectFileResult::kOk);
    EXPECT_EQ(JoinPath("\\\\server\\share\\Shows", "Show.scr"), "\\\\server\\share\\Shows\\Show.scr");
}
#endif

}  // namespace
}  // namespace gd
