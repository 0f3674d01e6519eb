// The maker on Windows, built twice from this file:
//
// Glimmerdeck.exe, a window-subsystem program: without a sub-command (a double click, a
// .psm opened from the desktop) it opens the maker's window, and no console window ever
// flashes. Given a sub-command it runs it, printing to the console of the program that
// started it, or to the files its output is redirected to.
//
// glimmerdeck.com, a console-subsystem companion: typing "glimmerdeck" in cmd.exe or
// PowerShell finds it before Glimmerdeck.exe (PATHEXT lists .COM first), so the shell
// waits for the command and its output arrives in order, before the next prompt. Without
// a sub-command it starts Glimmerdeck.exe beside it and returns.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/path_parts.h"
#include "common/utf16.h"
#include "maker/cli/command.h"
#include "maker/cli/command_line.h"
#include "maker/cli/interrupt_cleanup.h"
#include "maker/cli/windows_console.h"
#if !GD_CONSOLE_COMPANION
#include "maker/win32/maker_window.h"
#endif

namespace {

std::vector<std::wstring> Wide(const std::vector<std::string>& args) {
    std::vector<std::wstring> wide;
    for (const std::string& a : args) wide.push_back(gd::Utf8ToUtf16(a));
    return wide;
}

[[maybe_unused]] std::wstring WindowProgramBesideThisOne() {
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(n < path.size() ? n : 0);
    return gd::JoinPathParts(gd::PathFolder(std::wstring_view(path), gd::kWindowsSeparators), L"Glimmerdeck.exe",
                             gd::kWindowsSeparators);
}

#if !GD_CONSOLE_COMPANION
int OpenWindow(const std::vector<std::string>& args) {
    return gd::RunMakerWindow(GetModuleHandleW(nullptr), Wide(args));
}
#endif

}  // namespace

int main() {
    const std::vector<std::string> args = gd::cli::WideCommandLineArguments();
    const bool window = gd::cli::IsWindowRequest(args);
#if GD_CONSOLE_COMPANION
    if (window) {
        const std::wstring program = WindowProgramBesideThisOne();
        if (gd::cli::StartProgram(program, Wide(args))) return gd::cli::kExitOk;
        std::fprintf(stderr, "glimmerdeck: cannot start %s\n", gd::Utf16ToUtf8(program).c_str());
        return gd::cli::kExitFailed;
    }
#else
    if (window) return OpenWindow(args);
    if (!gd::cli::UseParentConsole() && args.empty()) {
        // A double click with nowhere to print: the usage in a message box.
        MessageBoxW(nullptr, gd::Utf8ToUtf16(gd::cli::UsageText()).c_str(), L"Glimmerdeck", MB_OK | MB_ICONINFORMATION);
        return gd::cli::kExitUsage;
    }
#endif
    gd::cli::Utf8Console console;
    gd::cli::InstallInterruptCleanup();
    return gd::cli::RunCommandLine(args);
}
