#pragma once
// The file and folder choices of the maker's window, behind one interface so that tests
// answer them instead of a dialog. Paths are UTF-8, like the project's.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gd {

class FilePrompts {
public:
    virtual ~FilePrompts() = default;
    // A project file to open: "Screensaver Project  Files (*.psm)", read-only box hidden.
    virtual std::optional<std::string> OpenProject(HWND owner) = 0;
    // Where to save the project; asks before an existing file is replaced.
    virtual std::optional<std::string> SaveProjectAs(HWND owner, const std::string& suggested_name) = 0;
    // An icon file, in the picture-previewing dialog starting in `start_folder`.
    virtual std::optional<std::string> ChooseIcon(HWND owner, const std::string& start_folder) = 0;
    // A file-system folder, in the system's folder browser titled `title`.
    virtual std::optional<std::string> ChooseFolder(HWND owner, const std::wstring& title) = 0;
    // Pictures to add, in the picture-previewing dialog "Add image files to list" starting
    // in `start_folder`; any number of them, in the dialog's order.
    virtual std::optional<std::vector<std::string>> ChoosePictures(HWND owner, const std::string& start_folder) = 0;
    // Music files to add, in the open dialog "Add music files to list" starting in
    // `start_folder`; any number of them, in the dialog's order.
    virtual std::optional<std::vector<std::string>> ChooseMusic(HWND owner, const std::string& start_folder) = 0;
};

// The platform's dialogs.
FilePrompts& SystemFilePrompts();

}  // namespace gd
