// Decode and re-encode of a 4000 x 3000 photo, the work the maker's build does for every
// picture: load the file with detection, encode JPEG at quality 75 into memory, write it.
// In the same run, when ImageMagick is installed, times `convert in.jpg -quality 75
// out.jpg` on the same file and prints both and their ratio.
//
//   bench_imaging [photo.jpg]   (without a file, a synthetic photo of our own is made)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/random15.h"
#include "imaging/cx_image.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A photo-like picture: soft colour gradients, large shapes and a little sensor noise, so
// JPEG has about as much to do as with a real photo.
bool MakePhoto(const std::string& path) {
    gd::CxImage image;
    const int w = 4000, h = 3000;
    uint8_t* bits = image.Create(w, h, 24);
    if (!bits) return false;
    gd::SeedRandom(12345);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bits + size_t(h - 1 - y) * image.GetEffWidth();
        for (int x = 0; x < w; ++x) {
            double sky = double(y) / h, wave = std::sin(x * 0.004 + y * 0.002) * 0.5 + 0.5;
            bool hill = y > h * 0.6 + std::sin(x * 0.002) * h * 0.1;
            int noise = gd::NextRandom() % 17 - 8;
            int r = hill ? int(60 + 80 * wave) : int(90 + 120 * (1 - sky));
            int g = hill ? int(110 + 90 * wave) : int(140 + 90 * (1 - sky));
            int b = hill ? int(40 + 30 * sky) : int(200 + 50 * wave);
            row[x * 3] = uint8_t(std::clamp(b + noise, 0, 255));
            row[x * 3 + 1] = uint8_t(std::clamp(g + noise, 0, 255));
            row[x * 3 + 2] = uint8_t(std::clamp(r + noise, 0, 255));
        }
    }
    image.SetJpegQuality(92);
    std::vector<uint8_t> bytes;
    if (!image.Encode(bytes, gd::kFormatJpeg)) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

struct Facade {
    double decode = 0, encode = 0, total = 0;
};

bool RunFacade(const std::string& in, const std::string& out, Facade& t) {
    auto start = Clock::now();
    gd::CxImage image;
    if (!image.Load(in, gd::kFormatNone)) {
        std::fprintf(stderr, "decode failed: %s\n", image.GetLastError().c_str());
        return false;
    }
    auto decoded = Clock::now();
    std::vector<uint8_t> bytes;
    if (!image.Encode(bytes, gd::kFormatJpeg)) return false;
    std::FILE* f = std::fopen(out.c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    auto end = Clock::now();
    t = {Milliseconds(decoded - start), Milliseconds(end - decoded), Milliseconds(end - start)};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const auto dir = std::filesystem::temp_directory_path() / "gd_imaging_bench";
    std::filesystem::create_directories(dir);
    std::string photo = argc > 1 ? argv[1] : (dir / "photo.jpg").string();
    if (argc <= 1 && !MakePhoto(photo)) {
        std::fprintf(stderr, "cannot make the sample photo\n");
        return 1;
    }
    const std::string ours = (dir / "facade.jpg").string(), theirs = (dir / "convert.jpg").string();
    const int runs = 5;

    Facade best{1e9, 1e9, 1e9};
    for (int i = 0; i < runs; ++i) {
        Facade t;
        if (!RunFacade(photo, ours, t)) return 1;
        if (t.total < best.total) best = t;
    }
    std::printf("photo: %s (%ju bytes)\n", photo.c_str(), std::uintmax_t(std::filesystem::file_size(photo)));
    std::printf("facade   decode + JPEG q75 encode: %8.1f ms  (decode %.1f, encode + write %.1f), best of %d\n", best.total,
                best.decode, best.encode, runs);

    const char* convert = "/usr/bin/convert";
    if (!std::filesystem::exists(convert)) {
        std::printf("ImageMagick not installed: no comparison\n");
        return 0;
    }
    const std::string command = std::string(convert) + " '" + photo + "' -quality 75 '" + theirs + "'";
    double convert_best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "convert failed\n");
            return 1;
        }
        convert_best = std::min(convert_best, Milliseconds(Clock::now() - start));
    }
    std::printf("convert  -quality 75:              %8.1f ms, best of %d\n", convert_best, runs);
    std::printf("ratio convert / facade: %.2f (above 1: the facade is faster)\n", convert_best / best.total);
    std::printf("output sizes: facade %ju bytes, convert %ju bytes\n", std::uintmax_t(std::filesystem::file_size(ours)),
                std::uintmax_t(std::filesystem::file_size(theirs)));
    return 0;
}
