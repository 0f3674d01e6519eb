#include "runtime/win32/saver_installer.h"

#include "common/path_parts.h"

namespace gd {
namespace {

constexpr UINT kQuestion = MB_OKCANCEL | MB_ICONINFORMATION;

// The final message; the per-user install also says where the file went, since the
// platform's own screensaver list may not show it.
std::wstring FinalMessage(const InstallOutcome& outcome, bool set_ok, const std::wstring& base) {
    if (outcome.status != InstallStatus::kInstalled) return L"Fail to install the Screensaver: " + base + L"!";
    if (!set_ok) return L"Fail to set " + base + L" as your default Sreen Saver!";
    std::wstring text = L"  Installation completed!   ";
    if (outcome.target.place == InstallPlace::kUserFolder) {
        text += L"\n\nInstalled for the current user only, as\n" + outcome.target.path;
    }
    return text;
}

}  // namespace

std::wstring SaverBaseName(std::wstring_view program_path) {
    return std::wstring(PathStem(program_path, kWindowsSeparators));
}

void InstallSaver(HWND launcher, const std::wstring& program_path, Prompter& prompter, InstallPlatform& platform) {
    const std::wstring base = SaverBaseName(program_path);
    if (prompter.Show(launcher, L"Do you wish to install the Screensaver:\"" + base + L"\"?", base, kQuestion) != IDOK) {
        return;
    }
    InstallHooks hooks;
    hooks.confirm_replace = [&](const InstallTarget&) {
        return prompter.Show(launcher,
                             L"The Screensaver:\"" + base + L"\" already exists.   \nDo you want to replace it?   ",
                             base, kQuestion) == IDOK;
    };
    hooks.copying = [launcher](bool copying) {
        if (launcher) EnableWindow(launcher, copying ? FALSE : TRUE);
    };
    InstallOutcome outcome = InstallSaverFile(platform, program_path, base, hooks);
    if (outcome.status == InstallStatus::kDeclined) return;

    bool set_ok = true;
    if (outcome.status == InstallStatus::kInstalled &&
        prompter.Show(launcher, L"Do you want to set \"" + base + L"\" as your default Screensaver? ", base,
                      kQuestion) == IDOK) {
        set_ok = ActivateSaver(platform, outcome.target);
    }
    prompter.Show(launcher, FinalMessage(outcome, set_ok, base), base, MB_OK);
}

}  // namespace gd
