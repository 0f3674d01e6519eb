#include "maker/cli/effect_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/prepare_frame.h"
#include "effects/show_setup.h"
#include "maker/cli/sample_pictures.h"
#include "raster/blit.h"

namespace gd::cli {
namespace {

// Two pictures from files or drawn by us; picture 0 is shown first.
class RenderPictures : public PictureSource {
public:
    bool DecodePicture(int32_t index, CxImage& image) override {
        if (index < 0 || index > 1) return false;
        image = images[size_t(index)];
        return image.IsValid();
    }
    std::optional<CaptionRecord> Caption(int32_t) override { return std::nullopt; }
    CxImage images[2];
};

bool LoadPicture(const std::string& path, CxImage& image, std::string& error) {
    if (image.Load(path)) return true;
    error = "cannot read picture " + path + ": " + image.GetLastError();
    return false;
}

}  // namespace

bool ParseShowOption(std::string_view text, std::pair<OptionId, int64_t>& out, std::string& error) {
    const size_t eq = text.find('=');
    const std::string key(text.substr(0, eq));
    const OptionRow* row = eq == std::string_view::npos ? nullptr : FindOption(key);
    ShowSettings probe;
    if (!row || !IsNumberKind(row->kind) || !ApplyShowOption(probe, row->id, 0)) {
        error = "--set takes KEY=VALUE with a show setting as KEY (such as bSmoothScaling), not '" +
                std::string(text) + "'";
        return false;
    }
    const std::string value(text.substr(eq + 1));
    char* end = nullptr;
    const long long v = std::strtoll(value.c_str(), &end, 0);
    if (value.empty() || *end != '\0' || !InRange(*row, v)) {
        error = "--set " + key + " takes a number from " + std::to_string(row->min) + " to " +
                std::to_string(row->max) + ", not '" + value + "'";
        return false;
    }
    out = {row->id, v};
    return true;
}

bool RenderEffect(const EffectRenderRequest& request, EffectRender& out, std::string& error) {
    RenderPictures pictures;
    const int pw = std::max(request.width, 64), ph = std::max(request.height, 48);
    if (request.from.empty())
        pictures.images[0] = DawnPicture(pw, ph);
    else if (!LoadPicture(request.from, pictures.images[0], error))
        return false;
    if (request.to.empty())
        pictures.images[1] = SeaPicture(pw, ph);
    else if (!LoadPicture(request.to, pictures.images[1], error))
        return false;

    ShowSettings settings;
    for (const auto& [option, value] : request.options) ApplyShowOption(settings, option, value);
    settings.picture_count = 2;
    FakeClock clock;
    SlideStage stage(settings, Bitmap(request.width, request.height), clock);
    ShowFrameSource source(pictures, nullptr);
    stage.set_frame_source(&source);
    stage.ResetStop();

    out = {};
    out.shots.resize(request.steps.size());
    auto capture = [&](int step) {
        for (size_t k = 0; k < request.steps.size(); ++k)
            if (request.steps[k] == step) out.shots[k] = stage.window();
    };
    SeedRandom(request.seed);
    if (stage.ComposeNextFrame()) stage.Copy(0, 0, stage.width(), stage.height());
    stage.Present();
    capture(0);
    stage.on_wait_step = [&](int call, int, int) {
        out.pacing_points = call;
        capture(call);
    };
    RunTransition(stage, request.effect);
    capture(kLastStep);
    return true;
}

Bitmap RenderContactSheet(int tw, int th, TextRenderer* text) {
    constexpr int kShots = 3, kTilesPerRow = 4, kGap = 6, kLabel = 20;
    constexpr double kFractions[kShots] = {0.25, 0.5, 0.75};
    const int tile_w = kShots * tw + (kShots - 1) * 2, tile_h = kLabel + th;
    const int rows = (kEffectCount + kTilesPerRow - 1) / kTilesPerRow;
    Bitmap sheet(kGap + kTilesPerRow * (tile_w + kGap), kGap + rows * (tile_h + kGap), 0x00202428);
    LogFont label_font;
    label_font.height = -13;
    label_font.weight = 700;
    label_font.face_name = "DejaVu Sans";

    for (int id = 1; id <= kEffectCount; ++id) {
        const int tile_x = kGap + ((id - 1) % kTilesPerRow) * (tile_w + kGap);
        const int tile_y = kGap + ((id - 1) / kTilesPerRow) * (tile_h + kGap);
        // A first run counts the pacing points; the second, with the same seed, captures.
        EffectRenderRequest request{id, tw, th, "", "", uint32_t(id), {}};
        EffectRender counted;
        std::string error;
        RenderEffect(request, counted, error);
        for (double f : kFractions)
            request.steps.push_back(counted.pacing_points > 0
                                        ? std::max(1, int(std::lround(counted.pacing_points * f)))
                                        : kLastStep);
        EffectRender shots;
        RenderEffect(request, shots, error);
        for (int k = 0; k < kShots; ++k) {
            if (!shots.shots[size_t(k)]) continue;
            const Bitmap& shot = *shots.shots[size_t(k)];
            CopyPixels(sheet, tile_x + k * (tw + 2), tile_y + kLabel, shot, shot.rect(), nullptr);
        }
        if (text) {
            std::string label = std::to_string(id) + "  " + std::string(EffectName(id));
            text->DrawText(sheet, label, TextForm::kAnsi, Rect::FromSize(tile_x, tile_y, tile_w, kLabel),
                           kTextLeft | kTextVCenter | kTextSingleLine, label_font, 0x00F0F0F0);
        }
    }
    return sheet;
}

}  // namespace gd::cli
