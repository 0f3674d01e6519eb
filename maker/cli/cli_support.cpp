#include "maker/cli/cli_support.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/native_path.h"

namespace gd::cli {

std::string ProgramFolder() {
#ifdef _WIN32
    if (const wchar_t* folder = _wgetenv(L"GD_PROGRAM_FOLDER"); folder && *folder)
        return PathText(std::filesystem::path(folder));
    std::wstring exe(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
    if (n == 0 || n >= exe.size()) return ".";
    exe.resize(n);
    return PathText(std::filesystem::path(exe).parent_path());
#else
    if (const char* folder = std::getenv("GD_PROGRAM_FOLDER"); folder && *folder) return folder;
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
#endif
}

void StderrMessages::ShowMessage(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
    std::fflush(stderr);
}

void PrintError(std::string_view command, std::string_view text) {
    std::fprintf(stderr, "glimmerdeck %.*s: %.*s\n", int(command.size()), command.data(), int(text.size()),
                 text.data());
}

bool OpenProject(std::string_view command, CScreenSaverDoc& doc, const std::string& path) {
    StderrMessages messages;
    ProjectFileResult result = doc.Open(path, messages);
    if (result == ProjectFileResult::kOk) return true;
    PrintError(command, ProjectFileErrorText(result, path, doc.LastFileError()));
    return false;
}

bool SaveProject(std::string_view command, CScreenSaverDoc& doc, const std::string& path) {
    StderrMessages messages;
    ProjectFileResult result = doc.Save(path, messages);
    if (result == ProjectFileResult::kOk) return true;
    PrintError(command, ProjectFileErrorText(result, path, doc.LastFileError()));
    return false;
}

int UsageExit(std::string_view command, std::string_view usage, const std::string& problem) {
    if (problem.empty()) {
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return 0;
    }
    PrintError(command, problem);
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return 2;
}

std::string Count(size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}
std::string Pictures(size_t n) { return Count(n, "picture", "pictures"); }
std::string MusicFiles(size_t n) { return Count(n, "music file", "music files"); }

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::string FullPath(std::string_view path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(NativePath(path), error);
    return error ? std::string(path) : PathText(full.lexically_normal());
}

bool CanRewriteLine(std::FILE* stream) {
#ifdef _WIN32
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) &&
           (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#else
    return IsTerminal(stream);
#endif
}

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    // _isatty also says yes for the NUL device; only a console has a console mode.
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
#else
    return ::isatty(::fileno(stream)) != 0;
#endif
}

}  // namespace gd::cli
