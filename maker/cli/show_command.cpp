// glimmerdeck show: every field of a project file.
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/project_fields.h"

namespace gd::cli {

int RunShow(std::span<const std::string_view> arg_list) {
    constexpr const char* kUsage =
        "usage: glimmerdeck show FILE.psm [--json]\n"
        "Prints every field of the project as KEY=VALUE lines (the keys 'glimmerdeck set'\n"
        "takes), or as one JSON object.\n";
    Args args(arg_list);
    std::string file;
    bool json = false;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        if (IsHelp(arg)) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (arg == "--json") json = true;
        else if (!arg.starts_with("-") && file.empty()) file = arg;
        else {
            PrintError("show", "unexpected argument '" + std::string(arg) + "'");
            std::fputs(kUsage, stderr);
            return kExitUsage;
        }
    }
    if (file.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("show", doc, file)) return kExitUsage;
    std::string text = json ? ProjectAsJson(doc.project()) : ProjectAsText(doc.project());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
}

}  // namespace gd::cli
