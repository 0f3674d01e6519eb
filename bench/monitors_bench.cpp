// Several monitors showing different pictures at once: every effect on two (or more)
// stages of one size, each on a thread of its own as the shows of a monitor each are,
// with the real clock. Each stage starts its transition at the same moment from a picture
// of its own; the figures are how long each took against its duration D (the slowest
// stage), the fewest presents a second a stage made, and the CPU time of the whole
// process over the time they ran, in cores.
//
//   monitors_bench [--duration MS] [--cap X] [--size 3840x2160] [--stages 2] [--effects 1,37]
//
// An effect is on schedule when every stage ends within 5 % of D; the budget for all
// stages together is one core. The last lines read `worst wall/D: X.XX (NAME)` and
// `worst cores: X.XX (NAME)` for scripts.
#include <algorithm>
#include <barrier>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/frame_bench_support.h"
#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/slide_stage.h"

namespace {

using gd::Bitmap;
using gd::Pixel;
using gd::bench::CopyingPresenter;
using gd::bench::ProcessCpuMs;
using Instant = std::chrono::steady_clock::time_point;

constexpr double kLateBudget = 1.05;  // wall / D
constexpr double kCoreBudget = 1.0;   // every stage together

// A picture with detail everywhere, different for each stage.
Bitmap Picture(int w, int h, int which) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.set_pixel(x, y, Pixel(((x + 13 * which) * 7) & 0xFF) << 16 | Pixel(((y + 29 * which) * 3) & 0xFF) << 8 |
                                  Pixel((0x40 + 0x50 * which) & 0xFF));
    return b;
}

// Composes the stage's own picture, then waits until every stage has composed, so the
// transitions all start at once.
class SharedStart : public gd::FrameSource {
public:
    SharedStart(const Bitmap& picture, std::function<void()> wait_for_all)
        : picture_(picture), wait_for_all_(std::move(wait_for_all)) {}
    bool ComposeNext(gd::SlideStage& stage) override {
        Bitmap& f = stage.frame();
        for (int y = 0; y < f.height(); ++y) std::copy(picture_.row(y), picture_.row(y) + f.width(), f.row(y));
        stage.placed = stage.client_rect();
        wait_for_all_();
        stage.start_time = stage.clock().Now();
        started_at = std::chrono::steady_clock::now();
        return true;
    }
    Instant started_at;

private:
    const Bitmap& picture_;
    std::function<void()> wait_for_all_;
};

struct StageRun {
    double wall_ms = 0;
    int presents = 0;
    bool capped = false;
};

}  // namespace

int main(int argc, char** argv) {
    int duration = 2000, stages = 2;
    double cap = 10.0;
    std::vector<int> size{3840, 2160};
    std::vector<int> ids;
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--duration" && k + 1 < argc) duration = std::atoi(argv[++k]);
        else if (a == "--cap" && k + 1 < argc) cap = std::atof(argv[++k]);
        else if (a == "--size" && k + 1 < argc) size = gd::bench::ParseNumbers(argv[++k]);
        else if (a == "--stages" && k + 1 < argc) stages = std::max(1, std::atoi(argv[++k]));
        else if (a == "--effects" && k + 1 < argc) ids = gd::bench::ParseNumbers(argv[++k]);
        else {
            std::fprintf(stderr, "usage: monitors_bench [--duration MS] [--cap X] [--size WxH] [--stages N] "
                                 "[--effects ID,...]\n");
            return 2;
        }
    }
    if (size.size() != 2) size = {3840, 2160};
    if (ids.empty())
        for (int id = 1; id <= gd::kEffectCount; ++id) ids.push_back(id);
    const int w = size[0], h = size[1];

    std::vector<Bitmap> pictures;
    for (int s = 0; s < stages; ++s) pictures.push_back(Picture(w, h, s));
    std::printf("%d stages of %dx%d, each on its own thread, D = %d ms, %u hardware threads\n", stages, w, h, duration,
                std::thread::hardware_concurrency());
    std::printf("%3s  %-24s %10s %12s %9s %6s\n", "id", "effect", "wall/D", "min pres/s", "cpu ms", "cores");
    double worst = -1, worst_cores = -1;
    std::string worst_text = "none", worst_cores_text = "none", late, over;
    for (int id : ids) {
        double cpu_at = 0;
        Instant at;
        auto all_composed = [&]() noexcept {
            cpu_at = ProcessCpuMs();
            at = std::chrono::steady_clock::now();
        };
        std::barrier start(stages, all_composed);
        std::vector<StageRun> runs(size_t(stages), StageRun{});
        std::vector<std::thread> threads;
        for (int s = 0; s < stages; ++s) {
            threads.emplace_back([&, s] {
                gd::ShowSettings settings;
                settings.effect_duration = duration;
                // As the shows of several monitors pace their time-paced frames.
                settings.frame_interval_ms = gd::SlideStage::FrameIntervalForShows(stages);
                gd::SystemClock clock;
                gd::SlideStage stage(settings, Bitmap(w, h, 0x00101010), clock);
                SharedStart source(pictures[size_t(s)], [&start] { start.arrive_and_wait(); });
                CopyingPresenter presenter(w, h);
                stage.set_frame_source(&source);
                stage.set_presenter(&presenter);
                stage.ResetStop();
                gd::SeedRandom(uint32_t(id * 31 + s));
                gd::bench::Watchdog dog([&stage] { stage.RequestStop(); }, std::chrono::milliseconds(int64_t(cap * duration)));
                gd::RunTransition(stage, id);
                const Instant end = std::chrono::steady_clock::now();
                StageRun& run = runs[size_t(s)];
                run.capped = dog.Finish();
                run.wall_ms = std::chrono::duration<double, std::milli>(end - source.started_at).count();
                run.presents = presenter.presents;
            });
        }
        for (auto& t : threads) t.join();
        const double cpu_ms = ProcessCpuMs() - cpu_at;
        const double all_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - at).count();
        double ratio = 0, min_pps = 1e9;
        bool capped = false;
        for (const StageRun& run : runs) {
            ratio = std::max(ratio, run.wall_ms / duration);
            min_pps = std::min(min_pps, run.presents / (std::max(run.wall_ms, double(duration)) / 1e3));
            capped = capped || run.capped;
        }
        const double cores = cpu_ms / std::max(all_ms, double(duration));
        char wall[32];
        if (capped) std::snprintf(wall, sizeof wall, "> %.0f", cap);
        else std::snprintf(wall, sizeof wall, "%.3f", ratio);
        const std::string name(gd::EffectName(id));
        std::printf("%3d  %-24s %10s %12.1f %9.1f %6.2f\n", id, name.c_str(), wall, min_pps, cpu_ms, cores);
        std::fflush(stdout);
        if (ratio > worst) worst = ratio, worst_text = name;
        if (cores > worst_cores) worst_cores = cores, worst_cores_text = name;
        if (capped || ratio > kLateBudget) late += " " + std::to_string(id);
        if (cores > kCoreBudget) over += " " + std::to_string(id);
    }
    std::printf("late (wall/D > %.2f):%s\n", kLateBudget, late.empty() ? " none" : late.c_str());
    std::printf("over budget (> %.2f cores for all stages):%s\n", kCoreBudget, over.empty() ? " none" : over.c_str());
    std::printf("worst wall/D: %.3f (%s)\n", worst, worst_text.c_str());
    std::printf("worst cores: %.2f (%s)\n", worst_cores, worst_cores_text.c_str());
    return 0;
}
