#pragma once
// The sub-commands of the `glimmerdeck` command line. Each lives in its own file and is
// listed once in command_table.cpp.

#include <span>
#include <string_view>

namespace gd::cli {

// Exit codes shared by every sub-command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Command {
    std::string_view name;
    std::string_view summary;  // one line for `glimmerdeck --help`
    // args excludes the program and sub-command names.
    int (*run)(std::span<const std::string_view> args);
};

std::span<const Command> Commands();

}  // namespace gd::cli
