// Smooth scaling of a 12-megapixel photo to a 3840 x 2160 screen, as the show composes a
// frame: decode the JPEG, then draw it fitted with area averaging (CxImage::DrawSmooth),
// on one core. Beside it the old drawing (dropped rows and columns, Draw2) for scale,
// and in the same run ImageMagick's `convert photo.jpg -resize 3840x2160 out.bmp` on the
// same file, limited to one thread.
//
//   scaling_bench [photo.jpg]   (without a file, a synthetic photo of 4000 x 3000 is made)
//
// Built twice: scaling_bench decodes with the maker's codecs (libjpeg), scaling_bench_lean
// with the screensaver's (stb_image).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_photos.h"
#include "imaging/cx_image.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Times {
    double decode = 1e9, scale = 1e9, total = 1e9;
};

// Best of `runs`: decode the file, then draw it fitted into a 3840 x 2160 frame.
Times Measure(const std::string& path, bool smooth, int runs) {
    Times best;
    gd::Bitmap frame(3840, 2160);
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        gd::CxImage image;
        if (!image.Load(path)) {
            std::fprintf(stderr, "decode failed: %s\n", image.GetLastError().c_str());
            std::exit(1);
        }
        const auto decoded = Clock::now();
        const double s = std::min(3840.0 / image.GetWidth(), 2160.0 / image.GetHeight());
        const int w = int(image.GetWidth() * s), h = int(image.GetHeight() * s);
        const gd::Rect placed = gd::Rect::FromSize((3840 - w) / 2, (2160 - h) / 2, w, h);
        if (smooth)
            image.DrawSmooth(frame, placed, 0);
        else
            image.Draw2(frame, placed.left, placed.top, w, h);
        const auto end = Clock::now();
        best.decode = std::min(best.decode, Milliseconds(decoded - start));
        best.scale = std::min(best.scale, Milliseconds(end - decoded));
        best.total = std::min(best.total, Milliseconds(end - start));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const auto dir = std::filesystem::temp_directory_path() / "gd_scaling_bench";
    std::filesystem::create_directories(dir);
    std::string photo = argc > 1 ? argv[1] : (dir / "photo.jpg").string();
    if (argc <= 1) {
        gd::CxImage image = gd::bench::Photo(4000, 3000, 1, 6);
        if (!gd::bench::WritePhoto(photo, image)) {
            std::fprintf(stderr, "cannot make the sample photo\n");
            return 1;
        }
    }
    const int runs = 5;
    std::printf("photo: %s (%ju bytes), to 3840x2160, one core, best of %d\n", photo.c_str(),
                std::uintmax_t(std::filesystem::file_size(photo)), runs);
    const Times smooth = Measure(photo, true, runs), nearest = Measure(photo, false, runs);
    std::printf("smooth  (area averaging): %7.1f ms  (decode %.1f, scale %.1f)\n", smooth.total, smooth.decode,
                smooth.scale);
    std::printf("nearest (old drawing):    %7.1f ms  (decode %.1f, scale %.1f)\n", nearest.total, nearest.decode,
                nearest.scale);

    const char* convert = "/usr/bin/convert";
    if (!std::filesystem::exists(convert)) {
        std::printf("ImageMagick not installed: no comparison\n");
        return 0;
    }
    const std::string out = (dir / "convert.bmp").string();
    const std::string command =
        std::string(convert) + " -limit thread 1 '" + photo + "' -resize 3840x2160 '" + out + "'";
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "convert failed\n");
            return 1;
        }
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    std::printf("convert -resize 3840x2160 (one thread, writes a BMP): %7.1f ms\n", best);
    std::printf("ratio convert / smooth: %.2f (above 1: ours is faster)\n", best / smooth.total);
    return 0;
}
