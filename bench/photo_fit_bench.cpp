// Phone-sized photos through the maker, against the usual command-line tools on the same
// files, one run, one machine:
//   fitted    - COUNT photos of 4000 x 3000 (12 megapixels) made into a screensaver fitted
//               to 1920 x 1080 by `glimmerdeck make` (every core the maker uses), against
//               ImageMagick's `convert IN -resize 1920x1080 -quality 75 OUT` one by one;
//   per photo - one photo decoded and re-encoded at quality 75 without a box, by the
//               maker's picture encoder on one thread, against `djpeg IN | cjpeg -quality
//               75`, and the same fitted against `convert -resize`; the median of several
//               photos each.
// Figures only, with the machine's load before and after: nothing here passes or fails.
//
// Photo sets: JPEG and HEIC (`heif-enc -q 90` of the JPEGs); a set whose writer is not
// installed, or that the maker refuses, is reported and skipped. The per-photo comparison
// with djpeg | cjpeg is for JPEG only.
//
//   photo_fit_bench [COUNT]   (default 200; 8 distinct photos, the rest copies of them)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_photos.h"
#include "bench/wine_bench_support.h"
#include "imaging/cx_image.h"
#include "maker/project/image_type.h"
#include "maker/project/picture_encoding.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kVariants = 8;
constexpr int kFitWidth = 1920, kFitHeight = 1080;
constexpr int kPerPhotoSamples = 8;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Runs `sh -c command`; its wall time, or a negative one when it failed.
double ShellSeconds(const std::string& command) {
    const auto start = Clock::now();
    return std::system(command.c_str()) == 0 ? Seconds(start) : -1;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

constexpr gd::bench::PhotoFormat kSets[] = {gd::bench::kJpegPhotos, gd::bench::kHeicPhotos};

// `glimmerdeck make` of a new project with the photos, fitted or not; its wall time.
double MakerSeconds(const std::vector<std::string>& photos, const fs::path& folder, bool fitted) {
    fs::create_directories(folder);
    const std::string psm = (folder / "bench.psm").string();
    std::vector<std::string> args = {GD_LINUX_MAKER, "new", psm, "--force", "--name", "Bench", "--standard",
                                     "--output-folder", folder.string()};
    for (const auto& p : photos) args.insert(args.end(), {"--picture", p});
    if (!gd::bench::RunQuietly(args)) return -1;
    if (fitted && !gd::bench::RunQuietly({GD_LINUX_MAKER, "set", psm, "nFitWidth=" + std::to_string(kFitWidth),
                                          "nFitHeight=" + std::to_string(kFitHeight)}))
        return -1;
    const auto start = Clock::now();
    if (!gd::bench::RunQuietly({GD_LINUX_MAKER, "make", psm, "--yes"})) return -1;
    return Seconds(start);
}

double ConvertAllSeconds(const std::vector<std::string>& photos, const fs::path& folder) {
    fs::create_directories(folder);
    const std::string out = (folder / "convert.jpg").string();
    const auto start = Clock::now();
    for (const auto& p : photos) {
        const std::string command = "/usr/bin/convert " + Quoted(p) + " -resize " + std::to_string(kFitWidth) + "x" +
                                    std::to_string(kFitHeight) + " -quality 75 " + Quoted(out);
        if (std::system(command.c_str()) != 0) return -1;
    }
    return Seconds(start);
}

// The maker's picture encoder on this thread: one photo to its entry.
double EncoderSeconds(const std::string& photo, int box_width, int box_height) {
    const auto start = Clock::now();
    const gd::PictureEntry entry =
        gd::CxPictureEncoder().Encode(photo, gd::ImageTypeFromPath(photo), gd::PictureShape{0, box_width, box_height});
    return entry.outcome == gd::PictureOutcome::kOk ? Seconds(start) : -1;
}

void PrintRatio(const char* what, double ours, double theirs, const char* their_name) {
    if (ours < 0 || theirs < 0) {
        std::printf("%-34s %10s %10s   (a step failed)\n", what, "-", "-");
        return;
    }
    std::printf("%-34s %9.3fs %9.3fs   %s takes %.2fx the maker's time\n", what, ours, theirs, their_name, theirs / ours);
}

// djpeg reads only JPEG: other sets compare the fitted encoding alone.
void PerPhoto(const std::vector<std::string>& photos, const fs::path& folder, bool jpeg) {
    std::vector<double> unfitted, pipeline, fitted, resize;
    const std::string out = (folder / "per_photo.jpg").string();
    for (int i = 0; i < kPerPhotoSamples && i < int(photos.size()); ++i) {
        const std::string& p = photos[size_t(i % kVariants)];
        if (jpeg) {
            unfitted.push_back(EncoderSeconds(p, 0, 0));
            pipeline.push_back(ShellSeconds("djpeg " + Quoted(p) + " | cjpeg -quality 75 > " + Quoted(out)));
        }
        fitted.push_back(EncoderSeconds(p, kFitWidth, kFitHeight));
        resize.push_back(ShellSeconds("/usr/bin/convert " + Quoted(p) + " -resize 1920x1080 -quality 75 " + Quoted(out)));
    }
    std::printf("\nper photo, median of %zu (the maker's encoder on one thread):\n", fitted.size());
    if (jpeg)
        PrintRatio("unfitted vs djpeg | cjpeg -q 75", gd::bench::Median(unfitted), gd::bench::Median(pipeline),
               "djpeg | cjpeg");
    PrintRatio("fitted vs convert -resize", gd::bench::Median(fitted), gd::bench::Median(resize), "convert");
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? size_t(std::max(1, std::atoi(argv[1]))) : 200;
    const fs::path work = fs::temp_directory_path() / ("gd-photo-fit-bench-" + std::to_string(getpid()));
    fs::create_directories(work / "jpeg");
    std::printf("load average before: %.2f\n", gd::bench::LoadAverage());
    std::printf("generating %zu photos of %d x %d (%d distinct)...\n", count, kWidth, kHeight, kVariants);
    std::fflush(stdout);
    std::vector<std::string> jpegs;
    for (size_t i = 0; i < count; ++i) {
        const std::string path = (work / "jpeg" / ("photo" + std::to_string(i) + ".jpg")).string();
        if (i < size_t(kVariants)) {
            gd::CxImage photo = gd::bench::Photo(kWidth, kHeight, int(i), 12);
            if (!gd::bench::WritePhoto(path, photo)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
        } else {
            fs::copy_file(jpegs[i % kVariants], path);
        }
        jpegs.push_back(path);
    }

    for (const gd::bench::PhotoFormat& set : kSets) {
        if (!gd::bench::Installed(set)) {
            std::printf("\n%s: skipped (%s is not installed)\n", set.name, set.tool);
            continue;
        }
        std::vector<std::string> photos;
        if (!gd::bench::WritePhotoSet(set, jpegs, kVariants, work / set.name, photos)) {
            std::printf("\n%s: skipped (cannot write the photos)\n", set.name);
            continue;
        }
        std::printf("\n%s, %zu photos:\n", set.name, photos.size());
        std::fflush(stdout);
        const double fitted = MakerSeconds(photos, work / "fitted", true);
        if (fitted < 0) {
            std::printf("  the maker cannot make these photos (does it read %s?)\n", set.name);
            continue;
        }
        const double convert = ConvertAllSeconds(photos, work / "convert");
        PrintRatio("fitted to 1920x1080, whole make", fitted, convert, "convert one by one");
        const double unfitted = MakerSeconds(photos, work / "unfitted", false);
        std::printf("%-34s %9.3fs   (%.3fs a photo)\n", "unfitted, whole make", unfitted, unfitted / double(photos.size()));
        PerPhoto(photos, work, set.writer == nullptr);
        std::fflush(stdout);
    }
    std::printf("\nload average after: %.2f\n", gd::bench::LoadAverage());
    fs::remove_all(work);
    return 0;
}
