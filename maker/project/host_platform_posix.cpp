// The Linux maker makes Windows screensavers; there is no active Windows screensaver to
// set on this host.
#include "maker/project/build_hooks.h"

namespace gd {

namespace {

class NoScreensaverSetting : public ScreensaverPlatform {
public:
    bool CanSetDefaultSaver() const override { return false; }
    DefaultSaverInstall InstallDefaultSaver(const std::string&, const std::string&,
                                            const std::function<bool(const std::string&)>&) override {
        return {};
    }
};

}  // namespace

ScreensaverPlatform& HostScreensaverPlatform() {
    static NoScreensaverSetting platform;
    return platform;
}

}  // namespace gd
