#include "player/screen_layout.h"

#include <algorithm>

namespace gd {
namespace {

const MonitorArea* Primary(std::span<const MonitorArea> monitors) {
    for (const MonitorArea& m : monitors) {
        if (m.primary && !m.rect.is_empty()) return &m;
    }
    for (const MonitorArea& m : monitors) {
        if (m.rect.contains(0, 0)) return &m;
    }
    for (const MonitorArea& m : monitors) {
        if (!m.rect.is_empty()) return &m;
    }
    return nullptr;
}

// Every monitor with an area, once per rectangle, from left to right and top to bottom.
std::vector<MonitorArea> ShownMonitors(std::span<const MonitorArea> monitors) {
    std::vector<MonitorArea> shown;
    for (const MonitorArea& m : monitors) {
        if (m.rect.is_empty()) continue;
        if (std::none_of(shown.begin(), shown.end(), [&](const MonitorArea& s) { return s.rect == m.rect; }))
            shown.push_back(m);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const MonitorArea& a, const MonitorArea& b) {
        return a.rect.left != b.rect.left ? a.rect.left < b.rect.left : a.rect.top < b.rect.top;
    });
    return shown;
}

}  // namespace

MonitorMode MonitorModeOf(int32_t value) {
    switch (value) {
    case 1: return MonitorMode::kSameShow;
    case 2: return MonitorMode::kDifferentPictures;
    default: return MonitorMode::kPrimaryOnly;
    }
}

ScreenLayout FullScreenLayout(std::span<const MonitorArea> monitors, const Rect& fallback_primary, MonitorMode mode) {
    const MonitorArea* primary = Primary(monitors);
    if (!primary) {
        const Rect stage = fallback_primary.translated(-fallback_primary.left, -fallback_primary.top);
        return {fallback_primary, {{stage}}};
    }
    ScreenLayout layout;
    for (const MonitorArea& m : monitors) layout.window = layout.window.united(m.rect);
    auto stage_of = [&](const MonitorArea& m) {
        return ShowStage{m.rect.translated(-layout.window.left, -layout.window.top), m.dpi};
    };
    if (mode == MonitorMode::kPrimaryOnly) {
        layout.stages.push_back(stage_of(*primary));
    } else {
        for (const MonitorArea& m : ShownMonitors(monitors)) layout.stages.push_back(stage_of(m));
    }
    return layout;
}

}  // namespace gd
