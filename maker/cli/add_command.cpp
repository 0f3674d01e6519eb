// glimmerdeck add: pictures and music into a project, files or whole folders.
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/project_inputs.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck add FILE.psm PATH... [--pictures|--music] [--strict]\n"
    "Adds pictures and music files at the end of the project's lists. A PATH that is a\n"
    "folder adds its files (not those of its sub-folders) in name order. Music is known by\n"
    "its extension (.wav, .mp3, .mid, .midi, .rmi), everything else is taken for a picture;\n"
    "--pictures or --music takes every PATH as that. Each file is checked first: one that\n"
    "cannot be read, does not decode or is no music file is listed on stderr with the\n"
    "reason and skipped, as are a folder's files of other types, and one already listed.\n"
    "--strict: when anything was skipped, change nothing and exit 1.\n";

}  // namespace

int RunAdd(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    std::string file;
    std::vector<std::string> paths;
    std::optional<InputKind> kind;
    bool strict = false;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        if (IsHelp(arg)) return UsageExit("add", kUsage);
        if (arg == "--pictures") kind = InputKind::kPicture;
        else if (arg == "--music") kind = InputKind::kMusic;
        else if (arg == "--strict") strict = true;
        else if (arg.starts_with("-") && arg.size() > 1) return UsageExit("add", kUsage, "unknown option " + std::string(arg));
        else if (file.empty()) file = arg;
        else paths.emplace_back(arg);
    }
    if (file.empty() || paths.empty()) return UsageExit("add", kUsage, file.empty() ? "the project file is missing" : "nothing to add");
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("add", doc, file)) return kExitUsage;
    AddedInputs added = AddInputs("add", doc, paths, kind ? &*kind : nullptr);
    if (std::string skipped = SkippedFilesText(added); !skipped.empty()) {
        PrintError("add", skipped);
        if (strict) return kExitFailed;
    }
    if (!SaveProject("add", doc, file)) return kExitFailed;
    const CParamData& project = doc.project();
    std::printf("%s: %s and %s added; %s, %s in all\n", file.c_str(), Pictures(size_t(added.pictures)).c_str(),
                MusicFiles(size_t(added.music)).c_str(), Pictures(project.pictureList.size()).c_str(),
                MusicFiles(project.musicList.size()).c_str());
    return kExitOk;
}

}  // namespace gd::cli
