#include "maker/ui/fit_choices.h"

#include <algorithm>

namespace gd {

namespace {

// Full HD is what most screens show; the others are the sizes next to it.
constexpr FitChoice kOffered[] = {{0, 0}, {1280, 720}, {1920, 1080}, {2560, 1440}, {3840, 2160}};

}  // namespace

std::string FitChoiceText(const FitChoice& choice) {
    if (choice.width <= 0 && choice.height <= 0) return "Full size";
    const std::string width = choice.width > 0 ? std::to_string(choice.width) : "any width";
    const std::string height = choice.height > 0 ? std::to_string(choice.height) : "any height";
    return width + " x " + height;
}

FitChoiceList FitChoicesFor(const FitChoice& current) {
    FitChoiceList list;
    list.entries.assign(std::begin(kOffered), std::end(kOffered));
    const FitChoice wanted = {std::max(current.width, 0), std::max(current.height, 0)};
    auto found = std::find(list.entries.begin(), list.entries.end(), wanted);
    if (found == list.entries.end()) {
        // In order of size, after the offered ones of no larger width.
        auto at = std::find_if(list.entries.begin() + 1, list.entries.end(),
                               [&](const FitChoice& c) { return c.width > wanted.width; });
        found = list.entries.insert(at, wanted);
    }
    list.selected = int(found - list.entries.begin());
    return list;
}

}  // namespace gd
