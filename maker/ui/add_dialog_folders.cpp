#include "maker/ui/add_dialog_folders.h"

#include "common/path_parts.h"
#include "maker/project/file_io.h"

namespace gd {

std::string_view AddDialogKey(AddDialog dialog) {
    return dialog == AddDialog::kPictures ? "AddPictures" : "AddMusic";
}

std::string AddDialogFolder(UserSettings& settings, AddDialog dialog, const std::string& known_folder) {
    std::optional<std::string> last = settings.GetString(kAddDialogSection, AddDialogKey(dialog));
    // A folder since removed, or a disk no longer there, would leave the dialog wherever
    // the system puts it.
    if (last && !last->empty() && IsFolder(*last)) return *last;
    return known_folder;
}

void RememberAddDialogFolder(UserSettings& settings, AddDialog dialog, const std::vector<std::string>& chosen) {
    if (chosen.empty()) return;
    const std::string folder = FolderOfFile(chosen.front());
    if (!folder.empty()) settings.SetString(kAddDialogSection, AddDialogKey(dialog), folder);
}

std::string FolderOfFile(std::string_view path) {
    const size_t start = PathNameStart(path, kNativeSeparators);
    if (start == 0 || !IsPathSeparator(path[start - 1], kNativeSeparators)) return {};
    std::string_view folder = path.substr(0, start - 1);
    // A root keeps its separator: "C:" alone is the drive's current folder, "" no folder.
    if (folder.empty() || folder.back() == ':') folder = path.substr(0, start);
    return std::string(folder);
}

}  // namespace gd
