// glimmerdeck remove: pictures and music files out of a project.
#include <algorithm>
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/list_items.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck remove FILE.psm ITEM...\n"
    "Removes pictures and music files from the project. An ITEM is a key as 'glimmerdeck\n"
    "show' prints it (pictureList[2], musicList[0]; counted from 0, as listed before this\n"
    "command) or the path of a listed file. Nothing is changed when any ITEM names nothing.\n";

}  // namespace

int RunRemove(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    if (!args.empty() && IsHelp(args.Peek())) return UsageExit("remove", kUsage);
    if (args.empty()) return UsageExit("remove", kUsage, "the project file is missing");
    const std::string file(args.Take());
    if (args.empty()) return UsageExit("remove", kUsage, "nothing to remove");
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("remove", doc, file)) return kExitUsage;
    CParamData& project = doc.project();
    std::vector<size_t> pictures, music;
    while (!args.empty()) {
        std::string problem;
        std::optional<ListItem> item = FindListItem(project, args.Take(), problem);
        if (!item) return UsageExit("remove", kUsage, problem);
        (item->picture ? pictures : music).push_back(item->index);
    }
    // From the back, so the indices of the ones still to go stay right.
    for (auto* list : {&pictures, &music}) {
        std::sort(list->rbegin(), list->rend());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    for (size_t i : pictures) project.pictureList.erase(project.pictureList.begin() + std::ptrdiff_t(i));
    for (size_t i : music) project.musicList.erase(project.musicList.begin() + std::ptrdiff_t(i));
    if (!SaveProject("remove", doc, file)) return kExitFailed;
    std::printf("%s: %s and %s removed; %s, %s left\n", file.c_str(), Pictures(pictures.size()).c_str(),
                MusicFiles(music.size()).c_str(), Pictures(project.pictureList.size()).c_str(),
                MusicFiles(project.musicList.size()).c_str());
    return kExitOk;
}

}  // namespace gd::cli
