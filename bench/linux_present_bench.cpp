// How the Linux runtime should put its window buffer on the screen, and whether every
// effect keeps its schedule at 3840 x 2160 that way. Runs on a virtual display of its
// own (Xvfb of that size) unless --display is given:
//
//   linux_present_bench [--size WxH] [--duration MS] [--effects 1,37] [--reps N]
//                       [--display :N] [--skip-effects]
//
// Part 1 puts a whole frame, and a sixteenth of one (a typical step of an effect), on a
// window covering the screen, N times each, with each way to present: a shared-memory
// image (MIT-SHM), an ordinary image request, and SDL2 over the same window (a streaming
// texture updated and copied, with SDL's software renderer and its default one). It
// prints the milliseconds per present and the CPU time of this process and of the X
// server for each. Part 2 plays every effect for D through the runtime's own surface
// (XShmSurface) on that window, as effects_bench does in memory: wall/D, presents per
// second, and the cores used by this process and by the X server. The last lines read
// `worst wall/D: X.XX (...)` and `worst cores: X.XX (...)`.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/effect_timing.h"
#include "effects/effect_table.h"
#include "runtime/linux/x11_errors.h"
#include "runtime/linux/xshm_surface.h"

namespace {

using gd::bench::ProcessCpuMs;

constexpr double kCoreBudget = 0.5;

// CPU time of another process (the X server), in milliseconds.
double OtherCpuMs(pid_t pid) {
    if (pid <= 0) return 0;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string f;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i)
        if (i == 14 || i == 15) ticks += std::atof(f.c_str());
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

struct Figures {
    double ms_per_present, client_ms, server_ms;
};

// Runs `present` `reps` times after one untimed run.
Figures Measure(int reps, pid_t server, const std::function<void()>& present) {
    present();
    const double c0 = ProcessCpuMs(), s0 = OtherCpuMs(server);
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < reps; ++k) present();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    return {ms / reps, (ProcessCpuMs() - c0) / reps, (OtherCpuMs(server) - s0) / reps};
}

void Print(const char* way, const char* what, const Figures& f) {
    std::printf("  %-26s %-16s %10.2f %12.2f %12.2f\n", way, what, f.ms_per_present, f.client_ms, f.server_ms);
    std::fflush(stdout);
}

Window CoveringWindow(Display* d, int w, int h) {
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixel = 0;
    Window win = XCreateWindow(d, DefaultRootWindow(d), 0, 0, unsigned(w), unsigned(h), 0, CopyFromParent,
                               InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
    XMapRaised(d, win);
    XSync(d, False);
    return win;
}

void FillDetail(gd::Bitmap b, int seed) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) b.set_pixel(x, y, gd::Pixel((x * 7 + seed) & 0xFF) << 16 | gd::Pixel((y * 3) & 0xFF) << 8);
}

void ComparePresenters(Display* d, Window win, int w, int h, int reps, pid_t server) {
    std::printf("\npresenting a %dx%d window (%d presents each)\n", w, h, reps);
    std::printf("  %-26s %-16s %10s %12s %12s\n", "way", "area", "ms/present", "client cpu", "server cpu");
    gd::X11WindowInfo info{win, DefaultVisual(d, DefaultScreen(d)), DefaultDepth(d, DefaultScreen(d)), w, h};
    const gd::Rect whole{0, 0, w, h}, part{w / 4, h / 4, w / 2, h / 2};
    for (bool shm : {true, false}) {
        std::string why;
        auto surface = gd::XShmSurface::Create(nullptr, info, &why, shm);
        if (!surface) {
            std::printf("  %s: %s\n", shm ? "shared memory" : "image requests", why.c_str());
            continue;
        }
        gd::Bitmap buffer = surface->WindowBuffer();
        FillDetail(buffer, 1);
        gd::Presenter& p = *surface->presenter();
        const char* way = surface->uses_shm() ? "X11 shared memory (XShm)" : "X11 image requests";
        Print(way, "whole frame", Measure(reps, server, [&] { p.Present(buffer, std::span(&whole, 1)); }));
        Print(way, "1/16 frame", Measure(reps, server, [&] { p.Present(buffer, std::span(&part, 1)); }));
    }
    // SDL2 over the same foreign window, as it could present a screensaver host's window.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("  SDL2: %s\n", SDL_GetError());
        return;
    }
    SDL_Window* sw = SDL_CreateWindowFrom(reinterpret_cast<void*>(win));
    if (!sw) {
        std::printf("  SDL2: %s\n", SDL_GetError());
        SDL_Quit();
        return;
    }
    std::vector<gd::Pixel> pixels(size_t(w) * h);
    FillDetail(gd::Bitmap::View(pixels.data(), w, h, w), 2);
    for (Uint32 flags : {Uint32(SDL_RENDERER_SOFTWARE), Uint32(0)}) {
        SDL_Renderer* r = SDL_CreateRenderer(sw, -1, flags);
        if (!r) {
            std::printf("  SDL2 renderer: %s\n", SDL_GetError());
            continue;
        }
        SDL_RendererInfo ri{};
        SDL_GetRendererInfo(r, &ri);
        SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        std::string way = std::string("SDL2 ") + ri.name;
        auto present = [&](const SDL_Rect& area) {
            SDL_UpdateTexture(t, &area, pixels.data() + size_t(area.y) * w + area.x, w * 4);
            SDL_RenderCopy(r, t, nullptr, nullptr);  // a presented frame is always a whole one
            SDL_RenderPresent(r);
        };
        const SDL_Rect whole_r{0, 0, w, h}, part_r{w / 4, h / 4, w / 4, h / 4};
        Print(way.c_str(), "whole frame", Measure(reps, server, [&] { present(whole_r); }));
        Print(way.c_str(), "1/16 frame", Measure(reps, server, [&] { present(part_r); }));
        SDL_DestroyTexture(t);
        SDL_DestroyRenderer(r);
    }
    SDL_DestroyWindow(sw);
    SDL_Quit();
}

void TimeEffects(Display* d, Window win, int w, int h, int duration, const std::vector<int>& ids, pid_t server) {
    gd::X11WindowInfo info{win, DefaultVisual(d, DefaultScreen(d)), DefaultDepth(d, DefaultScreen(d)), w, h};
    std::string why;
    auto surface = gd::XShmSurface::Create(nullptr, info, &why);
    if (!surface) {
        std::printf("cannot present: %s\n", why.c_str());
        return;
    }
    std::printf("\nevery effect at %dx%d through the runtime's surface (%s), D = %d ms\n", w, h,
                surface->uses_shm() ? "shared memory" : "image requests", duration);
    std::printf("%3s  %-24s %8s %7s %9s %12s %12s\n", "id", "effect", "wall/D", "steps", "pres/s", "client cores",
                "server cores");
    struct Counting final : gd::Presenter {
        gd::Presenter* inner;
        int presents = 0;
        void Present(const gd::Bitmap& b, std::span<const gd::Rect> r) override {
            ++presents;
            inner->Present(b, r);
        }
    };
    double worst = -1, worst_cores = -1;
    std::string worst_text = "none", worst_cores_text = "none", misses;
    for (int id : ids) {
        Counting presenter;
        presenter.inner = surface->presenter();
        const double s0 = OtherCpuMs(server);
        const auto t = gd::bench::TimeEffect(id, w, h, duration, 10.0, presenter, surface->WindowBuffer());
        const double server_cores = (OtherCpuMs(server) - s0) / 1e3 / t.run_s(duration);
        const double cores = t.cpu_ms / 1e3 / t.run_s(duration);
        const double ratio = t.wall_ms / duration;
        std::printf("%3d  %-24s %8.3f %7d %9.1f %12.2f %12.2f\n", id, std::string(gd::EffectName(id)).c_str(), ratio,
                    t.steps, presenter.presents / t.run_s(duration), cores, server_cores);
        std::fflush(stdout);
        if (ratio > worst) worst = ratio, worst_text = gd::EffectName(id);
        if (cores > worst_cores) worst_cores = cores, worst_cores_text = gd::EffectName(id);
        if (ratio > 1.05 || cores > kCoreBudget) misses += " " + std::to_string(id);
    }
    std::printf("off schedule (wall/D > 1.05) or over %.2f cores:%s\n", kCoreBudget, misses.empty() ? " none" : misses.c_str());
    std::printf("worst wall/D: %.3f (%s at %dx%d)\n", worst, worst_text.c_str(), w, h);
    std::printf("worst cores: %.2f (%s at %dx%d)\n", worst_cores, worst_cores_text.c_str(), w, h);
}

}  // namespace

int main(int argc, char** argv) {
    int w = 3840, h = 2160, duration = 2000, reps = 60;
    std::string display;
    bool effects = true;
    std::vector<int> ids;
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--size" && k + 1 < argc) std::sscanf(argv[++k], "%dx%d", &w, &h);
        else if (a == "--duration" && k + 1 < argc) duration = std::atoi(argv[++k]);
        else if (a == "--reps" && k + 1 < argc) reps = std::atoi(argv[++k]);
        else if (a == "--display" && k + 1 < argc) display = argv[++k];
        else if (a == "--skip-effects") effects = false;
        else if (a == "--effects" && k + 1 < argc) {
            for (std::istringstream in(argv[++k]); std::getline(in, a, ',');) ids.push_back(std::atoi(a.c_str()));
        } else {
            std::fprintf(stderr, "usage: linux_present_bench [--size WxH] [--duration MS] [--effects 1,37] [--reps N] "
                                 "[--display :N] [--skip-effects]\n");
            return 2;
        }
    }
    if (ids.empty())
        for (int id = 1; id <= gd::kEffectCount; ++id) ids.push_back(id);
    pid_t server = 0;
    if (display.empty()) {
        int n = 160;
        while (access(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), F_OK) == 0) ++n;
        display = ":" + std::to_string(n);
        const std::string screen = std::to_string(w) + "x" + std::to_string(h) + "x24";
        server = fork();
        if (server == 0) {
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", (char*)nullptr);
            _exit(127);
        }
        for (int i = 0; i < 100 && access(("/tmp/.X11-unix/X" + display.substr(1)).c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    setenv("DISPLAY", display.c_str(), 1);
    XInitThreads();
    gd::InstallX11ErrorHandler();
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "cannot open display %s\n", display.c_str());
        return 1;
    }
    std::string load;
    std::getline(std::ifstream("/proc/loadavg") >> std::ws, load);
    std::printf("display %s (%s), load average %s\n", display.c_str(),
                server ? "Xvfb of the bench's own" : "given", load.substr(0, load.find(' ')).c_str());
    const int sw = DisplayWidth(d, DefaultScreen(d)), sh = DisplayHeight(d, DefaultScreen(d));
    if (sw != w || sh != h) std::printf("the screen is %dx%d: the window covers it\n", sw, sh);
    Window win = CoveringWindow(d, sw, sh);
    ComparePresenters(d, win, sw, sh, reps, server);
    if (effects) TimeEffects(d, win, sw, sh, duration, ids, server);
    XDestroyWindow(d, win);
    XCloseDisplay(d);
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return 0;
}
