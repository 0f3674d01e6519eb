#include "maker/cli/command.h"

namespace gd::cli {

// One line per sub-command, in the order `--help` lists them. Declare each run function
// here and define it in the sub-command's own file.

static const Command kCommands[] = {
    {"", "", nullptr},  // placeholder until the first sub-command lands
};

std::span<const Command> Commands() {
    std::span<const Command> all(kCommands);
    return all.first(all.size() - 1);
}

}  // namespace gd::cli
