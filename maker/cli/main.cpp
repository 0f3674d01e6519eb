// glimmerdeck: the maker. With a sub-command it works on the command line; the graphical
// maker comes later.
#include <cstdio>
#include <string_view>
#include <vector>

#include "maker/cli/command.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: glimmerdeck COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : gd::cli::Commands())
        std::fprintf(out, "  %-14.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                     c.summary.data());
    std::fprintf(out, "\n'glimmerdeck COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(stderr);
        return gd::cli::kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(stdout);
        return gd::cli::kExitOk;
    }
    for (const auto& c : gd::cli::Commands()) {
        if (c.name == args[0]) return c.run(std::span<const std::string_view>(args).subspan(1));
    }
    std::fprintf(stderr, "glimmerdeck: unknown command '%.*s'\n\n", int(args[0].size()), args[0].data());
    PrintUsage(stderr);
    return gd::cli::kExitUsage;
}
