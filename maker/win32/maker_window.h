#pragma once
// The maker's window program: what Glimmerdeck.exe runs when it is not given a
// command-line sub-command.

#include <windows.h>

#include <string>
#include <vector>

namespace gd {

// Starts the maker's window and runs it until it closes; `args` are the command-line
// arguments after the program's name (the first, if any, is a project file to open).
// The program's exit code.
int RunMakerWindow(HINSTANCE instance, const std::vector<std::wstring>& args);

}  // namespace gd
