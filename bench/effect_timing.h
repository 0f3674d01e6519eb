#pragma once
// One transition effect played with the real clock on a stage of a given size, its
// frame a picture with detail everywhere, presented through a presenter the benchmark
// chooses: how long it took against its duration D and the CPU time the process spent.
// Shared by the effect benchmarks of the stage alone and of the Linux runtime's window.

#include <cstdint>

#include "bench/frame_bench_support.h"
#include "raster/presenter.h"

namespace gd::bench {

struct EffectTiming {
    double wall_ms = 0;  // from the frame's start time to the effect's end
    double cpu_ms = 0;   // the process's CPU time over the same span
    bool capped = false; // still running at cap x D, and stopped
    int steps = 0;       // pacing points
    int64_t pixels = 0;  // window pixels drawn
    // Seconds the effect ran: D, unless it fell behind.
    double run_s(int duration_ms) const;
};

// Plays effect `id` for `duration_ms` on a `w` x `h` stage, presenting through
// `presenter` (which may draw into `window`, a view of its own memory, or be null: the
// stage allocates one); stops it at `cap` x D.
EffectTiming TimeEffect(int id, int w, int h, int duration_ms, double cap, Presenter& presenter,
                        Bitmap window = {});

}  // namespace gd::bench
