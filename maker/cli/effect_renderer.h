#pragma once
// Renders an effect the way the show plays it, with a fake clock, and captures the window
// buffer at chosen pacing points: the engine of `glimmerdeck render-effect`.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/show_options.h"
#include "raster/bitmap.h"
#include "raster/text_renderer.h"

namespace gd::cli {

constexpr int kLastStep = -1;  // the window after the effect returned

struct EffectRenderRequest {
    int32_t effect = 0;
    int width = 0;
    int height = 0;
    std::string from;  // picture file shown before the effect; empty: our own dawn picture
    std::string to;    // picture file the effect brings in; empty: our own sea picture
    uint32_t seed = 1;
    std::vector<int> steps;  // pacing point numbers from 1, 0 = before the effect, kLastStep
    // Project settings laid over the show's defaults, as (option, value): the options the
    // show's settings hold (ApplyShowOption), e.g. bSmoothScaling.
    std::vector<std::pair<OptionId, int64_t>> options;
};

// Reads "KEY=VALUE" for --set: an option of the show (see ApplyShowOption) and a value in
// its range. False with `error` saying why not.
bool ParseShowOption(std::string_view text, std::pair<OptionId, int64_t>& out, std::string& error);

struct EffectRender {
    std::vector<std::optional<Bitmap>> shots;  // one per requested step; empty when never reached
    int pacing_points = 0;                     // WaitStep calls the effect made
};

// Seeds the show thread's generator with `seed`, composes and shows the first picture,
// then runs the effect on the second exactly as the show loop does (LoadNextPicture,
// PrepareFrame, the effect) with the show's default settings. False with `error` when a
// picture file cannot be read.
bool RenderEffect(const EffectRenderRequest& request, EffectRender& out, std::string& error);

// Every effect 1..44 at a quarter, half and three quarters of its pacing points, as tiles
// of three thumbnails of `thumb_width` x `thumb_height` under the effect's number and name.
Bitmap RenderContactSheet(int thumb_width, int thumb_height, TextRenderer* text);

}  // namespace gd::cli
