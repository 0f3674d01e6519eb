// The project sub-commands run as the program itself: exit codes, outputs and files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "maker/project/message_sink.h"
#include "maker/project/project_file.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct Outcome {
    int code = -1;
    std::string out;
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

    test::TempFolder folder;
};

TEST_F(Commands, NewShowAndSetWorkOnOneProjectFile) {
    std::string a = folder.Write("a.jpg", "x"), b = folder.Write("b.gif", "x"), m = folder.Write("m.wav", "x");
    std::string psm = folder.File("p.psm");
    Outcome made = Glimmerdeck({"new", psm, "--name", "Show", "--picture", a, "--picture", b, "--picture",
                            folder.File("./a.jpg"), "--picture", folder.File("missing.png"), "--music", m,
                            "--output-folder", folder.path().string(), "--standard"});
    ASSERT_EQ(made.code, 0) << Stderr();
    EXPECT_NE(Stderr().find(folder.File("missing.png") + " is not exists!"), std::string::npos);
    EXPECT_NE(Stderr().find("already listed"), std::string::npos);

    EXPECT_EQ(Glimmerdeck({"set", psm, "nPicturePause=5", "szBanner=Hello", "pictureList[1].szCaption=Gif"}).code, 0);
    Outcome shown = Glimmerdeck({"show", psm});
    ASSERT_EQ(shown.code, 0);
    EXPECT_NE(shown.out.find("pictureList.count=2\n"), std::string::npos);
    EXPECT_NE(shown.out.find("pictureList[0].szFile=" + a + "\n"), std::string::npos);
    EXPECT_NE(shown.out.find("pictureList[1].szCaption=Gif\n"), std::string::npos);
    EXPECT_NE(shown.out.find("musicList[0]=" + m + "\n"), std::string::npos);
    EXPECT_NE(shown.out.find("szName=Show\n"), std::string::npos);
    EXPECT_NE(shown.out.find("bSelfInstall=0\n"), std::string::npos);
    EXPECT_NE(shown.out.find("nPicturePause=5\n"), std::string::npos);
    EXPECT_NE(shown.out.find("szBanner=Hello\n"), std::string::npos);
    Outcome json = Glimmerdeck({"show", psm, "--json"});
    EXPECT_EQ(json.code, 0);
    EXPECT_NE(json.out.find("\"nPicturePause\":5,"), std::string::npos);

    // A refused key or value changes nothing in the file.
    auto before = test::ReadBytes(psm);
    Outcome refused = Glimmerdeck({"set", psm, "nPicturePause=7", "nPictureWait=1"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(Stderr().find("unknown key 'nPictureWait'"), std::string::npos);
    EXPECT_EQ(Glimmerdeck({"set", psm, "bEffectOn=2"}).code, 2);
    EXPECT_EQ(test::ReadBytes(psm), before);

    // new does not overwrite a project unless told to.
    EXPECT_EQ(Glimmerdeck({"new", psm}).code, 2);
    EXPECT_EQ(test::ReadBytes(psm), before);
}

TEST_F(Commands, MakeReportsUsageProjectAndBuildFailuresByExitCode) {
    EXPECT_EQ(Glimmerdeck({"make"}).code, 2);
    EXPECT_EQ(Glimmerdeck({"make", folder.File("none.psm")}).code, 2);
    folder.Write("bad.psm", "short");
    EXPECT_EQ(Glimmerdeck({"make", folder.File("bad.psm")}).code, 2);
    EXPECT_EQ(Glimmerdeck({"make", "--frobnicate"}).code, 2);

    std::string psm = folder.File("p.psm");
    ASSERT_EQ(Glimmerdeck({"new", psm}).code, 0);
    Outcome no_name = Glimmerdeck({"make", psm});
    EXPECT_EQ(no_name.code, 1);
    EXPECT_NE(Stderr().find("Screensaver name is needed!"), std::string::npos);

    // No template in the program folder: the build fails with its log, ending "The end!".
    std::string a = folder.Write("a.jpg", "x");
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
    EXPECT_NE(Stderr().find("S.scr already exists."), std::string::npos);
    EXPECT_EQ(test::ReadBytes(folder.File("S.scr")), std::vector<uint8_t>({'o', 'l', 'd'}));
}

}  // namespace
}  // namespace gd
