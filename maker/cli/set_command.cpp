// glimmerdeck set: changes fields of a project file by name.
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/project_fields.h"

namespace gd::cli {

int RunSet(std::span<const std::string_view> arg_list) {
    constexpr const char* kUsage =
        "usage: glimmerdeck set FILE.psm KEY=VALUE...\n"
        "Changes fields by name (nPicturePause=5, szBanner=Hello, crBgColor=0x0000FF,\n"
        "lfBanner.lfHeight=-24, bEffectOn[3]=0, pictureList[0].szCaption=Hi; see\n"
        "'glimmerdeck show'). Nothing is saved when any key or value is refused.\n";
    Args args(arg_list);
    if (args.empty() || IsHelp(args.Peek())) {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    std::string file(args.Take());
    std::vector<std::pair<std::string, std::string>> changes;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        size_t eq = arg.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            PrintError("set", "expected KEY=VALUE, not '" + std::string(arg) + "'");
            return kExitUsage;
        }
        changes.emplace_back(std::string(arg.substr(0, eq)), std::string(arg.substr(eq + 1)));
    }
    if (changes.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("set", doc, file)) return kExitUsage;
    for (const auto& [key, value] : changes) {
        if (std::string problem = SetProjectField(doc.project(), key, value); !problem.empty()) {
            PrintError("set", problem);
            return kExitUsage;
        }
    }
    StderrMessages messages;
    ProjectFileResult result = doc.Save(file, messages);
    if (result != ProjectFileResult::kOk) {
        PrintError("set", ProjectFileErrorText(result, file, doc.LastFileError()));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace gd::cli
