#include "maker/cli/windows_console.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "common/utf16.h"

namespace gd::cli {

namespace {

bool IsUsable(HANDLE h) { return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN; }

void EnableCursorControls(DWORD which) {
    HANDLE h = GetStdHandle(which);
    DWORD mode = 0;
    if (IsUsable(h) && GetConsoleMode(h, &mode)) SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace

std::vector<std::string> WideCommandLineArguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.push_back(Utf16ToUtf8(argv[i]));
    LocalFree(argv);
    return args;
}

bool UseParentConsole() {
    const bool in = IsUsable(GetStdHandle(STD_INPUT_HANDLE));
    const bool out = IsUsable(GetStdHandle(STD_OUTPUT_HANDLE));
    const bool err = IsUsable(GetStdHandle(STD_ERROR_HANDLE));
    if (in && out && err) return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return out || err;
    if (!in) std::freopen("CONIN$", "r", stdin);
    if (!out) std::freopen("CONOUT$", "w", stdout);
    if (!err) std::freopen("CONOUT$", "w", stderr);
    return true;
}

Utf8Console::Utf8Console() : previous_code_page_(GetConsoleOutputCP()) {
    if (previous_code_page_ != 0) SetConsoleOutputCP(CP_UTF8);
    EnableCursorControls(STD_OUTPUT_HANDLE);
    EnableCursorControls(STD_ERROR_HANDLE);
}

Utf8Console::~Utf8Console() {
    std::fflush(stdout);
    std::fflush(stderr);
    if (previous_code_page_ != 0) SetConsoleOutputCP(previous_code_page_);
}

// The rules CommandLineToArgvW reads back: backslashes are literal except before a double
// quote, where each pair stands for one backslash and an odd one escapes the quote.
std::wstring QuoteCommandLine(const std::vector<std::wstring>& args) {
    std::wstring line;
    for (const std::wstring& arg : args) {
        if (!line.empty()) line += L' ';
        if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
            line += arg;
            continue;
        }
        line += L'"';
        size_t backslashes = 0;
        for (wchar_t c : arg) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, L'\\');
        line += L'"';
    }
    return line;
}

bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& args) {
    std::vector<std::wstring> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::wstring line = QuoteCommandLine(all);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace gd::cli
