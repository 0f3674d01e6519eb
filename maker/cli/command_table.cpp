#include "maker/cli/command.h"

namespace gd::cli {

// One line per sub-command, in the order `--help` lists them. Declare each run function
// here and define it in the sub-command's own file.
int RunRenderEffect(std::span<const std::string_view> args);
int RunInfo(std::span<const std::string_view> args);

static const Command kCommands[] = {
    {"info", "list the resources of an executable and decode a screensaver's payload", RunInfo},
    {"render-effect", "draw the steps of a transition effect, or a sheet of all, as PNG files", RunRenderEffect},
};

std::span<const Command> Commands() { return kCommands; }

}  // namespace gd::cli
