// glimmerdeck effects: the transition effects by id and name, and which a project uses.
#include <cstdio>

#include "effects/effect_table.h"
#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/json_writer.h"
#include "maker/project/project_options.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck effects [FILE.psm] [--json]\n"
    "Lists the transition effects by id and name; with a project, also whether each is\n"
    "on in it. Turn one on or off with 'glimmerdeck set FILE.psm bEffectOn[ID]=1' (or =0).\n";

}  // namespace

int RunEffects(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    std::string file;
    bool json = false;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        if (IsHelp(arg)) return UsageExit("effects", kUsage);
        if (arg == "--json") json = true;
        else if (!arg.starts_with("-") && file.empty()) file = arg;
        else return UsageExit("effects", kUsage, "unexpected argument '" + std::string(arg) + "'");
    }
    CScreenSaverDoc doc(ProgramFolder());
    if (!file.empty() && !OpenProject("effects", doc, file)) return kExitUsage;
    const CParamData& project = doc.project();
    JsonWriter j;
    j.BeginArray();
    std::string text;
    for (int32_t id = 1; id <= kEffectCount; ++id) {
        const std::string_view name = kEffectTable[size_t(id)].name;
        if (json) {
            j.BeginObject().Key("id").Number(id).Key("name").String(name);
            if (!file.empty()) j.Key("on").Bool(ProjectEffectOn(project, id));
            j.EndObject();
            continue;
        }
        char line[128];
        if (file.empty()) std::snprintf(line, sizeof line, "%2d  %.*s\n", id, int(name.size()), name.data());
        else std::snprintf(line, sizeof line, "%2d  %-3s  %.*s\n", id, ProjectEffectOn(project, id) ? "on" : "off", int(name.size()), name.data());
        text += line;
    }
    if (json) text = j.EndArray().Take() + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
}

}  // namespace gd::cli
