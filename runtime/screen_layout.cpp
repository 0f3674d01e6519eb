#include "runtime/screen_layout.h"

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

}  // namespace

ScreenLayout FullScreenLayout(std::span<const MonitorArea> monitors, const Rect& fallback_primary) {
    const MonitorArea* primary = Primary(monitors);
    if (!primary) return {fallback_primary, fallback_primary.translated(-fallback_primary.left, -fallback_primary.top)};
    Rect window;
    for (const MonitorArea& m : monitors) window = window.united(m.rect);
    return {window, primary->rect.translated(-window.left, -window.top)};
}

}  // namespace gd
