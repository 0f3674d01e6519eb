// The Windows maker sets its default screensaver through the install both programs share
// (win32/saver_install.h): the system folder when the user may write it, else a folder of
// the user's own and the user's active-screensaver value.
#include "common/utf16.h"
#include "maker/project/build_hooks.h"
#include "win32/saver_install.h"

namespace gd {

namespace {

class SharedInstall : public ScreensaverPlatform {
public:
    bool CanSetDefaultSaver() const override { return true; }

    DefaultSaverInstall InstallDefaultSaver(const std::string& made_file, const std::string& name,
                                            const std::function<bool(const std::string&)>& confirm_replace) override {
        InstallPlatform& platform = SystemInstallPlatform();
        InstallHooks hooks;
        hooks.confirm_replace = [&](const InstallTarget& target) { return confirm_replace(Utf16ToUtf8(target.path)); };
        InstallOutcome outcome = InstallSaverFile(platform, Utf8ToUtf16(made_file), Utf8ToUtf16(name), hooks);
        DefaultSaverInstall result;
        result.path = Utf16ToUtf8(outcome.target.path);
        result.for_current_user = outcome.target.place == InstallPlace::kUserFolder;
        switch (outcome.status) {
        case InstallStatus::kDeclined: result.status = DefaultSaverInstall::Status::kDeclined; break;
        case InstallStatus::kFailed: result.status = DefaultSaverInstall::Status::kFailed; break;
        case InstallStatus::kInstalled:
            result.status = DefaultSaverInstall::Status::kInstalled;
            result.activated = ActivateSaver(platform, outcome.target);
            break;
        }
        return result;
    }
};

}  // namespace

ScreensaverPlatform& HostScreensaverPlatform() {
    static SharedInstall platform;
    return platform;
}

}  // namespace gd
