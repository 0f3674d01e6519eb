#include "maker/cli/cli_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace gd::cli {

std::string ProgramFolder() {
    if (const char* folder = std::getenv("GD_PROGRAM_FOLDER"); folder && *folder) return folder;
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
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
    PrintError(command, ProjectFileErrorText(result, path));
    return false;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::string FullPath(std::string_view path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    return error ? std::string(path) : full.lexically_normal().string();
}

}  // namespace gd::cli
