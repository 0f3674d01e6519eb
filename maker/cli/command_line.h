#pragma once
// The program's arguments (UTF-8, the program's own name left out) to a sub-command.

#include <span>
#include <string>

namespace gd::cli {

// "usage: glimmerdeck COMMAND ..." with one line per sub-command.
std::string UsageText();
// What --help prints: the usage, the formats read, the defaults, the conventions and a
// worked example.
std::string HelpText();

// True when the arguments ask for the maker's window rather than a sub-command: none at
// all (a double click), or a single project file (a .psm opened from the desktop).
bool IsWindowRequest(std::span<const std::string> args);

// Runs the sub-command the arguments name and returns its exit code; prints the usage
// (exit code 2) when there is none or it is unknown.
int RunCommandLine(std::span<const std::string> args);

}  // namespace gd::cli
