#include "maker/cli/command.h"

namespace gd::cli {

// One line per sub-command, in the order `--help` lists them. Declare each run function
// here and define it in the sub-command's own file.
int RunNew(std::span<const std::string_view> args);
int RunAdd(std::span<const std::string_view> args);
int RunRemove(std::span<const std::string_view> args);
int RunMove(std::span<const std::string_view> args);
int RunEffects(std::span<const std::string_view> args);
int RunShow(std::span<const std::string_view> args);
int RunSet(std::span<const std::string_view> args);
int RunMake(std::span<const std::string_view> args);
int RunInfo(std::span<const std::string_view> args);
int RunRenderEffect(std::span<const std::string_view> args);
int RunPlay(std::span<const std::string_view> args);
int RunInstallLinux(std::span<const std::string_view> args);

static const Command kCommands[] = {
    {"new", "create a project file (.psm) with pictures and music", RunNew},
    {"add", "add pictures and music (files or folders) to a project", RunAdd},
    {"remove", "remove pictures or music files from a project", RunRemove},
    {"move", "move a picture or music file to another place in its list", RunMove},
    {"show", "print every field of a project file", RunShow},
    {"set", "change fields of a project (captions, fonts, colours, settings) by name", RunSet},
    {"effects", "list the transition effects, and which a project uses", RunEffects},
    {"make", "make the screensaver of a project file", RunMake},
    {"info", "list the resources of an executable and decode a screensaver's payload", RunInfo},
    {"render-effect", "draw the steps of a transition effect, or a sheet of all, as PNG files", RunRenderEffect},
    // The Linux runtime's commands: a made screensaver played, or offered to the user's
    // screensaver hosts (listed in the Windows maker too, where they say what to do).
    {"play", "play a made screensaver in a window or full screen", RunPlay},
    {"install-linux", "install a made screensaver for this user's xscreensaver (or --remove it)", RunInstallLinux},
};

std::span<const Command> Commands() { return kCommands; }

}  // namespace gd::cli
