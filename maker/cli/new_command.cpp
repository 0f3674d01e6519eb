// glimmerdeck new: a new project file with the defaults, the given pictures and music.
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/project_inputs.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"
#include "maker/project/validate_for_make.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck new FILE.psm [--name N] [--picture P]... [--music M]... [--icon I]\n"
    "                       [--output-folder D] [--self-install|--standard] [--force] [--strict]\n"
    "Creates a project with the defaults of a new project and the given pictures and music,\n"
    "in order; a P or M that is a folder gives its pictures or music files in name order.\n"
    "Files that cannot be read, do not decode or are no music file are listed on stderr\n"
    "with the reason and skipped, as is one already listed (the same path, as the file\n"
    "system compares names). --icon takes an icon file (.ico), checked at once.\n"
    "--output-folder is where 'make' writes the screensaver (default: the desktop, else the\n"
    "home folder); --self-install makes an .exe (the default), --standard a .scr.\n"
    "--force replaces an existing FILE.psm; --strict creates nothing when a file was skipped.\n";

struct NewOptions {
    std::string file;
    std::optional<std::string> name, icon, output_folder;
    std::optional<int> self_install;
    std::vector<std::string> pictures, music;
    bool force = false;
    bool strict = false;
};

// Returns an empty text when the arguments make sense, else what is wrong.
std::string ReadOptions(Args& args, NewOptions& o) {
    while (!args.empty()) {
        std::string_view arg = args.Take();
        auto need = [&](std::optional<std::string>& into) -> std::string {
            into = args.Value();
            return into ? "" : std::string(arg) + " needs a value";
        };
        std::optional<std::string> value;
        std::string problem;
        if (arg == "--name") problem = need(o.name);
        else if (arg == "--icon") problem = need(o.icon);
        else if (arg == "--output-folder") problem = need(o.output_folder);
        else if (arg == "--picture" || arg == "--music") {
            problem = need(value);
            if (value) (arg == "--picture" ? o.pictures : o.music).push_back(*value);
        } else if (arg == "--self-install") o.self_install = 1;
        else if (arg == "--standard") o.self_install = 0;
        else if (arg == "--force") o.force = true;
        else if (arg == "--strict") o.strict = true;
        else if (arg.starts_with("-")) problem = "unknown option " + std::string(arg);
        else if (o.file.empty()) o.file = arg;
        else problem = "only one project file, not also '" + std::string(arg) + "'";
        if (!problem.empty()) return problem;
    }
    if (o.file.empty()) return "the project file is missing";
    if (o.name)
        if (std::string problem = NameProblem(*o.name); !problem.empty()) return problem;
    if (o.name)
        if (auto reason = CheckRecordText(*o.name, kMaxName)) return "--name: " + *reason;
    if (o.icon)
        if (std::string problem = IconProblem(FullPath(*o.icon)); !problem.empty())
            return "--icon " + *o.icon + ": " + problem;
    if (o.output_folder && !IsFolder(FullPath(*o.output_folder)))
        return "--output-folder " + *o.output_folder + ": not a folder";
    return {};
}

}  // namespace

int RunNew(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    if (!args.empty() && IsHelp(args.Peek())) return UsageExit("new", kUsage);
    NewOptions o;
    if (std::string problem = ReadOptions(args, o); !problem.empty()) return UsageExit("new", kUsage, problem);
    if (!o.force && PathExists(o.file)) {
        PrintError("new", o.file + " already exists (use --force to replace it)");
        return kExitUsage;
    }
    CScreenSaverDoc doc(ProgramFolder());
    CParamData& project = doc.project();
    if (o.name) project.szName = *o.name;
    if (o.icon) project.szIconFile = FullPath(*o.icon);
    if (o.output_folder) project.szOutputFolder = FullPath(*o.output_folder);
    if (o.self_install) project.bSelfInstall = *o.self_install;
    const InputKind picture = InputKind::kPicture, music = InputKind::kMusic;
    AddedInputs added = AddInputs("new", doc, o.pictures, &picture);
    AddedInputs added_music = AddInputs("new", doc, o.music, &music);
    added.skipped += added_music.skipped;
    added.named += added_music.named;
    if (std::string skipped = SkippedFilesText(added); !skipped.empty()) {
        PrintError("new", skipped);
        if (o.strict) return kExitFailed;
    }
    if (!SaveProject("new", doc, o.file)) return kExitFailed;
    std::printf("%s: %s, %s\n", o.file.c_str(), Pictures(project.pictureList.size()).c_str(),
                MusicFiles(project.musicList.size()).c_str());
    return kExitOk;
}

}  // namespace gd::cli
