// The maker's command-line values: KEY=VALUE of `glimmerdeck set` (field names, list
// indices, integers, colours, texts) and the size and pacing points of render-effect.
// The input is a key, a value, a size and a list of points, cut at NUL bytes. A value
// that was accepted reads back, as shown, to the same project.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "maker/cli/effect_renderer.h"
#include "maker/cli/option_values.h"
#include "maker/cli/project_fields.h"

namespace {

void CheckSet(const std::string& key, const std::string& value) {
    gd::CParamData project;
    project.pictureList.resize(2);
    if (!gd::cli::SetProjectField(project, key, value).empty()) return;
    // What `show` prints for the field is what `set` reads back (a key of another
    // spelling, or one flag of a list, is not printed by that name).
    const std::string shown = gd::cli::ProjectAsText(project);
    const std::string prefix = "\n" + key + "=";
    size_t at = ("\n" + shown).find(prefix);
    if (at == std::string::npos || value.find('\n') != std::string::npos) return;
    size_t begin = at + prefix.size() - 1, end = shown.find('\n', begin);
    gd::CParamData copy;
    copy.pictureList.resize(2);
    gd::fuzz::Require(gd::cli::SetProjectField(copy, key, shown.substr(begin, end - begin)).empty(),
                      "a shown value is accepted");
    gd::fuzz::Require(copy == project, "a shown value sets the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parts = gd::fuzz::SplitAtNul({data, size}, 4);
    CheckSet(std::string(parts[0]), std::string(parts[1]));

    int w = 0, h = 0;
    if (gd::cli::ParseSize(parts[2], w, h)) {
        gd::fuzz::Require(w >= 1 && h >= 1 && w <= gd::cli::kMaxRenderSide && h <= gd::cli::kMaxRenderSide, "size in range");
    }
    std::vector<int> steps;
    if (gd::cli::ParseSteps(parts[3], steps)) {
        std::string text;
        for (int k : steps) text += (text.empty() ? "" : ",") + (k == gd::cli::kLastStep ? std::string("last") : std::to_string(k));
        std::vector<int> again;
        gd::fuzz::Require(gd::cli::ParseSteps(text, again) && again == steps, "pacing points read back");
    }
    return 0;
}
