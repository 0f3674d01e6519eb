// glimmerdeck make as a process, the way a user meets its failures: interrupted by a real
// signal, killed outright, or writing beyond a file-size limit (a full disk). Nothing the
// user had may be lost and nothing of ours may stay behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/project_file.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct NoMessages : MessageSink {
    void ShowMessage(std::string_view) override {}
};

class MakeProcess : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(GD_RUNTIME_TEMPLATE)) GTEST_SKIP() << "no runtime template in this build";
        std::filesystem::create_directories(folder.path() / "program" / "data");
        std::filesystem::copy_file(GD_RUNTIME_TEMPLATE, folder.File("program/data/data1.dat"));
        std::filesystem::create_directories(folder.path() / "out");
        std::string picture = NoisePicture();
        CParamData project;
        project.szName = "S";
        project.bSelfInstall = 0;
        project.szOutputFolder = folder.File("out");
        // Long names make long log lines: the log of the whole build cannot fit the pipe,
        // so a build whose log is not read cannot end (see Start()).
        for (int i = 0; i < 30; ++i) {
            std::string copy = folder.File("p" + std::to_string(i) + std::string(200, '-') + ".jpg");
            std::filesystem::copy_file(picture, copy);
            project.pictureList.push_back({copy, {}});
        }
        NoMessages messages;
        ASSERT_EQ(SaveProjectFile(folder.File("p.psm"), project, messages), ProjectFileResult::kOk);
        folder.Write("out/S.scr", "previous");
    }

    // A JPEG of noise: large, and slow enough to encode that a build takes a while.
    std::string NoisePicture() {
        CxImage image;
        uint8_t* bits = image.Create(640, 480, 24, kFormatJpeg);
        std::mt19937 random(7);
        for (size_t i = 0; i < image.GetEffWidth() * 480; ++i) bits[i] = uint8_t(random());
        std::vector<uint8_t> jpeg;
        EXPECT_TRUE(image.Encode(jpeg, kFormatJpeg));
        return folder.Write("noise.jpg", jpeg);
    }

    // Starts `glimmerdeck make p.psm --yes` with stdout on a pipe, under a file-size limit
    // when one is given. The pipe holds one page: a child whose log is not read waits
    // before its build can end.
    void Start(rlim_t file_size_limit = RLIM_INFINITY) {
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        ::fcntl(out[0], F_SETPIPE_SZ, 4096);
        const std::string program = folder.File("program"), psm = folder.File("p.psm"), err = folder.File("stderr.txt");
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            ::setenv("GD_PROGRAM_FOLDER", program.c_str(), 1);
            rlimit limit{file_size_limit, file_size_limit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
            ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
            ::execl(GD_GLIMMERDECK, GD_GLIMMERDECK, "make", psm.c_str(), "--yes", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        log_ = ::fdopen(out[0], "r");
    }

    // The next log line, without its line feed; empty at the end.
    std::string Line() {
        char buffer[4096];
        if (!std::fgets(buffer, sizeof buffer, log_)) return {};
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return line;
    }

    std::vector<std::string> RestOfLog() {
        std::vector<std::string> lines;
        for (std::string line = Line(); !line.empty(); line = Line()) lines.push_back(line);
        return lines;
    }

    // Waits for the child; its wait status.
    int Wait() {
        std::fclose(log_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return status;
    }

    void ExpectOnlyThePreviousScreensaver() {
        EXPECT_EQ(FolderEntries(folder.File("out")), std::vector<std::string>{"S.scr"});
        EXPECT_EQ(test::ReadBytes(folder.File("out/S.scr")),
                  std::vector<uint8_t>({'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
    }

    test::TempFolder folder;
    pid_t pid_ = -1;
    FILE* log_ = nullptr;
};

TEST_F(MakeProcess, ASignalEndsTheBuildAndKeepsThePreviousScreensaver) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        Start();
        ASSERT_EQ(Line().rfind("Added picture: ", 0), 0u);  // well under way, far from done
        ::kill(pid_, signal);
        RestOfLog();
        int status = Wait();
        ASSERT_TRUE(WIFSIGNALED(status)) << signal;
        EXPECT_EQ(WTERMSIG(status), signal);
        ExpectOnlyThePreviousScreensaver();
    }
}

TEST_F(MakeProcess, WhatAKilledBuildLeftIsRemovedByTheNext) {
    Start();
    ASSERT_EQ(Line().rfind("Added picture: ", 0), 0u);
    ::kill(pid_, SIGKILL);
    RestOfLog();
    ASSERT_TRUE(WIFSIGNALED(Wait()));
    auto left = FolderEntries(folder.File("out"));
    EXPECT_GT(left.size(), 1u);  // the staging file at least: no handler runs on SIGKILL
    EXPECT_EQ(test::ReadBytes(folder.File("out/S.scr")).size(), 8u);

    Start();
    auto lines = RestOfLog();
    EXPECT_EQ(lines.back(), "The end!");
    int status = Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(FolderEntries(folder.File("out")), std::vector<std::string>{"S.scr"});
    EXPECT_GT(FileSize(folder.File("out/S.scr")), 100000);
}

TEST_F(MakeProcess, AFullDiskFailsTheBuildWithTheSystemsReason) {
    // Room for the template and a little more: the pictures cannot all be written.
    Start(rlim_t(FileSize(GD_RUNTIME_TEMPLATE)) + 150000);
    auto lines = RestOfLog();
    int status = Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.back(), "The end!");
    const std::string reason = "Reason: " + folder.File("out/S.scr") + ": File too large";
    auto at = std::find(lines.begin(), lines.end(), reason);
    ASSERT_NE(at, lines.end()) << lines.end()[-2];
    EXPECT_TRUE(at[-1].rfind("Fail to add picture: ", 0) == 0 || at[-1] == "Fail to write configuration!") << at[-1];
    for (const std::string& line : lines) EXPECT_EQ(line.find("succeed"), std::string::npos) << line;
    ExpectOnlyThePreviousScreensaver();
}

}  // namespace
}  // namespace gd
