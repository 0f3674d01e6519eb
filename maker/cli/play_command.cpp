// glimmerdeck play: plays a made screensaver on Linux with the runtime beside the maker.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"

namespace gd::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck play FILE [--window | --fullscreen]\n"
    "\n"
    "Plays the screensaver FILE (.scr or .exe, made with glimmerdeck make) with its pictures,\n"
    "captions and music: in a window (the default; Escape or closing it ends the show) or\n"
    "over the whole screen, where it ends on the mouse and keyboard events its author chose\n"
    "(and always on Escape). The screensaver's settings file in ~/.config/glimmerdeck\n"
    "applies, as when a screensaver host runs it.\n"
    "\n"
    "Exit codes: 0 played, 1 FILE cannot be played, 2 bad arguments.\n";

}  // namespace

int RunPlay(std::span<const std::string_view> args) {
    std::string file, mode = "--window";
    for (auto a : args) {
        if (IsHelp(a)) return UsageExit("play", kUsage);
        if (a == "--window" || a == "--fullscreen") mode = a;
        else if (a.starts_with("-")) return UsageExit("play", kUsage, "unknown option " + std::string(a));
        else if (file.empty()) file = a;
        else return UsageExit("play", kUsage, "more than one FILE");
    }
    if (file.empty()) return UsageExit("play", kUsage, "no FILE given");
    const std::string runtime = ProgramFolder() + "/reelhost";
    if (::access(runtime.c_str(), X_OK) != 0) {
        PrintError("play", "the runtime " + runtime + " is missing");
        return kExitFailed;
    }
    std::vector<std::string> argv_text = {runtime, mode, "--file", file};
    std::vector<char*> argv;
    for (auto& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    // The runtime takes this process's place: signals and the exit code are its own.
    ::execv(runtime.c_str(), argv.data());
    PrintError("play", "cannot start " + runtime);
    return kExitFailed;
}

}  // namespace gd::cli
