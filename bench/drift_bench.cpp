// Pan and zoom during a picture's pause, with the real clock: a photo composed with
// smooth scaling, then drifted for the pause frame by frame as the show does, presented
// through a presenter that copies what changed, as a window would. Prints the frames a
// second and the share of one core (CPU time over the pause), for a photo that zooms
// (3:2, fitted) and one that pans (portrait, across the screen's width).
//
//   drift_bench [--pause MS] [--sizes 1920x1080,3840x2160]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_photos.h"
#include "bench/frame_bench_support.h"
#include "common/random15.h"
#include "effects/clock.h"
#include "effects/prepare_frame.h"

namespace {

class OnePhoto : public gd::PictureSource {
public:
    explicit OnePhoto(gd::CxImage photo) : photo_(std::move(photo)) {}
    bool DecodePicture(int32_t, gd::CxImage& image) override {
        image = photo_;
        return true;
    }
    std::optional<gd::CaptionRecord> Caption(int32_t) override { return std::nullopt; }

private:
    gd::CxImage photo_;
};

void Run(int w, int h, int pause_ms, const char* kind, gd::CxImage photo) {
    gd::ShowSettings settings;
    settings.picture_count = 1;
    settings.pan_zoom = true;
    settings.smooth_scaling = true;
    settings.move_picture = false;
    gd::SystemClock clock;
    gd::SlideStage stage(settings, gd::Bitmap(w, h), clock);
    OnePhoto pictures(std::move(photo));
    gd::ShowFrameSource source(pictures, nullptr);
    gd::bench::CopyingPresenter presenter(w, h);
    stage.set_frame_source(&source);
    stage.set_presenter(&presenter);
    stage.ResetStop();
    gd::SeedRandom(5);
    const auto compose0 = std::chrono::steady_clock::now();
    stage.ComposeNextFrame();
    const double compose_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - compose0).count();
    stage.Copy(0, 0, w, h);
    stage.Present();
    const int presents0 = presenter.presents;
    const double cpu0 = gd::bench::ProcessCpuMs();
    const uint32_t t0 = clock.Now();
    int frames = 0;
    for (;;) {
        const uint32_t at = stage.NextFrameTime() - t0;
        if (int(at) >= pause_ms) break;
        if (!stage.DriftFrame(double(at) / pause_ms, int(at), pause_ms)) break;
        ++frames;
    }
    const double wall = double(clock.Now() - t0), cpu = gd::bench::ProcessCpuMs() - cpu0;
    std::printf("%dx%d %-5s compose %6.1f ms  drift: %5d frames in %6.0f ms = %5.1f frames/s, %5d presents, "
                "cpu %7.0f ms = %.2f cores\n",
                w, h, kind, compose_ms, frames, wall, frames * 1000.0 / wall, presenter.presents - presents0, cpu,
                cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
    int pause_ms = 3000;
    std::vector<std::pair<int, int>> sizes{{1920, 1080}, {3840, 2160}};
    for (int k = 1; k < argc; ++k) {
        const std::string a = argv[k];
        if (a == "--pause" && k + 1 < argc) {
            pause_ms = std::atoi(argv[++k]);
        } else if (a == "--sizes" && k + 1 < argc) {
            sizes.clear();
            for (const char* p = argv[++k]; *p;) {
                char* end = nullptr;
                const int w = int(std::strtol(p, &end, 10));
                const int h = int(std::strtol(end + 1, &end, 10));
                sizes.emplace_back(w, h);
                p = *end ? end + 1 : end;
            }
        } else {
            std::fprintf(stderr, "usage: drift_bench [--pause MS] [--sizes WxH,...]\n");
            return 2;
        }
    }
    std::printf("pan and zoom over a pause of %d ms, smooth scaling, presents copied as a window would\n", pause_ms);
    for (auto [w, h] : sizes) {
        Run(w, h, pause_ms, "zoom", gd::bench::Photo(w * 3 / 2, w, 1, 4));
        Run(w, h, pause_ms, "pan", gd::bench::Photo(h, h * 4 / 3 * 2, 2, 4));
    }
    return 0;
}
