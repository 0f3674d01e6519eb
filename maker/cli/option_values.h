#pragma once
// The values of the render-effect options: whole numbers, a picture size WxH and a list
// of pacing points.

#include <charconv>
#include <string_view>
#include <vector>

namespace gd::cli {

constexpr int kMaxRenderSide = 16384;

// The whole text as one number of type T (no sign for unsigned T, no blanks).
template <class T> bool ParseNumber(std::string_view text, T& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// "WxH" with both sides from 1 to kMaxRenderSide.
bool ParseSize(std::string_view text, int& w, int& h);

// Numbers from 0 or "last" (kLastStep), separated by commas.
bool ParseSteps(std::string_view text, std::vector<int>& steps);

}  // namespace gd::cli
