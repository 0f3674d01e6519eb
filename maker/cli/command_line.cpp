// glimmerdeck's command line: the sub-command named by the first argument runs with the
// rest. Shared by the Linux program and both Windows programs.
#include "maker/cli/command_line.h"

#include <cstdio>

#include "maker/cli/command.h"
#include "maker/project/path_rules.h"

namespace gd::cli {

namespace {

bool IsHelpRequest(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

const Command* FindCommand(std::string_view name) {
    for (const auto& c : Commands())
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace

std::string UsageText() {
    std::string text = "usage: glimmerdeck COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& c : Commands()) {
        char line[160];
        std::snprintf(line, sizeof line, "  %-14.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                      c.summary.data());
        text += line;
    }
    text += "\n'glimmerdeck COMMAND --help' describes one command.\n";
    return text;
}

bool IsWindowRequest(std::span<const std::string> args) {
    if (args.empty()) return true;
    const std::string& arg = args[0];
    return args.size() == 1 && !arg.starts_with("-") && !IsHelpRequest(arg) && !FindCommand(arg) &&
           UpperAscii(arg).ends_with(".PSM");
}

int RunCommandLine(std::span<const std::string> arg_list) {
    std::vector<std::string_view> args(arg_list.begin(), arg_list.end());
    if (args.empty()) {
        std::fputs(UsageText().c_str(), stderr);
        return kExitUsage;
    }
    if (IsHelpRequest(args[0])) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    }
    if (const Command* c = FindCommand(args[0])) return c->run(std::span<const std::string_view>(args).subspan(1));
    std::fprintf(stderr, "glimmerdeck: unknown command '%.*s'\n\n", int(args[0].size()), args[0].data());
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
}

}  // namespace gd::cli
