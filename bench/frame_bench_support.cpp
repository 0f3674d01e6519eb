#include "bench/frame_bench_support.h"

#include <time.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gd::bench {

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void CopyingPresenter::Present(const Bitmap& window, std::span<const Rect> dirty) {
    ++presents;
    for (const Rect& d : dirty) {
        Rect r = d.intersected(window.rect());
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(screen_.row(y) + r.left, window.row(y) + r.left, size_t(r.width()) * sizeof(Pixel));
        copied += int64_t(r.width()) * r.height();
    }
}

double MemcpyFrameMs(int w, int h) {
    std::vector<Pixel> a(size_t(w) * h, 1), b(size_t(w) * h);
    const int reps = 20;
    std::memcpy(b.data(), a.data(), a.size() * sizeof(Pixel));  // fault the pages in first
    auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < reps; ++k) {
        a[size_t(k)] = Pixel(k);
        std::memcpy(b.data(), a.data(), a.size() * sizeof(Pixel));
    }
    auto t1 = std::chrono::steady_clock::now();
    volatile Pixel sink = b[size_t(reps) - 1];
    (void)sink;
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / reps;
}

Watchdog::Watchdog(std::function<void()> on_cap, std::chrono::milliseconds cap)
    : thread_([this, on_cap = std::move(on_cap), cap] {
          std::unique_lock lock(mutex_);
          if (!cv_.wait_for(lock, cap, [this] { return done_; })) {
              fired_ = true;
              on_cap();
          }
      }) {}

bool Watchdog::Finish() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    cv_.notify_all();
    thread_.join();
    return fired_;
}

std::vector<int> ParseNumbers(const char* text) {
    std::vector<int> out;
    for (const char* p = text; *p;) {
        out.push_back(std::atoi(p));
        while (*p && *p != 'x' && *p != ',') ++p;
        if (*p) ++p;
    }
    return out;
}

}  // namespace gd::bench
