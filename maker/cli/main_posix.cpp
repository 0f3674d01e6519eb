// glimmerdeck on Linux: the command line of the maker.
#include <string>
#include <vector>

#include "maker/cli/command_line.h"
#include "maker/cli/interrupt_cleanup.h"

int main(int argc, char** argv) {
    gd::cli::InstallInterruptCleanup();
    std::vector<std::string> args(argv + 1, argv + argc);
    return gd::cli::RunCommandLine(args);
}
