// glimmerdeck render-effect: pictures of a transition at chosen pacing points, or a
// contact sheet of every effect.
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "effects/effect_table.h"
#include "maker/cli/command.h"
#include "maker/cli/effect_renderer.h"
#include "maker/cli/option_values.h"
#include "maker/cli/png_file.h"
#include "common/native_path.h"
#include "maker/cli/label_text.h"

namespace gd::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck render-effect --effect ID --size WxH [--from OLD] [--to NEW]\n"
    "                                 [--seed S] [--steps K1,K2,...] [--set KEY=VALUE]...\n"
    "                                 --out DIR\n"
    "       glimmerdeck render-effect --sheet FILE.png --size WxH\n"
    "\n"
    "Plays effect ID (0 to 45; 0 shows the new picture at once) from picture OLD to picture\n"
    "NEW in a WxH window, as the show would with its default settings and a generator\n"
    "seeded with S (default 1), and writes DIR/step-K.png: the window right after the K-th\n"
    "pacing point of the effect (counted from 1); K = 0 is the window before the effect,\n"
    "K = last the window after it (default steps: 0,last). Without --from or --to our own\n"
    "sample pictures are used. The same seed gives the same pixels. --set applies a show\n"
    "setting of a project, as the show would play it (e.g. --set bSmoothScaling=1,\n"
    "--set nEffectMilliSecond=2000); it may be given more than once.\n"
    "\n"
    "With --sheet, writes one PNG with every effect at a quarter, half and three quarters\n"
    "of its pacing points, WxH per picture, labelled with the effect's name.\n"
    "\n"
    "Exit codes: 0 done, 1 a file could not be written or a step was not reached,\n"
    "2 bad arguments or unreadable pictures.\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "glimmerdeck render-effect: %s\n\n%.*s", problem.c_str(), int(kUsage.size()), kUsage.data());
    return kExitUsage;
}

std::string StepName(int step) { return step == kLastStep ? "last" : std::to_string(step); }

}  // namespace

int RunRenderEffect(std::span<const std::string_view> args) {
    EffectRenderRequest request;
    request.steps = {0, kLastStep};
    std::string out_dir, sheet;
    bool have_effect = false, have_size = false;
    for (size_t k = 0; k < args.size(); ++k) {
        std::string_view opt = args[k];
        if (opt == "--help" || opt == "-h") {
            std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
            return kExitOk;
        }
        if (k + 1 >= args.size()) return Usage("missing value after " + std::string(opt));
        std::string_view value = args[++k];
        if (opt == "--effect") {
            if (!ParseNumber(value, request.effect) || request.effect < 0 || request.effect > kEffectCount)
                return Usage("--effect takes a number from 0 to " + std::to_string(kEffectCount) + ", not '" +
                             std::string(value) + "'");
            have_effect = true;
        } else if (opt == "--size") {
            if (!ParseSize(value, request.width, request.height))
                return Usage("--size takes WxH with both from 1 to 16384, not '" + std::string(value) + "'");
            have_size = true;
        } else if (opt == "--from") {
            request.from = value;
        } else if (opt == "--to") {
            request.to = value;
        } else if (opt == "--seed") {
            if (!ParseNumber(value, request.seed)) return Usage("--seed takes a number from 0 to 4294967295");
        } else if (opt == "--steps") {
            if (!ParseSteps(value, request.steps))
                return Usage("--steps takes numbers from 0 or 'last', separated by commas, not '" +
                             std::string(value) + "'");
        } else if (opt == "--set") {
            std::pair<OptionId, int64_t> option;
            std::string problem;
            if (!ParseShowOption(value, option, problem)) return Usage(problem);
            request.options.push_back(option);
        } else if (opt == "--out") {
            out_dir = value;
        } else if (opt == "--sheet") {
            sheet = value;
        } else {
            return Usage("unknown option '" + std::string(opt) + "'");
        }
    }
    if (!have_size) return Usage("--size is required");

    std::string error;
    if (!sheet.empty()) {
        if (have_effect || !out_dir.empty()) return Usage("--sheet makes one file; leave out --effect and --out");
        auto text = NewLabelTextRenderer();
        if (!WritePng(sheet, RenderContactSheet(request.width, request.height, text.get()), error)) {
            std::fprintf(stderr, "glimmerdeck render-effect: %s\n", error.c_str());
            return kExitFailed;
        }
        return kExitOk;
    }
    if (!have_effect) return Usage("--effect is required");
    if (out_dir.empty()) return Usage("--out is required");

    EffectRender render;
    if (!RenderEffect(request, render, error)) return Usage(error);
    std::error_code ec;
    std::filesystem::create_directories(NativePath(out_dir), ec);
    int result = kExitOk;
    for (size_t k = 0; k < request.steps.size(); ++k) {
        std::string path = PathText(NativePath(out_dir) / ("step-" + StepName(request.steps[k]) + ".png"));
        if (!render.shots[k]) {
            std::fprintf(stderr, "glimmerdeck render-effect: %s not written: effect %d has %d pacing points\n",
                         path.c_str(), request.effect, render.pacing_points);
            result = kExitFailed;
            continue;
        }
        if (!WritePng(path, *render.shots[k], error)) {
            std::fprintf(stderr, "glimmerdeck render-effect: %s\n", error.c_str());
            result = kExitFailed;
        }
    }
    return result;
}

}  // namespace gd::cli
