#pragma once
// The name buffer of an open-file dialog that lets the user choose many files. The system
// dialog writes the chosen names into a buffer of a size fixed in advance and, when they
// do not fit, fails with nothing chosen; a thousand photos with camera names need far more
// than any fixed size worth reserving. So the dialog's hook asks, at every change of the
// selection, how long the names are and grows the buffer before the user presses Open.

#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

namespace gd {

class OpenFileNames {
public:
    explicit OpenFileNames(size_t initial_characters);

    // Points the dialog's structure at the buffer.
    void Attach(OPENFILENAMEW& ofn);
    // Makes room for at least `characters` (keeping what the buffer holds) and points the
    // structure at the new buffer.
    void Reserve(OPENFILENAMEW& ofn, size_t characters);
    // A selection changed in `dialog` (the system dialog, the hook window's parent): room
    // for the folder and every name it now shows.
    void FitSelection(HWND dialog, OPENFILENAMEW& ofn);

    size_t capacity() const { return buffer_.size(); }
    const wchar_t* data() const { return buffer_.data(); }
    // The chosen paths once the dialog returned (see SplitSelection).
    std::vector<std::string> Paths() const;

private:
    std::wstring buffer_;
};

// The characters a selection needs in the buffer: the folder, each name and their NULs,
// from the lengths the dialog reports for the folder and for the name field (which holds
// the names quoted, so it is never shorter than they are), with room to spare.
size_t CharactersForSelection(size_t folder_length, size_t names_length);

// The paths of a multiple selection as the dialog returns them: the folder and the names
// separated by NULs (or a single full path), ended by two NULs.
std::vector<std::string> SplitSelection(const std::wstring& buffer);

// Runs the system's open dialog on `ofn` with `names` as its buffer. When the names did
// not fit after all (typed rather than selected), the buffer is grown to what the dialog
// asked for and the user is told to choose again, and the dialog runs once more. The
// chosen paths, or nothing when cancelled.
std::optional<std::vector<std::string>> RunOpenFileDialog(OPENFILENAMEW& ofn, OpenFileNames& names);

}  // namespace gd
