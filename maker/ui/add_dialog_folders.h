#pragma once
// Where the Add-pictures and Add-music dialogs open: in the folder the user last took
// files from in that dialog (each dialog remembers its own, in the user's settings), and
// the first time, or when that folder is gone, in the user's own Pictures or Music folder,
// never in the program's folder.

#include <string>
#include <string_view>
#include <vector>

#include "maker/ui/user_settings.h"

namespace gd {

enum class AddDialog { kPictures, kMusic };

// The settings' section and key of each dialog's folder.
inline constexpr std::string_view kAddDialogSection = "Folders";
std::string_view AddDialogKey(AddDialog dialog);

// The folder the dialog opens in: the remembered one while it is a folder, else
// `known_folder` (the user's Pictures or Music folder, which the caller finds).
std::string AddDialogFolder(UserSettings& settings, AddDialog dialog, const std::string& known_folder);

// Remembers the folder holding the first of the chosen files; nothing chosen, nothing
// remembered.
void RememberAddDialogFolder(UserSettings& settings, AddDialog dialog, const std::vector<std::string>& chosen);

// The folder part of a full path: "C:\\Photos" of "C:\\Photos\\a.jpg", "C:\\" of
// "C:\\a.jpg", "/" of "/a.jpg"; empty for a bare name.
std::string FolderOfFile(std::string_view path);

}  // namespace gd
