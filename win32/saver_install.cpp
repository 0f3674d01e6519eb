#include "win32/saver_install.h"

#include <cwctype>

#include "common/path_parts.h"

namespace gd {
namespace {

std::wstring Join(const std::wstring& folder, std::wstring_view name) {
    return JoinPathParts(folder, name, kWindowsSeparators);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

InstallTarget UserTarget(InstallPlatform& platform, std::wstring_view base_name) {
    std::wstring folder = platform.UserFolder();
    if (folder.empty()) return {};
    return {Join(folder, std::wstring(base_name) + L".scr"), InstallPlace::kUserFolder};
}

// One try at one target: the replace question, then the copy.
struct Attempt {
    InstallStatus status;
    CopyResult copy;
};

Attempt TryTarget(InstallPlatform& platform, const std::wstring& source, const InstallTarget& target,
                  const InstallHooks& hooks) {
    if (target.path.empty()) return {InstallStatus::kFailed, CopyResult::kFailed};
    if (platform.FileExists(target.path) && hooks.confirm_replace && !hooks.confirm_replace(target)) {
        return {InstallStatus::kDeclined, CopyResult::kFailed};
    }
    // Installing the installed file again (a launcher started from its install place)
    // leaves it where it is: copying a file onto itself fails.
    if (SamePath(source, target.path)) return {InstallStatus::kInstalled, CopyResult::kCopied};
    if (target.place == InstallPlace::kUserFolder) {
        const std::wstring folder(PathFolder(std::wstring_view(target.path), kWindowsSeparators));
        if (!folder.empty() && !platform.CreateFolder(folder)) {
            return {InstallStatus::kFailed, CopyResult::kFailed};
        }
    }
    if (hooks.copying) hooks.copying(true);
    CopyResult copy = platform.CopyReplacing(source, target.path);
    if (hooks.copying) hooks.copying(false);
    return {copy == CopyResult::kCopied ? InstallStatus::kInstalled : InstallStatus::kFailed, copy};
}

}  // namespace

InstallTarget ChooseInstallTarget(InstallPlatform& platform, std::wstring_view base_name) {
    std::wstring system = platform.SystemFolder();
    if (!system.empty() && platform.CanWriteFolder(system)) {
        return {Join(system, std::wstring(base_name) + L".scr"), InstallPlace::kSystemFolder};
    }
    return UserTarget(platform, base_name);
}

InstallOutcome InstallSaverFile(InstallPlatform& platform, const std::wstring& source, std::wstring_view base_name,
                                const InstallHooks& hooks) {
    InstallTarget target = ChooseInstallTarget(platform, base_name);
    Attempt attempt = TryTarget(platform, source, target, hooks);
    if (target.place == InstallPlace::kSystemFolder && attempt.copy == CopyResult::kRefused) {
        InstallTarget user = UserTarget(platform, base_name);
        if (!user.path.empty()) {
            target = user;
            attempt = TryTarget(platform, source, target, hooks);
        }
    }
    return {attempt.status, target};
}

bool ActivateSaver(InstallPlatform& platform, const InstallTarget& target) {
    std::wstring short_path = platform.ShortPath(target.path);
    if (target.place == InstallPlace::kSystemFolder) {
        return !short_path.empty() && platform.WriteSystemIniSaver(short_path) && platform.SetScreenSaveActive();
    }
    return platform.WriteUserSaver(short_path.empty() ? target.path : short_path) && platform.SetScreenSaveActive();
}

}  // namespace gd
