#include "maker/cli/option_values.h"

#include "maker/cli/effect_renderer.h"

namespace gd::cli {

bool ParseSize(std::string_view text, int& w, int& h) {
    size_t x = text.find('x');
    return x != std::string_view::npos && ParseNumber(text.substr(0, x), w) && ParseNumber(text.substr(x + 1), h) &&
           w > 0 && h > 0 && w <= kMaxRenderSide && h <= kMaxRenderSide;
}

bool ParseSteps(std::string_view text, std::vector<int>& steps) {
    steps.clear();
    while (true) {
        size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        int k = 0;
        if (item == "last")
            steps.push_back(kLastStep);
        else if (ParseNumber(item, k) && k >= 0)
            steps.push_back(k);
        else
            return false;
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace gd::cli
