// glimmerdeck set: changes fields of a project file by name.
#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/cli/input_check.h"
#include "maker/cli/project_fields.h"
#include "maker/project/caption_placeholders.h"
#include "maker/project/file_io.h"

namespace gd::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck set FILE.psm KEY=VALUE...\n"
    "Changes fields by the names 'glimmerdeck show' prints, for example:\n"
    "  nPicturePause=5  szBanner=Hello  crBgColor=#203040  nBannerPos=bottom\n"
    "  lfBanner.lfHeight=-24  lfBanner.lfFaceName=Arial  bEffectOn[3]=0\n"
    "  pictureList[0].szCaption=Hi  pictureList[0].crCaptionColor=#FFFF00\n"
    "  pictureList[0].nCaptionPos=top-right  pictureList[*].lfCaptionFont.lfHeight=24\n"
    "  pictureList[2].szFile=other.jpg  musicList[0]=song.mp3  szIconFile=show.ico\n"
    "pictureList[*] sets the field of every picture. A caption may hold {date}, {file},\n"
    "{folder} or {date:%d %B %Y}, filled in for each picture when the screensaver is\n"
    "made ('pictureList[*].szCaption={date}'); setting such a caption turns the project's\n"
    "bCaptionFields on. Colours are #RRGGBB or 0xBBGGRR;\n"
    "caption positions 0..8 or top-left .. bottom-right; banner positions 0, 1, top or\n"
    "bottom. Texts the screensaver shows (name, author, addresses, copyright, description,\n"
    "banner, captions, font names) may hold any character; their limits count characters\n"
    "as the user sees them, not bytes. Files are checked as 'glimmerdeck add' checks\n"
    "them. Nothing is saved when any key or value is refused. Lines 'show' marks with '#'\n"
    "cannot be set.\n";

bool EndsWith(const std::string& text, std::string_view end) { return text.ends_with(end); }

// A value that names a file is made absolute and checked as the add commands check it;
// the problem, if any.
std::string PrepareFileValue(const std::string& key, std::string& value) {
    const bool picture = EndsWith(key, ".szFile"), music = key.rfind("musicList[", 0) == 0;
    const bool icon = key == "szIconFile", folder = key == "szOutputFolder";
    if (!(picture || music || icon || folder) || (value.empty() && (icon || folder))) return {};
    value = FullPath(value);
    std::string problem = picture ? PictureProblem(value)
                        : music   ? MusicProblem(value)
                        : icon    ? IconProblem(value)
                                  : (IsFolder(value) ? std::string() : std::string("not a folder"));
    return problem.empty() ? problem : key + ": " + value + ": " + problem;
}

}  // namespace

int RunSet(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    if (!args.empty() && IsHelp(args.Peek())) return UsageExit("set", kUsage);
    if (args.empty()) return UsageExit("set", kUsage, "the project file is missing");
    std::string file(args.Take());
    std::vector<std::pair<std::string, std::string>> changes;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        size_t eq = arg.find('=');
        if (eq == std::string_view::npos || eq == 0)
            return UsageExit("set", kUsage, "expected KEY=VALUE, not '" + std::string(arg) + "'");
        changes.emplace_back(std::string(arg.substr(0, eq)), std::string(arg.substr(eq + 1)));
    }
    if (changes.empty()) return UsageExit("set", kUsage, "nothing to set");
    CScreenSaverDoc doc(ProgramFolder());
    if (!OpenProject("set", doc, file)) return kExitUsage;
    for (auto& [key, value] : changes) {
        std::string problem = PrepareFileValue(key, value);
        if (problem.empty()) problem = SetProjectField(doc.project(), key, value);
        if (!problem.empty()) {
            PrintError("set", problem);
            return kExitUsage;
        }
        // A caption set with a placeholder asks for it filled in, in a project saved before
        // placeholders too (whose captions were made as typed).
        if (EndsWith(key, ".szCaption") && CaptionHasFields(value)) doc.project().bCaptionFields = 1;
    }
    return SaveProject("set", doc, file) ? kExitOk : kExitFailed;
}

}  // namespace gd::cli
