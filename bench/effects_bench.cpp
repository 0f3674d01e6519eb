// Plays every effect on full-HD and 4K windows with the real clock and prints how long
// each took against its duration D, the drawing it did, the presents per second and the
// CPU time the process spent from the frame's start time to the effect's end. A
// presenter copies the dirty rectangles into a second buffer, as a real window would
// cost; "frames" counts the window pixels drawn and "shown" those presented, in frames.
//
//   effects_bench [--duration MS] [--cap X] [--sizes 1920x1080,3840x2160] [--effects 1,37]
//
// "cores" is that CPU time over the time the effect ran (at least D): 1.00 is one core
// kept busy. Each size ends with the effects that miss the show's budget: more than half
// a core, or fewer than 55 presents a second where the effect has at least 55 steps a
// second to show. An effect still running at cap x D is stopped and reported as "> cap".
// The last lines read `worst wall/D: X.XX (NAME at WxH)` and `worst cores: X.XX (NAME at
// WxH)` for scripts.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "bench/effect_timing.h"
#include "bench/frame_bench_support.h"
#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "raster/presenter.h"
#include "effects/slide_stage.h"

namespace {

using gd::Bitmap;
using gd::Pixel;
using gd::Rect;

constexpr double kCoreBudget = 0.5;       // of one core, at most, for every effect
constexpr double kPresentsPerSecond = 55;  // at least, where the effect has the steps

using gd::bench::CopyingPresenter;
using gd::bench::MemcpyFrameMs;


}  // namespace

int main(int argc, char** argv) {
    int duration = 2000;
    double cap = 10.0;
    std::vector<int> sizes{1920, 1080, 3840, 2160};
    std::vector<int> ids;
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--duration" && k + 1 < argc) duration = std::atoi(argv[++k]);
        else if (a == "--cap" && k + 1 < argc) cap = std::atof(argv[++k]);
        else if (a == "--sizes" && k + 1 < argc) sizes = gd::bench::ParseNumbers(argv[++k]);
        else if (a == "--effects" && k + 1 < argc) ids = gd::bench::ParseNumbers(argv[++k]);
        else {
            std::fprintf(stderr, "usage: effects_bench [--duration MS] [--cap X] [--sizes WxH,...] [--effects ID,...]\n");
            return 2;
        }
    }
    if (ids.empty())
        for (int id = 1; id <= gd::kEffectCount; ++id) ids.push_back(id);

    double worst = -1, worst_cores = -1;
    std::string worst_text = "none", worst_cores_text = "none";
    for (size_t s = 0; s + 1 < sizes.size(); s += 2) {
        const int w = sizes[s], h = sizes[s + 1];
        std::printf("%dx%d, D = %d ms, memcpy of one frame: %.2f ms\n", w, h, duration, MemcpyFrameMs(w, h));
        std::printf("%3s  %-24s %8s %7s %9s %9s %9s %6s %14s %9s %9s\n", "id", "effect", "wall/D", "steps", "presents",
                    "pres/s", "cpu ms", "cores", "pixels", "frames", "shown");
        std::string misses;
        for (int id : ids) {
            CopyingPresenter presenter(w, h);
            const gd::bench::EffectTiming t = gd::bench::TimeEffect(id, w, h, duration, cap, presenter);
            const double ms = t.wall_ms, cpu_ms = t.cpu_ms;
            const bool capped = t.capped;
            double ratio = ms / duration;
            char wall[32];
            if (capped) std::snprintf(wall, sizeof wall, "> %.0f", cap);
            else std::snprintf(wall, sizeof wall, "%.2f", ratio);
            // Per second of the effect's run, which lasts D unless it falls behind.
            const double run_s = t.run_s(duration);
            double presents_per_s = presenter.presents / run_s;
            double cores = cpu_ms / 1e3 / run_s;
            std::printf("%3d  %-24s %8s %7d %9d %9.1f %9.1f %6.2f %14lld %9.1f %9.1f\n", id,
                        std::string(gd::EffectName(id)).c_str(), wall, t.steps, presenter.presents,
                        presents_per_s, cpu_ms, cores, (long long)t.pixels, double(t.pixels) / (double(w) * h),
                        double(presenter.copied) / (double(w) * h));
            std::fflush(stdout);
            const std::string where = std::string(gd::EffectName(id)) + " at " + std::to_string(w) + "x" + std::to_string(h);
            if (ratio > worst) {
                worst = ratio;
                worst_text = where;
            }
            if (cores > worst_cores) {
                worst_cores = cores;
                worst_cores_text = where;
            }
            // An effect with fewer steps a second than the goal cannot present more often.
            const bool enough_steps = t.steps * 1e3 / duration >= kPresentsPerSecond;
            if (cores > kCoreBudget || (enough_steps && presents_per_s < kPresentsPerSecond))
                misses += " " + std::to_string(id);
        }
        std::printf("over budget at %dx%d (> %.2f cores, or < %.0f presents/s with the steps for it):%s\n", w, h,
                    kCoreBudget, kPresentsPerSecond, misses.empty() ? " none" : misses.c_str());
    }
    std::printf("worst wall/D: %.2f (%s)\n", worst, worst_text.c_str());
    std::printf("worst cores: %.2f (%s)\n", worst_cores, worst_cores_text.c_str());
    return 0;
}
