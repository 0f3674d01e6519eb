#pragma once
// One show of a made screensaver in an X window: a ShowHost over the window's
// shared-memory surface, its pictures read from the screensaver's resources, its
// settings from the configuration. A window that changes size gets a new show of the
// new size, which goes on from the picture and effect the old one had reached.

#include <memory>

#include "common/saver_config.h"
#include "effects/show_setup.h"
#include "player/show_capture.h"
#include "player/show_host.h"
#include "runtime/linux/xshm_surface.h"
#include "runtime/resource_source.h"

namespace gd {

class LinuxShow {
public:
    // Nothing and the reason when the surface cannot be made.
    static std::unique_ptr<LinuxShow> Create(const char* display_name, const X11WindowInfo& window,
                                             const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
                                             ShowVariant variant, const ShowCaptureSettings* capture,
                                             std::string* why);

    ShowHost& host() { return *host_; }
    XShmSurface& surface() { return *surface_; }
    // Takes over the picture and effect positions of a show that played before.
    void ContinueFrom(const ShowSettings& previous);

private:
    LinuxShow() = default;
    XShmSurface* surface_ = nullptr;  // owned by the host
    std::unique_ptr<ShowHost> host_;
};

}  // namespace gd
