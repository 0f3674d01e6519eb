#pragma once
// The effects: id, stored name and drawing function, each written once. The maker's
// effect list, the runtime's settings dialog, the show and the effect renderer all read
// this table. Names are the stored 64-byte names, typos included ("Rdndom").

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/saver_config.h"
#include "effects/families.h"

namespace gd {

using EffectFunction = void (*)(SlideStage&);

struct EffectInfo {
    int32_t id;
    std::string_view name;
    EffectFunction run;
};

constexpr int32_t DISPLAY_ONLY = 0;
constexpr int32_t kEffectCount = 45;       // named effects, ids 1..45
static_assert(kEffectCount == kKnownEffects, "the effect flags' count (saver_config.h) names the table's effects");
constexpr size_t kEffectNameField = 64;    // bytes of one stored name, NUL-padded

inline constexpr std::array<EffectInfo, kEffectCount + 1> kEffectTable{{
    {0, "DISPLAY_ONLY", fx::DisplayOnly},
    {1, "Blinds Horizontal", fx::BlindsHorizontal},
    {2, "Blinds Vertical", fx::BlindsVertical},
    {3, "Grid", fx::Grid},
    {4, "Sliding Jaws Horizontal", fx::SlidingJawsHorizontal},
    {5, "Sliding Jaws Vertical", fx::SlidingJawsVertical},
    {6, "Mosaic", fx::Mosaic},
    {7, "Roll Horizontal", fx::RollHorizontal},
    {8, "Roll Vertical", fx::RollVertical},
    {9, "Slide Center", fx::SlideCenter},
    {10, "Slide Middle", fx::SlideMiddle},
    {11, "Cross In", fx::CrossIn},
    {12, "Cross Out", fx::CrossOut},
    {13, "Square In", fx::SquareIn},
    {14, "Square Out", fx::SquareOut},
    {15, "Veil Horizontal", fx::VeilHorizontal},
    {16, "Veil Vertical", fx::VeilVertical},
    {17, "Round In", fx::RoundIn},
    {18, "Round Out", fx::RoundOut},
    {19, "Random Lines Horizontal", fx::RandomLinesHorizontal},
    {20, "Rdndom Lines Vertical", fx::RandomLinesVertical},
    {21, "Clock", fx::Clock},
    {22, "Clock Back", fx::ClockBack},
    {23, "Double Clock", fx::DoubleClock},
    {24, "Wheel", fx::Wheel},
    {25, "Wheel Back", fx::WheelBack},
    {26, "Arris In", fx::ArrisIn},
    {27, "Arris Out", fx::ArrisOut},
    {28, "Fan", fx::Fan},
    {29, "Fan Back", fx::FanBack},
    {30, "Star In", fx::StarIn},
    {31, "Star Out", fx::StarOut},
    {32, "Coalition", fx::Coalition},
    {33, "Abruption", fx::Abruption},
    {34, "Slide From Corner", fx::SlideFromCorner},
    {35, "Slide Bevel", fx::SlideBevel},
    {36, "Slide Bevel Back", fx::SlideBevelBack},
    {37, "Move Horizontal", fx::MoveHorizontal},
    {38, "Move Vertical", fx::MoveVertical},
    {39, "Move To Center", fx::MoveToCenter},
    {40, "Move To Middle", fx::MoveToMiddle},
    {41, "Move Cross", fx::MoveCross},
    {42, "Move From Corner", fx::MoveFromCorner},
    {43, "Stretch", fx::Stretch},
    {44, "Spire", fx::Spire},
    // Known only to records whose effect count reaches it (EffectFlagOn).
    {45, "Cross Fade", fx::CrossFade},
}};

// Whether every row has a drawing function is checked by the tests: a function's address
// is no constant expression where null-pointer checks are kept (sanitized builds).
constexpr bool EffectTableIsWellFormed() {
    for (size_t i = 0; i < kEffectTable.size(); ++i) {
        if (kEffectTable[i].id != int32_t(i)) return false;
        if (kEffectTable[i].name.empty() || kEffectTable[i].name.size() >= kEffectNameField) return false;
    }
    return true;
}
static_assert(EffectTableIsWellFormed(), "effect rows must be in id order and named");

// The stored name of `id`; ids outside 0..kEffectCount name DISPLAY_ONLY, as they run it.
constexpr std::string_view EffectName(int32_t id) {
    return kEffectTable[id >= 0 && id <= kEffectCount ? size_t(id) : 0].name;
}

// The names of the effects a user chooses from (ids 1..kEffectCount), in id order: the rows of
// every list of effects.
constexpr std::array<std::string_view, kEffectCount> ChoosableEffectNames() {
    std::array<std::string_view, kEffectCount> names{};
    for (int32_t id = 1; id <= kEffectCount; ++id) names[size_t(id - 1)] = EffectName(id);
    return names;
}

// The 64-byte stored form of the name of `id`: the name, then NUL padding.
std::array<char, kEffectNameField> EffectNameField(int32_t id);

// Runs effect `id` on the stage (ids outside 1..kEffectCount run DISPLAY_ONLY), then presents what
// it drew. A clip set by one effect never reaches the next.
void RunTransition(SlideStage& stage, int32_t id);

}  // namespace gd
