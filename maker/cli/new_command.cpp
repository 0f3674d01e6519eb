// glimmerdeck new: a new project file with the defaults, the given pictures and music.
#include <cstdio>

#include "common/native_file.h"

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"
#include "maker/project/validate_for_make.h"

namespace gd::cli {

namespace {

constexpr const char* kUsage =
    "usage: glimmerdeck new FILE.psm [--name N] [--picture P]... [--music M]... [--icon I]\n"
    "                       [--output-folder D] [--self-install|--standard] [--force]\n"
    "Creates a project with the defaults of a new project and the given pictures and music,\n"
    "in order. A file already listed (the same path, as the file system compares names) is\n"
    "skipped. --force replaces an existing FILE.psm.\n";

bool CanOpenForReading(const std::string& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

struct NewOptions {
    std::string file;
    std::optional<std::string> name, icon, output_folder;
    std::optional<int> self_install;
    std::vector<std::string> pictures, music;
    bool force = false;
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
        else if (arg.starts_with("-")) problem = "unknown option " + std::string(arg);
        else if (o.file.empty()) o.file = arg;
        else problem = "only one project file, not also '" + std::string(arg) + "'";
        if (!problem.empty()) return problem;
    }
    if (o.file.empty()) return "the project file is missing";
    if (o.name && !NameProblem(*o.name).empty()) return std::string(NameProblem(*o.name));
    if (o.name)
        if (auto reason = CheckRecordText(*o.name, kMaxName)) return "--name: " + *reason;
    return {};
}

// Adds the files in order; an unreadable one is reported and left out, one already listed
// is skipped with a note.
void AddFiles(CScreenSaverDoc& doc, const NewOptions& o) {
    StderrMessages messages;
    for (const std::string& given : o.pictures) {
        std::string path = FullPath(given);
        if (doc.project().HasPicture(path)) PrintError("new", path + " is already listed; skipped");
        else if (!CanOpenForReading(path)) messages.ShowMessage(path + " is not exists!");
        else doc.project().AddPicture(path, doc.DefaultCaptionStyle());
    }
    for (const std::string& given : o.music) {
        std::string path = FullPath(given);
        if (ContainsPath(doc.project().musicList, path)) PrintError("new", path + " is already listed; skipped");
        else if (!CanOpenForReading(path)) messages.ShowMessage(path + " is not exists!");
        else doc.project().AddMusic(path);
    }
}

}  // namespace

int RunNew(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    if (!args.empty() && IsHelp(args.Peek())) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    NewOptions o;
    if (std::string problem = ReadOptions(args, o); !problem.empty()) {
        PrintError("new", problem);
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
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
    AddFiles(doc, o);
    StderrMessages messages;
    ProjectFileResult result = doc.Save(o.file, messages);
    if (result != ProjectFileResult::kOk) {
        PrintError("new", ProjectFileErrorText(result, o.file, doc.LastFileError()));
        return kExitFailed;
    }
    std::printf("%s: %zu pictures, %zu music files\n", o.file.c_str(), project.pictureList.size(),
                project.musicList.size());
    return kExitOk;
}

}  // namespace gd::cli
