#pragma once
// What may go into a project from the command line (maker/project/input_problems.h says
// which files pass), and the inputs a named folder stands for.

#include <string>
#include <vector>

#include "maker/project/input_problems.h"

namespace gd::cli {

enum class InputKind { kPicture, kMusic };

// Decides by the extension: WAV, MP3, MID, MIDI and RMI are music, anything else is taken
// for a picture (the decoder reads the content, whatever the name says).
InputKind KindOfFile(const std::string& path);

// One input named on the command line: a file, or every file of a folder (not its
// sub-folders) in name order. Folder entries of no known picture or music type (of the
// one kind, when `only` is given) are listed in `skipped` with the reason.
struct ExpandedInputs {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> skipped;  // path, reason
};
ExpandedInputs ExpandInput(const std::string& path, const InputKind* only = nullptr);

}  // namespace gd::cli
