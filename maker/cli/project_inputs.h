#pragma once
// Pictures and music named on the command line, added to a project: files, or folders
// whose files come in name order. What cannot be used is listed on stderr with the
// reason and left out; a file already listed is noted and left out.

#include <string>
#include <string_view>
#include <vector>

#include "maker/cli/input_check.h"
#include "maker/project/screensaver_doc.h"

namespace gd::cli {

struct AddedInputs {
    int pictures = 0;
    int music = 0;
    int skipped = 0;  // refused or of no known type (already listed ones are not counted)
    int named = 0;    // files looked at
};

// Adds each path as its kind says (KindOfFile), or all of them as `kind` when given.
// Messages are "glimmerdeck COMMAND: PATH: reason" lines on stderr.
AddedInputs AddInputs(std::string_view command, CScreenSaverDoc& doc, const std::vector<std::string>& paths,
                      const InputKind* kind = nullptr);

// "2 of 14 files skipped"; empty when none was.
std::string SkippedFilesText(const AddedInputs& added);

}  // namespace gd::cli
