#pragma once
// The Add-pictures and Add-music dialogs of the Pictures and Music pages, opened where
// add_dialog_folders.h says: the user's Pictures (Music) folder the first time, then the
// folder files were last added from in that dialog.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "maker/ui/add_dialog_folders.h"
#include "maker/win32/maker_services.h"

namespace gd {

// The files chosen in the dialog (nothing when it was cancelled); the folder of the first
// of them is remembered for the next time.
std::optional<std::vector<std::string>> ChooseFilesToAdd(const MakerServices& services, AddDialog dialog, HWND owner);

// The user's own folder for the dialog's files (Pictures, Music), else the user's
// documents, else the user's profile folder; empty when the system names none.
std::string UserFolderFor(AddDialog dialog);

}  // namespace gd
