// glimmerdeck install-linux: makes a screensaver one the user's screensaver hosts offer.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/linux_install.h"

namespace gd::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck install-linux FILE [--remove]\n"
    "\n"
    "Installs the screensaver FILE for the current user: a copy in\n"
    "~/.local/share/glimmerdeck/, a program line in ~/.xscreensaver (everything else in the\n"
    "file stays; the file as it was is kept as ~/.xscreensaver.glimmerdeck~) and a desktop\n"
    "entry in ~/.local/share/applications/screensavers/ for the hosts that list them.\n"
    "Choose it in xscreensaver-settings afterwards. --remove undoes exactly that (FILE may\n"
    "be the screensaver or its installed copy).\n"
    "\n"
    "Exit codes: 0 done, 1 failed, 2 bad arguments.\n";

}  // namespace

int RunInstallLinux(std::span<const std::string_view> args) {
    std::string file;
    bool remove = false;
    for (auto a : args) {
        if (IsHelp(a)) return UsageExit("install-linux", kUsage);
        if (a == "--remove") remove = true;
        else if (a.starts_with("-")) return UsageExit("install-linux", kUsage, "unknown option " + std::string(a));
        else if (file.empty()) file = a;
        else return UsageExit("install-linux", kUsage, "more than one FILE");
    }
    if (file.empty()) return UsageExit("install-linux", kUsage, "no FILE given");
    LinuxInstallPaths paths = UserInstallPaths(ProgramFolder());
    LinuxInstallResult result = remove ? RemoveForUser(FullPath(file), paths) : InstallForUser(FullPath(file), paths);
    for (const auto& line : result.done) std::printf("%s\n", line.c_str());
    if (!result.ok) {
        PrintError("install-linux", result.error);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace gd::cli
