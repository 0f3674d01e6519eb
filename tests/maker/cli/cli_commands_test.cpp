// The project sub-commands run as the program itself: a project managed from the shell
// from start to end, with exit codes, stdout (results) and stderr (messages).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "maker/project/message_sink.h"
#include "maker/project/project_file.h"
#include "tests/maker/project/metadata_samples.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct Outcome {
    int code = -1;
    std::string out;
};

std::string Input(const std::string& name) { return std::string(std::getenv("GD_TEST_INPUTS")) + "/" + name; }

struct NoMessages : MessageSink {
    void ShowMessage(std::string_view) override {}
};

class Commands : public ::testing::Test {
protected:
    // Runs glimmerdeck with the arguments (each single-quoted for the shell), stdout
    // captured, stderr to a file.
    Outcome Glimmerdeck(const std::vector<std::string>& args) {
        std::string command = "GD_PROGRAM_FOLDER='" + folder.File("program") + "' '" GD_GLIMMERDECK "'";
        for (const auto& a : args) command += " '" + a + "'";
        command += " 2>'" + folder.File("stderr.txt") + "' </dev/null";
        Outcome run;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
        int status = ::pclose(pipe);
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
    std::string Stderr() {
        auto bytes = test::ReadBytes(folder.File("stderr.txt"));
        return std::string(bytes.begin(), bytes.end());
    }
    bool SaidOnStderr(const std::string& text) { return Stderr().find(text) != std::string::npos; }
    std::string Copy(const std::string& input, const std::string& name) {
        std::filesystem::copy_file(Input(input), folder.File(name));
        return folder.File(name);
    }
    CParamData Project(const std::string& psm) {
        CParamData project;
        NoMessages messages;
        EXPECT_EQ(OpenProjectFile(psm, project, messages), ProjectFileResult::kOk);
        return project;
    }

    test::TempFolder folder;
};

TEST_F(Commands, NewChecksWhatGoesInAndTakesFoldersInNameOrder) {
    std::filesystem::create_directories(folder.path() / "trip" / "sub");
    std::string b = Copy("project/truecolor.png", "trip/b.png"), a = Copy("project/truecolor.jpg", "trip/a.jpg");
    std::string broken = Copy("project/broken.jpg", "trip/c-broken.jpg");
    folder.Write("trip/notes.txt", "not a picture");
    Copy("project/photo.gif", "trip/sub/deeper.gif");  // sub-folders are not read
    std::string song = folder.Write("song.wav", "RIFF....WAVEfmt ");
    std::string fake = folder.Write("fake.mp3", "plain text");
    std::string psm = folder.File("p.psm");
    Outcome made = Glimmerdeck({"new", psm, "--name=Trip", "--picture", folder.File("trip"), "--picture", a,
                                "--picture", folder.File("missing.png"), "--music", song, "--music=" + fake,
                                "--output-folder", folder.path().string(), "--standard"});
    ASSERT_EQ(made.code, 0) << Stderr();
    EXPECT_EQ(made.out, psm + ": 2 pictures, 1 music file\n");
    EXPECT_TRUE(SaidOnStderr(broken + ": ")) << Stderr();  // with the decoder's reason
    EXPECT_TRUE(SaidOnStderr(folder.File("trip/notes.txt") + ": not a picture file; skipped"));
    EXPECT_TRUE(SaidOnStderr(a + " is already listed; skipped"));
    EXPECT_TRUE(SaidOnStderr(folder.File("missing.png") + ": No such file or directory; skipped"));
    EXPECT_TRUE(SaidOnStderr(fake + ": not an MP3 file"));
    EXPECT_TRUE(SaidOnStderr("glimmerdeck new: 4 of 8 files skipped\n")) << Stderr();
    CParamData project = Project(psm);
    ASSERT_EQ(project.pictureList.size(), 2u);
    EXPECT_EQ(project.pictureList[0].szFile, a);  // name order
    EXPECT_EQ(project.pictureList[1].szFile, b);
    EXPECT_EQ(project.musicList, std::vector<std::string>{song});
    EXPECT_EQ(project.szName, "Trip");

    // --strict creates nothing when something was skipped; a bad icon is refused at once.
    std::string strict = folder.File("strict.psm");
    EXPECT_EQ(Glimmerdeck({"new", strict, "--picture", broken, "--strict"}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(strict));
    EXPECT_EQ(Glimmerdeck({"new", strict, "--icon", a}).code, 2);
    EXPECT_TRUE(SaidOnStderr("--icon " + a + ": not an icon file (.ico)"));
    EXPECT_EQ(Glimmerdeck({"new", strict, "--name", "LPT1"}).code, 2);
    EXPECT_EQ(Glimmerdeck({"new", psm}).code, 2);  // no --force: the project stays
    EXPECT_EQ(Project(psm).pictureList.size(), 2u);
}

TEST_F(Commands, AProjectIsEditedFromTheShell) {
    std::string a = Copy("project/truecolor.jpg", "a.jpg"), b = Copy("project/photo.gif", "b.gif");
    std::string c = Copy("project/palette.png", "c.png");
    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--picture", a}).code, 0) << Stderr();
    Outcome added = Glimmerdeck({"add", psm, b, c, folder.Write("m.mid", "MThd")});
    ASSERT_EQ(added.code, 0) << Stderr();
    EXPECT_EQ(added.out, psm + ": 2 pictures and 1 music file added; 3 pictures, 1 music file in all\n");

    EXPECT_EQ(Glimmerdeck({"move", psm, "pictureList[2]", "first"}).code, 0) << Stderr();
    EXPECT_EQ(Glimmerdeck({"move", psm, b, "last"}).code, 0) << Stderr();
    CParamData project = Project(psm);
    ASSERT_EQ(project.pictureList.size(), 3u);
    EXPECT_EQ(project.pictureList[0].szFile, c);
    EXPECT_EQ(project.pictureList[1].szFile, a);
    EXPECT_EQ(project.pictureList[2].szFile, b);

    ASSERT_EQ(Glimmerdeck({"set", psm, "pictureList[1].szCaption=Harbour", "pictureList[1].crCaptionColor=#FFFF00",
                           "pictureList[*].nCaptionPos=top-right", "pictureList[1].lfCaptionFont.lfFaceName=Arial",
                           "crBgColor=#203040", "nBannerPos=bottom", "szBanner=Grüße aus Köln"})
                  .code,
              0)
        << Stderr();
    Outcome shown = Glimmerdeck({"show", psm});
    ASSERT_EQ(shown.code, 0);
    for (const char* line : {"pictureList[1].szCaption=Harbour\n", "pictureList[1].crCaptionColor=#FFFF00\n",
                             "pictureList[0].nCaptionPos=2\n", "pictureList[2].nCaptionPos=2\n", "crBgColor=#203040\n",
                             "nBannerPos=1\n", "szBanner=Grüße aus Köln\n", "# pictureList.count=3\n"})
        EXPECT_NE(shown.out.find(line), std::string::npos) << line << shown.out;
    EXPECT_NE(Glimmerdeck({"show", psm, "--json"}).out.find("\"szBanner\":\"Grüße aus Köln\""), std::string::npos);

    // Refusals name the problem and change nothing.
    auto before = test::ReadBytes(psm);
    EXPECT_EQ(Glimmerdeck({"set", psm, "nPicturePause=7", "nPictureWait=1"}).code, 2);
    EXPECT_TRUE(SaidOnStderr("unknown key 'nPictureWait'"));
    EXPECT_EQ(Glimmerdeck({"set", psm, "szBanner=" + std::string(65, 'x')}).code, 2);
    EXPECT_TRUE(SaidOnStderr("szBanner: it takes at most 64 characters (this text has 65)"));
    EXPECT_EQ(Glimmerdeck({"set", psm, "szIconFile=" + a}).code, 2);
    EXPECT_TRUE(SaidOnStderr("szIconFile: " + a + ": not an icon file (.ico)"));
    EXPECT_EQ(Glimmerdeck({"set", psm, "pictureList[0].szFile=" + folder.File("none.jpg")}).code, 2);
    EXPECT_EQ(Glimmerdeck({"remove", psm, "pictureList[9]"}).code, 2);
    EXPECT_TRUE(SaidOnStderr("no pictureList[9]: the project has 3 pictures"));
    EXPECT_EQ(Glimmerdeck({"move", psm, "musicList[0]", "5"}).code, 2);
    EXPECT_EQ(test::ReadBytes(psm), before);

    EXPECT_EQ(Glimmerdeck({"set", psm, "szIconFile=" + Input("ico/card.ico")}).code, 0) << Stderr();
    Outcome removed = Glimmerdeck({"remove", psm, "pictureList[0]", a, "musicList[0]"});
    ASSERT_EQ(removed.code, 0) << Stderr();
    EXPECT_EQ(removed.out, psm + ": 2 pictures and 1 music file removed; 1 picture, 0 music files left\n");
    project = Project(psm);
    ASSERT_EQ(project.pictureList.size(), 1u);
    EXPECT_EQ(project.pictureList[0].szFile, b);
    EXPECT_EQ(project.szIconFile, Input("ico/card.ico"));
}

TEST_F(Commands, EffectsVersionAndHelp) {
    Outcome effects = Glimmerdeck({"effects"});
    ASSERT_EQ(effects.code, 0);
    EXPECT_EQ(std::count(effects.out.begin(), effects.out.end(), '\n'), 45);
    EXPECT_NE(effects.out.find("\n45  Cross Fade\n"), std::string::npos);
    EXPECT_EQ(effects.out.rfind(" 1  Blinds Horizontal\n", 0), 0u);
    EXPECT_NE(effects.out.find("\n20  Rdndom Lines Vertical\n"), std::string::npos);
    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm}).code, 0);
    ASSERT_EQ(Glimmerdeck({"set", psm, "bEffectOn[3]=0"}).code, 0);
    Outcome of_project = Glimmerdeck({"effects", psm});
    EXPECT_NE(of_project.out.find(" 2  on   Blinds Vertical\n 3  off  Grid\n"), std::string::npos) << of_project.out;
    EXPECT_NE(Glimmerdeck({"effects", psm, "--json"}).out.find("{\"id\":3,\"name\":\"Grid\",\"on\":false}"),
              std::string::npos);

    Outcome version = Glimmerdeck({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("glimmerdeck ", 0), 0u);
    Outcome help = Glimmerdeck({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* part : {"  add ", "  remove ", "  move ", "  effects ", "Pictures read:", "desktop folder",
                             "--opt=value", "A whole project from a folder of photos:"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    EXPECT_EQ(Glimmerdeck({"frobnicate"}).code, 2);
    EXPECT_TRUE(SaidOnStderr("glimmerdeck: unknown command 'frobnicate'"));
}

TEST_F(Commands, MakeReportsUsageProjectAndBuildFailuresByExitCode) {
    EXPECT_EQ(Glimmerdeck({"make"}).code, 2);
    EXPECT_EQ(Glimmerdeck({"make", folder.File("none.psm")}).code, 2);
    EXPECT_TRUE(SaidOnStderr("Cannot open the project file " + folder.File("none.psm") + ": No such file or directory"));
    folder.Write("bad.psm", "short");
    EXPECT_EQ(Glimmerdeck({"make", folder.File("bad.psm")}).code, 2);
    EXPECT_EQ(Glimmerdeck({"make", "--frobnicate"}).code, 2);

    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm}).code, 0);
    Outcome no_name = Glimmerdeck({"make", psm});
    EXPECT_EQ(no_name.code, 1);
    EXPECT_TRUE(SaidOnStderr("Screensaver name is needed!"));

    // No template in the program folder: the build fails with its log, ending "The end!".
    std::string a = Copy("project/truecolor.jpg", "a.jpg");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--force", "--name", "S", "--picture", a, "--standard"}).code, 0);
    Outcome failed = Glimmerdeck({"make", psm, "--output-folder", folder.path().string()});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "Fail to write file,exit making!\nReason: " + folder.File("program/data/data1.dat") +
                              ": No such file or directory\nThe end!\n");

    // An existing output is replaced only with --yes when no one can be asked.
    folder.Write("S.scr", "old");
    Outcome kept = Glimmerdeck({"make", psm, "--output-folder", folder.path().string()});
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(kept.out, "");
    EXPECT_TRUE(SaidOnStderr("S.scr already exists."));
    EXPECT_EQ(test::ReadBytes(folder.File("S.scr")), std::vector<uint8_t>({'o', 'l', 'd'}));
}

TEST_F(Commands, SkippedPicturesAreSummedUpAndStrictFailsTheScript) {
    if (!std::filesystem::exists(GD_RUNTIME_TEMPLATE)) GTEST_SKIP() << "no runtime template in this build";
    std::filesystem::create_directories(folder.path() / "program" / "data");
    std::filesystem::copy_file(GD_RUNTIME_TEMPLATE, folder.File("program/data/data1.dat"));
    std::string a = Copy("project/truecolor.jpg", "a.jpg"), b = Copy("project/photo.gif", "b.gif");
    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--name", "S", "--picture", a, "--picture", b, "--output-folder",
                           folder.path().string()})
                  .code,
              0);
    folder.Write("b.gif", "no longer a picture");  // spoiled after it was added
    Outcome made = Glimmerdeck({"make", psm});
    EXPECT_EQ(made.code, 0);
    EXPECT_NE(made.out.find("Fail to load picture : " + b + "\n"), std::string::npos) << made.out;
    EXPECT_EQ(Stderr(), "glimmerdeck make: 1 of 2 pictures could not be used: b.gif\n");
    // The log ends with it too, after the success line, so no reader takes the build for whole.
    EXPECT_TRUE(made.out.ends_with("Make screensaver succeed : " + folder.File("S.exe") +
                                   "\n1 of 2 pictures could not be used: b.gif\nThe end!\n"))
        << made.out;
    Outcome strict = Glimmerdeck({"make", psm, "--yes", "--strict"});
    EXPECT_EQ(strict.code, 1);
    EXPECT_TRUE(std::filesystem::exists(folder.File("S.exe")));  // made all the same
}

// "Move pictures" off is kept by the project file and reaches the screensaver's 744-byte
// record and its show extras; a project file of before reads it on.
TEST_F(Commands, MovePicturesOffSurvivesTheProjectFileAndReachesTheScreensaver) {
    if (!std::filesystem::exists(GD_RUNTIME_TEMPLATE)) GTEST_SKIP() << "no runtime template in this build";
    std::filesystem::create_directories(folder.path() / "program" / "data");
    std::filesystem::copy_file(GD_RUNTIME_TEMPLATE, folder.File("program/data/data1.dat"));
    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--name", "Still", "--picture", Copy("project/truecolor.jpg", "a.jpg"),
                           "--output-folder", folder.path().string(), "--standard"})
                  .code,
              0)
        << Stderr();
    const std::vector<uint8_t> before = test::ReadBytes(psm);
    EXPECT_NE(Glimmerdeck({"show", psm}).out.find("\nbMovePicture=1\n"), std::string::npos);

    ASSERT_EQ(Glimmerdeck({"set", psm, "bMovePicture=0"}).code, 0) << Stderr();
    EXPECT_NE(Glimmerdeck({"show", psm}).out.find("\nbMovePicture=0\n"), std::string::npos);
    EXPECT_NE(Glimmerdeck({"show", psm, "--json"}).out.find("\"bMovePicture\":0"), std::string::npos);
    EXPECT_EQ(Project(psm).bMovePicture, 0);
    const std::vector<uint8_t> after = test::ReadBytes(psm);
    // A new project has its block already (its newer options are on); the setting
    // changes the block alone, never the fixed items before it.
    const std::string_view magic = "GDPX";
    const auto block = std::search(before.begin(), before.end(), magic.begin(), magic.end());
    ASSERT_NE(block, before.end());
    const size_t fixed = size_t(block - before.begin());
    ASSERT_GE(after.size(), fixed);
    EXPECT_TRUE(std::equal(before.begin(), block, after.begin())) << "the block comes after the fixed items";
    EXPECT_NE(std::vector<uint8_t>(after.begin() + std::ptrdiff_t(fixed), after.end()),
              std::vector<uint8_t>(block, before.end()));

    ASSERT_EQ(Glimmerdeck({"make", psm}).code, 0) << Stderr();
    Outcome info = Glimmerdeck({"info", folder.File("Still.scr")});
    ASSERT_EQ(info.code, 0) << Stderr();
    // The 744-byte record's field, then the show extras' entry.
    const size_t config = info.out.find("configuration:\n"), extras = info.out.find("show extras: ");
    ASSERT_NE(config, std::string::npos) << info.out;
    ASSERT_NE(extras, std::string::npos) << info.out;
    EXPECT_LT(info.out.find("  bMovePicture: 0\n", config), extras) << info.out;
    EXPECT_NE(info.out.find("  bMovePicture: 0\n", extras), std::string::npos) << info.out;

    // Turned on again, the file is the one of before, byte for byte.
    ASSERT_EQ(Glimmerdeck({"set", psm, "bMovePicture=1"}).code, 0) << Stderr();
    EXPECT_EQ(test::ReadBytes(psm), before);
}

// Every picture captioned with its date from the shell: the project keeps the words, the
// screensaver shows each picture's own date and name.
TEST_F(Commands, CaptionPlaceholdersAreSetForEveryPictureAndFilledInByMake) {
    if (!std::filesystem::exists(GD_RUNTIME_TEMPLATE)) GTEST_SKIP() << "no runtime template in this build";
    std::filesystem::create_directories(folder.path() / "program" / "data");
    std::filesystem::copy_file(GD_RUNTIME_TEMPLATE, folder.File("program/data/data1.dat"));
    const std::string harbour = folder.Write(
        "Harbour.jpg", test::WithSegments(test::ReadBytes(Input("project/truecolor.jpg")),
                                          test::ExifSegment(test::ExifTiff("2019:08:17 18:30:45"))));
    const std::string quay = Copy("project/photo.gif", "Quay.gif");
    const std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--name", "Dated", "--picture", harbour, "--picture", quay, "--output-folder",
                           folder.path().string(), "--standard"})
                  .code,
              0)
        << Stderr();
    ASSERT_EQ(Glimmerdeck({"set", psm, "pictureList[*].szCaption={file}, {date:%d %b %Y}"}).code, 0) << Stderr();
    const std::string shown = Glimmerdeck({"show", psm}).out;
    EXPECT_NE(shown.find("pictureList[0].szCaption={file}, {date:%d %b %Y}\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("pictureList[1].szCaption={file}, {date:%d %b %Y}\n"), std::string::npos) << shown;

    ASSERT_EQ(Glimmerdeck({"make", psm}).code, 0) << Stderr();
    const Outcome info = Glimmerdeck({"info", folder.File("Dated.scr")});
    ASSERT_EQ(info.code, 0) << Stderr();
    EXPECT_NE(info.out.find("szCaption \"Harbour, 17 Aug 2019\""), std::string::npos) << info.out;
    // The GIF has no recorded date: the day its file last changed stands in.
    EXPECT_NE(info.out.find("szCaption \"Quay, "), std::string::npos) << info.out;
    EXPECT_EQ(info.out.find("{date"), std::string::npos) << info.out;
    EXPECT_EQ(Project(psm).pictureList[0].szCaption, "{file}, {date:%d %b %Y}");
}

// A project whose placeholders are off (saved before them) turns them on when a caption is
// set with one, and only then.
TEST_F(Commands, SettingACaptionWithAPlaceholderTurnsThemOn) {
    const std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm, "--name", "Old", "--picture", Copy("project/photo.gif", "Quay.gif")}).code, 0)
        << Stderr();
    ASSERT_EQ(Glimmerdeck({"set", psm, "bCaptionFields=0", "pictureList[0].szCaption=Quay {at} noon"}).code, 0)
        << Stderr();
    EXPECT_EQ(Project(psm).bCaptionFields, 0);
    ASSERT_EQ(Glimmerdeck({"set", psm, "pictureList[*].szCaption={file}"}).code, 0) << Stderr();
    EXPECT_EQ(Project(psm).bCaptionFields, 1);
}

}  // namespace
}  // namespace gd
