// glimmerdeck play and install-linux in the Windows maker: listed as on Linux, so both
// makers show the same commands, but what they do needs the Linux runtime and a Linux
// screensaver host. On Windows a made screensaver plays by itself (FILE /s) and installs
// with its launcher or `make --set-default`.
#include <span>
#include <string>
#include <string_view>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"

namespace gd::cli {
namespace {

int LinuxOnly(std::string_view command, std::span<const std::string_view> args, std::string_view usage) {
    for (auto a : args)
        if (IsHelp(a)) return UsageExit(command, usage);
    PrintError(command, "this command is for Linux; on Windows start the screensaver itself (FILE /s), or install "
                        "it with its launcher or glimmerdeck make --set-default");
    return kExitFailed;
}

}  // namespace

int RunPlay(std::span<const std::string_view> args) {
    return LinuxOnly("play", args,
                     "usage: glimmerdeck play FILE [--window | --fullscreen]\n\n"
                     "On Linux, plays the screensaver FILE with the Linux runtime. On Windows start the\n"
                     "screensaver itself: FILE /s.\n");
}

int RunInstallLinux(std::span<const std::string_view> args) {
    return LinuxOnly("install-linux", args,
                     "usage: glimmerdeck install-linux FILE [--remove]\n\n"
                     "On Linux, installs the screensaver FILE for the user's xscreensaver. On Windows\n"
                     "install it with its launcher or glimmerdeck make --set-default.\n");
}

}  // namespace gd::cli
