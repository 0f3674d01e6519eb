#include "maker/cli/input_check.h"

#include <algorithm>

#include "maker/project/file_io.h"
#include "maker/project/image_type.h"
#include "maker/project/path_rules.h"

namespace gd::cli {

InputKind KindOfFile(const std::string& path) {
    return HasMusicExtension(path) ? InputKind::kMusic : InputKind::kPicture;
}

ExpandedInputs ExpandInput(const std::string& path, const InputKind* only) {
    ExpandedInputs out;
    std::vector<std::string> names = FolderEntries(path);
    if (names.empty() && !IsFolder(path)) {
        out.files.push_back(path);
        return out;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string file = JoinPath(path, name);
        if (IsFolder(file)) continue;
        const bool picture = HasPictureExtension(file), music = HasMusicExtension(file);
        if (!only && (picture || music)) out.files.push_back(file);
        else if (only && (*only == InputKind::kPicture ? picture : music)) out.files.push_back(file);
        else if (!only) out.skipped.emplace_back(file, "not a picture or music file");
        else out.skipped.emplace_back(file, *only == InputKind::kPicture ? "not a picture file" : "not a music file");
    }
    return out;
}

}  // namespace gd::cli
