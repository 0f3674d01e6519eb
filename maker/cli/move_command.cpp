// glimmerdeck move: a picture or music file to another place in its list.
#include <charconv>
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/list_items.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck move FILE.psm ITEM POSITION\n"
    "Moves a picture or music file within its list so that it ends up at POSITION (counted\n"
    "from 0), or 'first' or 'last'. ITEM is a key as 'glimmerdeck show' prints it\n"
    "(pictureList[4], musicList[1]) or the path of a listed file. The order is the show's\n"
    "order when pictures (or music) are not shuffled.\n";

template <class T> void MoveWithin(std::vector<T>& list, size_t from, size_t to) {
    T item = std::move(list[from]);
    list.erase(list.begin() + std::ptrdiff_t(from));
    list.insert(list.begin() + std::ptrdiff_t(to), std::move(item));
}

}  // namespace

int RunMove(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    if (!args.empty() && IsHelp(args.Peek())) return UsageExit("move", kUsage);
    std::vector<std::string_view> words;
    while (!args.empty()) words.push_back(args.Take());
    if (words.size() != 3) return UsageExit("move", kUsage, "expected FILE.psm ITEM POSITION");
    const std::string file(words[0]);
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("move", doc, file)) return kExitUsage;
    CParamData& project = doc.project();
    std::string problem;
    std::optional<ListItem> item = FindListItem(project, words[1], problem);
    if (!item) return UsageExit("move", kUsage, problem);
    const size_t size = item->picture ? project.pictureList.size() : project.musicList.size();
    size_t to = 0;
    std::string_view position = words[2];
    if (position == "last") {
        to = size - 1;
    } else if (position != "first") {
        auto [end, error] = std::from_chars(position.data(), position.data() + position.size(), to);
        if (error != std::errc() || end != position.data() + position.size() || to >= size)
            return UsageExit("move", kUsage,
                             "POSITION is 'first', 'last' or a number from 0 to " + std::to_string(size - 1) + ", not '" +
                                 std::string(position) + "'");
    }
    if (item->picture) MoveWithin(project.pictureList, item->index, to);
    else MoveWithin(project.musicList, item->index, to);
    if (!SaveProject("move", doc, file)) return kExitFailed;
    std::printf("%s: %s is now %s\n", file.c_str(), ListItemKey(*item).c_str(), ListItemKey({item->picture, to}).c_str());
    return kExitOk;
}

}  // namespace gd::cli
