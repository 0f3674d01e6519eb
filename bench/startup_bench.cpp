// How long a made screensaver takes to show its first picture, and whether that grows with
// the payload. Makes two screensavers with the maker's command line from generated photos
// of 4000 x 3000: a small one of one picture (about 1 MB of payload) and a large one of
// the same first picture followed by enough others to carry about 200 MB. Then runs each
// full screen (/s) under Wine, in the tests' prefix and display, several times in turn,
// and reads from the runtime's present log (REELHOST_PRESENT_LOG) when its first frame
// reached the window.
//
//   startup_bench [--runs N] [--large-mb MB] [--keep DIR] [--runtime windows|linux]
//
// --runtime linux runs the Linux runtime (reelhost --fullscreen, the same screensaver
// files) on the same virtual display instead of the Windows one under Wine.
//
// Both shows play in order and without transitions, so the first frame is the whole of
// picture 0, the same picture in both: any difference between the two is what the size
// of the payload costs. Prints per screensaver the median, lowest and highest time from
// process start (just before the program is started) to the first present, and the part
// of it after Wine had created the Windows process; then the difference of the medians.
// The machine's load average is printed before and after.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_photos.h"
#include "bench/wine_bench_support.h"
#include "common/random15.h"
#include "imaging/cx_image.h"

namespace fs = std::filesystem;
using namespace gd::bench;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

struct Sample {
    double to_present_ms = -1;       // process start to the first present
    double after_created_ms = -1;    // Wine's Windows process creation to the first present
};

bool g_linux = false;

// One full-screen run: started, waited for until its first present is logged, ended.
Sample RunOnce(const std::string& saver, const std::string& log) {
    fs::remove(log);
    setenv("REELHOST_PRESENT_LOG", g_linux ? log.c_str() : WindowsPath(log).c_str(), 1);
    const std::vector<std::string> command =
        g_linux ? std::vector<std::string>{GD_LINUX_RUNTIME, "--fullscreen", saver}
                : std::vector<std::string>{std::getenv("WINE"), saver, "/s"};
    const long long started = RealtimeMicroseconds();
    pid_t pid = StartQuietly(command);
    Sample s;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(log);
        std::string line;
        if (std::getline(in, line) && line.find("process_created_us=") != std::string::npos) {
            long long present = 0, created = 0;
            if (std::sscanf(line.c_str(), "first_present_us=%lld process_created_us=%lld", &present, &created) == 2) {
                s.to_present_ms = double(present - started) / 1000.0;
                s.after_created_ms = double(present - created) / 1000.0;
            }
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return s;  // ended without a present
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGTERM);
    for (int k = 0; k < 300; ++k) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return s;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return s;
}

struct Saver {
    std::string name;
    std::string path;
    std::vector<Sample> samples;
};

// new, set (in order, no transitions) and make with the maker's command line.
bool MakeSaver(const fs::path& folder, const std::string& name, const std::vector<std::string>& photos,
               std::string* out) {
    fs::create_directories(folder);
    const std::string psm = (folder / (name + ".psm")).string();
    std::vector<std::string> args = {GD_LINUX_MAKER, "new", psm, "--force", "--name", name, "--standard",
                                     "--output-folder", folder.string()};
    for (const auto& p : photos) {
        args.push_back("--picture");
        args.push_back(p);
    }
    if (!RunQuietly(args)) return false;
    if (!RunQuietly({GD_LINUX_MAKER, "set", psm, "bShufflePic=0", "bEffectOn=" + std::string(64, '0'), "nPicturePause=30"}))
        return false;
    if (!RunQuietly({GD_LINUX_MAKER, "make", psm, "--yes"})) return false;
    *out = (folder / (name + ".scr")).string();
    return fs::exists(*out);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 7;
    double large_mb = 200;
    std::string keep;
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--runs" && k + 1 < argc) runs = std::max(1, std::atoi(argv[++k]));
        else if (a == "--large-mb" && k + 1 < argc) large_mb = std::atof(argv[++k]);
        else if (a == "--keep" && k + 1 < argc) keep = argv[++k];
        else if (a == "--runtime" && k + 1 < argc) g_linux = std::string(argv[++k]) == "linux";
        else {
            std::fprintf(stderr, "usage: startup_bench [--runs N] [--large-mb MB] [--keep DIR] [--runtime windows|linux]\n");
            return 2;
        }
    }
    if (!fs::exists(GD_LINUX_MAKER) || !fs::exists(GD_DIST_TEMPLATE)) {
        std::fprintf(stderr, "build the maker and the Windows runtime first (%s, %s)\n", GD_LINUX_MAKER,
                     GD_DIST_TEMPLATE);
        return 2;
    }
    const fs::path work = keep.empty() ? fs::temp_directory_path() / ("gd-startup-bench-" + std::to_string(getpid()))
                                       : fs::path(keep);
    fs::create_directories(work / "photos");
    std::printf("load average at start: %.2f\n", LoadAverage());

    // Picture 0 has little grain (about 1 MB in the payload); the others much (several MB).
    std::printf("generating photos of %dx%d...\n", kWidth, kHeight);
    std::fflush(stdout);
    std::vector<std::string> photos;
    size_t payload = 0;
    {
        gd::CxImage first = Photo(kWidth, kHeight, 0, 8);
        std::string path = (work / "photos" / "photo000.jpg").string();
        size_t bytes = WritePhoto(path, first);
        if (!bytes) return 1;
        photos.push_back(path);
        payload = bytes;
        std::printf("  picture 0: %.2f MB in the payload\n", bytes / 1048576.0);
    }
    const size_t small_payload = payload;
    constexpr int kVariants = 4;  // distinct large pictures; the rest are copies under other names
    std::vector<std::string> variants;
    std::vector<size_t> variant_bytes;
    for (int v = 0; payload < size_t(large_mb * 1048576.0); ++v) {
        char name[32];
        std::snprintf(name, sizeof name, "photo%03d.jpg", v + 1);
        std::string path = (work / "photos" / name).string();
        size_t bytes;
        if (v < kVariants) {
            gd::CxImage image = Photo(kWidth, kHeight, v + 1, 40);
            bytes = WritePhoto(path, image);
            if (!bytes) return 1;
            variants.push_back(path);
            variant_bytes.push_back(bytes);
        } else {
            fs::copy_file(variants[size_t(v) % kVariants], path, fs::copy_options::overwrite_existing);
            bytes = variant_bytes[size_t(v) % kVariants];
        }
        photos.push_back(path);
        payload += bytes;
    }

    std::printf("making the screensavers with %s...\n", GD_LINUX_MAKER);
    std::fflush(stdout);
    Saver small{"small", {}, {}}, large{"large", {}, {}};
    if (!MakeSaver(work / "small", "StartSmall", {photos[0]}, &small.path) ||
        !MakeSaver(work / "large", "StartLarge", photos, &large.path)) {
        std::fprintf(stderr, "making a screensaver failed\n");
        return 1;
    }
    std::printf("  small: %zu picture, %.1f MB file (payload about %.1f MB)\n", size_t(1),
                fs::file_size(small.path) / 1048576.0, small_payload / 1048576.0);
    std::printf("  large: %zu pictures, %.1f MB file\n", photos.size(), fs::file_size(large.path) / 1048576.0);

    if (!EnterWineSession(GD_WINE_SESSION)) {
        std::fprintf(stderr, "cannot start the Wine session (%s)\n", GD_WINE_SESSION);
        return 1;
    }
    setenv("WINEDEBUG", "-all", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::printf("runtime: %s\n", g_linux ? GD_LINUX_RUNTIME : "the Windows runtime under Wine");
    const std::string log = (work / "present.log").string();
    // One run each first, untimed: Wine's first start of a program does extra work.
    RunOnce(small.path, log);
    RunOnce(large.path, log);
    std::printf("running each %d times in turn (load average %.2f)...\n", runs, LoadAverage());
    std::fflush(stdout);
    for (int r = 0; r < runs; ++r) {
        for (Saver* s : {&small, &large}) {
            Sample sample = RunOnce(s->path, log);
            s->samples.push_back(sample);
            std::printf("  %-5s run %d: %8.1f ms to the first present (%.1f ms after the process was created)\n",
                        s->name.c_str(), r + 1, sample.to_present_ms, sample.after_created_ms);
            std::fflush(stdout);
        }
    }

    std::printf("\n%-6s %10s %10s %10s %10s %16s %8s\n", "saver", "file MB", "median ms", "min ms", "max ms",
                "after create ms", "failed");
    double medians[2] = {-1, -1};
    int i = 0;
    for (Saver* s : {&small, &large}) {
        std::vector<double> to, after;
        int failed = 0;
        for (const Sample& sample : s->samples) {
            if (sample.to_present_ms < 0) {
                ++failed;
                continue;
            }
            to.push_back(sample.to_present_ms);
            after.push_back(sample.after_created_ms);
        }
        medians[i++] = Median(to);
        std::printf("%-6s %10.1f %10.1f %10.1f %10.1f %16.1f %8d\n", s->name.c_str(),
                    fs::file_size(s->path) / 1048576.0, Median(to), to.empty() ? -1 : *std::min_element(to.begin(), to.end()),
                    to.empty() ? -1 : *std::max_element(to.begin(), to.end()), Median(after), failed);
    }
    std::printf("large minus small (medians): %.1f ms (goal: at most 200 ms)\n", medians[1] - medians[0]);
    std::printf("large, start to first picture (median): %.1f ms (goal: at most 300 ms)\n", medians[1]);
    std::printf("load average at the end: %.2f\n", LoadAverage());
    if (keep.empty()) fs::remove_all(work);
    return 0;
}
