// Make SCR on large projects: 50 and 200 generated photos of 3000x2000, each build in its
// own process so its peak memory can be read. Prints time, output size and peak memory
// per build, and the time ImageMagick takes to re-encode the same pictures one by one
// (`/usr/bin/convert IN -quality 75 OUT`) as the baseline.
//
// Then both makers' command lines on the same pictures (20, 50 and 200, as JPEG and as HEIC
// written from them by heif-enc when it is installed): `glimmerdeck make`
// on Linux and `glimmerdeck.com make` of the Windows maker under Wine, each timed from
// start to exit (wall, user and system time of the process and what it waited for), and
// how many times the Linux time the Windows one takes. Before them, the start and end of
// each maker alone (`glimmerdeck.com --help`): what Wine costs a program that does nothing.
//
//   project_build_bench [--makers] [TEMPLATE]
//        --makers: only the two makers' command lines
//        TEMPLATE: default the program folder's data/data1.dat, or before that is built, a
//                  test executable
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/random15.h"
#include "imaging/cx_image.h"
#include "maker/project/build_hooks.h"
#include "maker/project/editor_target.h"
#include "maker/project/file_io.h"
#include "maker/project/picture_encoding.h"
#include "bench/bench_photos.h"
#include "bench/wine_bench_support.h"
#include "maker/project/saver_builder.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 3000, kHeight = 2000;
constexpr int kVariants = 8;  // distinct pictures; the rest are copies under other names

// A photo-like picture with grain, so JPEG sizes are real.
bool WritePhoto(const std::string& path, int variant) {
    gd::CxImage image = gd::bench::Photo(kWidth, kHeight, variant, 16);
    if (!image.IsValid()) return false;
    std::vector<uint8_t> jpeg;
    image.SetJpegQuality(92);
    return image.Encode(jpeg, gd::kFormatJpeg) && gd::WriteFileReplacing(path, jpeg);
}

class Yes : public gd::BuildQuestions {
public:
    bool Ask(const std::string&) override { return false; }
    void ShowMessage(const std::string&) override {}
};

// The child's whole job: build and report the number of pictures written by exit code.
int BuildInChild(const std::vector<std::string>& photos, const std::string& program, const std::string& out) {
    gd::CParamData project;
    project.szName = "Bench";
    project.szOutputFolder = out;
    project.bSelfInstall = 0;
    for (const auto& p : photos) project.AddPicture(p, {});
    gd::CxPictureEncoder encoder;
    gd::EditorTargetFactory targets;
    Yes questions;
    gd::BuildLogMailbox log;
    gd::CSaverBuilder builder(project, program, log, {encoder, targets, questions, gd::HostScreensaverPlatform(), 2});
    builder.Start();
    std::string line;
    while (log.WaitNext(&line) == gd::BuildLogMailbox::Wait::kLine) {
    }
    builder.Join();
    return builder.Succeeded() && builder.PictureCount() == int(photos.size()) ? 0 : 1;
}

struct Measure {
    double seconds = 0;
    long peak_kb = 0;
    bool ok = false;
};

template <class Body> Measure InChild(Body body) {
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Measure m;
    m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    m.peak_kb = usage.ru_maxrss;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return m;
}

struct Times {
    double wall = -1;  // negative: the program failed
    double user = 0;
    double system = 0;
};

double Seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

// Runs a program to its end; its times.
Times RunTimed(const std::vector<std::string>& argv, bool quiet) {
    auto start = Clock::now();
    pid_t pid = gd::bench::StartProgram(argv, quiet);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Times t;
    t.wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) t.wall = -1;
    t.user = Seconds(usage.ru_utime);
    t.system = Seconds(usage.ru_stime);
    return t;
}

double RunSeconds(const std::vector<std::string>& argv, bool quiet) { return RunTimed(argv, quiet).wall; }

std::string WindowsPath(const std::string& path) {
    std::string out = "Z:" + path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

// One maker's command line: `new` with the pictures (untimed), then `make`, timed.
// `launcher` runs the program (empty for a native one); `path` spells a path for it.
struct Maker {
    std::vector<std::string> launcher;
    std::string program;
    std::string (*path)(const std::string&);
};

Times CommandLineTimes(const Maker& maker, const std::vector<std::string>& photos, const fs::path& folder) {
    fs::create_directories(folder);
    auto command = [&](std::vector<std::string> args) {
        std::vector<std::string> argv = maker.launcher;
        argv.push_back(maker.program);
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    };
    std::string psm = maker.path((folder / "bench.psm").string());
    std::vector<std::string> args = {"new", psm, "--force", "--name", "Bench", "--standard",
                                     "--output-folder", maker.path(folder.string())};
    for (const auto& p : photos) {
        args.push_back("--picture");
        args.push_back(maker.path(p));
    }
    if (RunSeconds(command(args), true) < 0) return {};
    return RunTimed(command({"make", psm, "--yes"}), true);
}

Times StartAndEnd(const Maker& maker) {
    std::vector<std::string> argv = maker.launcher;
    argv.insert(argv.end(), {maker.program, "--help"});
    return RunTimed(argv, true);
}

void PrintTimes(const char* what, const Times& linux_t, const Times& windows_t) {
    std::printf("%-10s %8.2f %6.2f %6.2f   %8.2f %6.2f %6.2f   %6.2fx %6.2fx %6.2fx\n", what, linux_t.wall, linux_t.user,
                linux_t.system, windows_t.wall, windows_t.user, windows_t.system, windows_t.wall / linux_t.wall,
                windows_t.user / std::max(linux_t.user, 1e-3), windows_t.system / std::max(linux_t.system, 1e-3));
}

double ImageMagickSeconds(const std::vector<std::string>& photos, const std::string& folder) {
    auto start = Clock::now();
    for (size_t i = 0; i < photos.size(); ++i) {
        std::string out = folder + "/im" + std::to_string(i) + ".jpg";
        pid_t pid = fork();
        if (pid == 0) {
            execl("/usr/bin/convert", "convert", photos[i].c_str(), "-quality", "75", out.c_str(), (char*)nullptr);
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        fs::remove(out);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const bool makers_only = argc > 1 && std::string(argv[1]) == "--makers";
    if (makers_only) --argc, ++argv;
    std::string template_path = argc > 1 ? argv[1] : fs::exists(GD_DIST_TEMPLATE) ? GD_DIST_TEMPLATE : GD_PROBE_TEMPLATE;
    if (!fs::exists(template_path)) {
        std::fprintf(stderr, "no template at %s (build the Windows runtime first, or name one)\n",
                     template_path.c_str());
        return 2;
    }
    fs::path work = fs::temp_directory_path() / ("gd-build-bench-" + std::to_string(getpid()));
    fs::create_directories(work / "program" / "data");
    fs::create_directories(work / "photos");
    fs::create_directories(work / "out");
    fs::copy_file(template_path, work / "program" / "data" / "data1.dat");

    std::printf("generating 200 photos of %dx%d...\n", kWidth, kHeight);
    std::fflush(stdout);
    std::vector<std::string> photos;
    for (int i = 0; i < 200; ++i) {
        std::string path = (work / "photos" / ("photo" + std::to_string(i) + ".jpg")).string();
        bool ok = i < kVariants ? WritePhoto(path, i) : (fs::copy_file(photos[i % kVariants], path), true);
        if (!ok) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        photos.push_back(path);
    }

    if (!makers_only) std::printf("%8s %10s %12s %12s %14s %8s\n", "pictures", "build s", "output MB", "peak MB",
                                  "ImageMagick s", "ratio");
    for (size_t count : {size_t(50), size_t(200)}) {
        if (makers_only) break;
        std::vector<std::string> set(photos.begin(), photos.begin() + long(count));
        std::string out = (work / "out").string();
        Measure build = InChild([&] { return BuildInChild(set, (work / "program").string(), out); });
        struct stat st{};
        stat((out + "/Bench.scr").c_str(), &st);
        double baseline = ImageMagickSeconds(set, out);
        std::printf("%8zu %10.2f %12.1f %12.1f %14.2f %7.2fx%s\n", count, build.seconds,
                    double(st.st_size) / 1048576.0, double(build.peak_kb) / 1024.0, baseline,
                    baseline / build.seconds, build.ok ? "" : "  (build failed)");
        std::fflush(stdout);
    }

    const Maker linux_maker{{}, GD_LINUX_MAKER, [](const std::string& p) { return p; }};
    const Maker windows_maker{{GD_WINE_RUN}, GD_WINDOWS_MAKER, WindowsPath};
    if (!fs::exists(GD_WINDOWS_MAKER)) {
        std::printf("\nno Windows maker at %s: no comparison\n", GD_WINDOWS_MAKER);
        fs::remove_all(work);
        return 0;
    }
    std::printf("\nload average: %.2f\n", gd::bench::LoadAverage());
    std::printf("%-10s %8s %6s %6s   %8s %6s %6s   %7s %7s %7s\n", "pictures", "Linux s", "user", "sys", "Wine s", "user",
                "sys", "wall", "user", "sys");
    // The first run under Wine starts its server; it is not timed.
    StartAndEnd(windows_maker);
    PrintTimes("--help", StartAndEnd(linux_maker), StartAndEnd(windows_maker));
    for (const gd::bench::PhotoFormat& format : {gd::bench::kJpegPhotos, gd::bench::kHeicPhotos}) {
        std::vector<std::string> set_photos;
        if (!gd::bench::Installed(format) ||
            !gd::bench::WritePhotoSet(format, photos, kVariants, work / format.name, set_photos)) {
            std::printf("%s: skipped (%s cannot write them)\n", format.name, format.tool);
            continue;
        }
        std::printf("%s\n", format.name);
        for (size_t count : {size_t(20), size_t(50), size_t(200)}) {
            std::vector<std::string> set(set_photos.begin(), set_photos.begin() + long(count));
            const Times linux_t = CommandLineTimes(linux_maker, set, work / "linux");
            const Times windows_t = CommandLineTimes(windows_maker, set, work / "windows");
            if (linux_t.wall < 0 || windows_t.wall < 0) {
                std::printf("%-10zu a maker failed\n", count);
                continue;
            }
            PrintTimes(std::to_string(count).c_str(), linux_t, windows_t);
            std::fflush(stdout);
        }
    }
    std::printf("load average: %.2f\n", gd::bench::LoadAverage());
    fs::remove_all(work);
    return 0;
}
