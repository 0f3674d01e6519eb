#include "maker/win32/added_files_check.h"

#include <windows.h>

#include "maker/win32/ui_text.h"

namespace gd {

namespace {

// A file that is not there stays in the list: the page reports it in its own words
// ("... is not exists!") when it cannot open it.
bool Exists(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Decoding a folder of large photos takes a moment: the wait cursor says so, and the
// files are checked on every core.
std::vector<RefusedFile> TakeRefused(std::vector<std::string>& paths, const FileProblem& check) {
    if (paths.empty()) return {};
    auto problem = [&](const std::string& path) { return Exists(path) ? check(path) : std::string(); };
    HCURSOR before = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    std::vector<RefusedFile> refused = TakeRefusedFiles(paths, problem, FileCheckThreads());
    SetCursor(before);
    return refused;
}

}  // namespace

#if GD_MAKER_HAS_BUILD
std::vector<RefusedFile> TakeRefusedPictures(std::vector<std::string>& paths) {
    return TakeRefused(paths, PictureProblem);
}
std::vector<RefusedFile> TakeRefusedMusic(std::vector<std::string>& paths) { return TakeRefused(paths, MusicProblem); }
#else
std::vector<RefusedFile> TakeRefusedPictures(std::vector<std::string>&) { return {}; }
std::vector<RefusedFile> TakeRefusedMusic(std::vector<std::string>&) { return {}; }
#endif

}  // namespace gd
