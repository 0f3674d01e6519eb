#pragma once
// What the Windows programs need around the shared command line: the arguments as UTF-8,
// output that reaches a console or a redirected file, and starting the window program.

#include <string>
#include <vector>

namespace gd::cli {

// The program's arguments after its own name, from the wide command line, as UTF-8.
std::vector<std::string> WideCommandLineArguments();

// Gives a program of the window subsystem the console of the program that started it for
// every standard stream that is not already a file or a pipe; false when there was no
// console to attach to and nothing was redirected.
bool UseParentConsole();

// While it lives, a console shows the UTF-8 the command line prints (and the progress
// line's cursor controls); the console's own code page is restored afterwards. Redirected
// output is left as it is: the same UTF-8 bytes the Linux program writes.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previous_code_page_ = 0;
};

// One command line for CreateProcess from separate arguments, quoted so that the started
// program's argument list is exactly `args` again.
std::wstring QuoteCommandLine(const std::vector<std::wstring>& args);

// Starts `program` with the arguments and does not wait for it; false when it cannot start.
bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& args);

}  // namespace gd::cli
