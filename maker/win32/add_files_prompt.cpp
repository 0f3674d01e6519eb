#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "maker/win32/add_files_prompt.h"

#include "common/utf16.h"

namespace gd {
namespace {

std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path) folder = Utf16ToUtf8(path);
    CoTaskMemFree(path);  // also after a failure, as the function asks
    return folder;
}

}  // namespace

std::string UserFolderFor(AddDialog dialog) {
    for (const KNOWNFOLDERID* id : {dialog == AddDialog::kPictures ? &FOLDERID_Pictures : &FOLDERID_Music,
                                    &FOLDERID_Documents, &FOLDERID_Profile})
        if (std::string folder = KnownFolder(*id); !folder.empty()) return folder;
    return {};
}

std::optional<std::vector<std::string>> ChooseFilesToAdd(const MakerServices& services, AddDialog dialog, HWND owner) {
    const std::string known = UserFolderFor(dialog);
    const std::string start = services.settings ? AddDialogFolder(*services.settings, dialog, known) : known;
    std::optional<std::vector<std::string>> chosen = dialog == AddDialog::kPictures
                                                         ? services.files->ChoosePictures(owner, start)
                                                         : services.files->ChooseMusic(owner, start);
    if (chosen && services.settings) RememberAddDialogFolder(*services.settings, dialog, *chosen);
    return chosen;
}

}  // namespace gd
