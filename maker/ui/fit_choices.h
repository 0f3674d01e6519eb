#pragma once
// The Settings page's choice of the box pictures are fitted into when the screensaver is
// made (nFitWidth x nFitHeight): keep every picture's size, or one of the common screen
// sizes. A box the list does not offer (set from the command line) is offered too, as its
// own entry, so showing and storing the page never changes it.

#include <string>
#include <vector>

namespace gd {

struct FitChoice {
    int width = 0;  // 0 x 0: keep the pictures' size
    int height = 0;
    friend bool operator==(const FitChoice&, const FitChoice&) = default;
};

// "Full size", "1920 x 1080", "1920 x any height" (a side of 0 is not limited).
std::string FitChoiceText(const FitChoice& choice);

// The entries of the list for a project whose box is `current`, and the index of
// `current` among them.
struct FitChoiceList {
    std::vector<FitChoice> entries;
    int selected = 0;
};
FitChoiceList FitChoicesFor(const FitChoice& current);

}  // namespace gd
