#pragma once
// What may go into a project from the command line: pictures the maker can decode, music
// files the screensaver can play (WAV, MP3, MIDI), an icon file the build can use. A file
// that cannot is refused with the reason (the system's or the decoder's words), before it
// reaches the project, so a build never meets it.

#include <string>
#include <vector>

namespace gd::cli {

enum class InputKind { kPicture, kMusic };

// Decides by the extension: WAV, MP3, MID, MIDI and RMI are music, anything else is taken
// for a picture (the decoder reads the content, whatever the name says).
InputKind KindOfFile(const std::string& path);
// Whether the extension is one of a picture format the maker reads.
bool HasPictureExtension(const std::string& path);

// Why the file cannot be a picture of the project, or empty: it cannot be read, or it does
// not decode (the decoder's error text).
std::string PictureProblem(const std::string& path);
// Why the file cannot be music of the project, or empty: it cannot be read, is empty, or
// its first bytes are not those of a WAV, MP3 or MIDI file.
std::string MusicProblem(const std::string& path);
// Why the file cannot be the screensaver's icon, or empty: it cannot be read or is not an
// icon file (.ico) with at least one image inside it.
std::string IconProblem(const std::string& path);

// One input named on the command line: a file, or every file of a folder (not its
// sub-folders) in name order. Folder entries of no known picture or music type (of the
// one kind, when `only` is given) are listed in `skipped` with the reason.
struct ExpandedInputs {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> skipped;  // path, reason
};
ExpandedInputs ExpandInput(const std::string& path, const InputKind* only = nullptr);

}  // namespace gd::cli
