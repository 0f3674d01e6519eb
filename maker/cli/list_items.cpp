#include "maker/cli/list_items.h"

#include <charconv>

#include "maker/cli/cli_support.h"
#include "maker/project/path_rules.h"

namespace gd::cli {

namespace {

// The N of "<list>[N]", or nothing when `arg` is not of that form.
std::optional<size_t> IndexIn(std::string_view arg, std::string_view list) {
    if (!arg.starts_with(list) || arg.size() < list.size() + 3 || arg[list.size()] != '[' || arg.back() != ']')
        return std::nullopt;
    std::string_view digits = arg.substr(list.size() + 1, arg.size() - list.size() - 2);
    size_t index = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return index;
}

}  // namespace

std::optional<ListItem> FindListItem(const CParamData& project, std::string_view arg, std::string& problem) {
    const size_t pictures = project.pictureList.size(), music = project.musicList.size();
    for (bool picture : {true, false}) {
        std::optional<size_t> index = IndexIn(arg, picture ? "pictureList" : "musicList");
        if (!index) continue;
        if (*index < (picture ? pictures : music)) return ListItem{picture, *index};
        problem = "no " + std::string(arg) + ": the project has " + std::to_string(picture ? pictures : music) +
                  (picture ? " pictures" : " music files");
        return std::nullopt;
    }
    const std::string path = FullPath(arg);
    for (size_t i = 0; i < pictures; ++i)
        if (SamePath(project.pictureList[i].szFile, path)) return ListItem{true, i};
    for (size_t i = 0; i < music; ++i)
        if (SamePath(project.musicList[i], path)) return ListItem{false, i};
    problem = path + " is not in the project";
    return std::nullopt;
}

std::string ListItemKey(const ListItem& item) {
    return std::string(item.picture ? "pictureList[" : "musicList[") + std::to_string(item.index) + "]";
}

}  // namespace gd::cli
