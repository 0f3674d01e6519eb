#pragma once
// How the command line names one picture or music file of a project: by its key as
// 'glimmerdeck show' prints it ("pictureList[3]", "musicList[0]", counted from 0) or by
// its path.

#include <optional>
#include <string>
#include <string_view>

#include "maker/project/param_data.h"

namespace gd::cli {

struct ListItem {
    bool picture = true;  // else music
    size_t index = 0;
};

// The item `arg` names; nothing, with the reason in `problem`, when it names none.
std::optional<ListItem> FindListItem(const CParamData& project, std::string_view arg, std::string& problem);

// "pictureList[3]" or "musicList[0]".
std::string ListItemKey(const ListItem& item);

}  // namespace gd::cli
