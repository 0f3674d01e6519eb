// glimmerdeck's command line: the sub-command named by the first argument runs with the
// rest. Shared by the Linux program and both Windows programs.
#include "maker/cli/command_line.h"

#include <cctype>
#include <cstdio>

#include "maker/cli/command.h"
#include "maker/project/image_type.h"
#include "maker/project/path_rules.h"

namespace gd::cli {

namespace {

// ".bmp .wbmp ...": the picture extensions the maker takes, for the help.
std::string PictureExtensionList() {
    std::string text;
    for (std::string extension : PictureExtensions()) {
        for (char& c : extension) c = char(std::tolower((unsigned char)c));
        text += (text.empty() ? "." : " .") + extension;
    }
    return text;
}

bool IsHelpRequest(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

const Command* FindCommand(std::string_view name) {
    for (const auto& c : Commands())
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace

std::string UsageText() {
    std::string text = "usage: glimmerdeck COMMAND [ARGS...]\n"
                       "       glimmerdeck --help | --version\n\ncommands:\n";
    for (const auto& c : Commands()) {
        char line[160];
        std::snprintf(line, sizeof line, "  %-14.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                      c.summary.data());
        text += line;
    }
    text += "\n'glimmerdeck COMMAND --help' describes one command.\n";
    return text;
}

std::string HelpText() {
    return "Glimmerdeck makes a slideshow screensaver for Windows (.scr, or a self-installing\n"
           ".exe) from your photos and music.\n\n" +
           UsageText() +
           "\n"
           "Pictures read: " + PictureTypeList() + " (" + PictureExtensionList() +
           ");\nthe screensaver holds them as JPEG (GIF files, and pictures with a palette\n"
           "JPEG cannot hold, as GIF). Music read: WAV, MP3 and MIDI (.mid, .midi, .rmi).\n"
           "\n"
           "Defaults of a new project: the screensaver is written to the desktop folder (else\n"
           "the home folder) as a self-installing .exe; 3 s per picture, 2 s per transition,\n"
           "every effect on, pictures and music shuffled, black background.\n"
           "\n"
           "Options take their value as '--opt value' or '--opt=value'. Colours are #RRGGBB\n"
           "or 0xBBGGRR; caption positions are 0..8 or top-left .. bottom-right, banner\n"
           "positions 0, 1, top or bottom. Messages go to stderr, results and the build log to\n"
           "stdout. Exit codes: 0 done, 1 failed (or refused), 2 bad usage or unreadable file.\n"
           "\n"
           "A whole project from a folder of photos:\n"
           "  glimmerdeck new trip.psm --name \"Summer Trip\" --picture ~/Photos/Trip --music song.mp3\n"
           "  glimmerdeck set trip.psm nPicturePause=5 \"szBanner=Summer 2026\" crBgColor=#203040\n"
           "  glimmerdeck set trip.psm \"pictureList[0].szCaption=Arrival\" \"pictureList[*].nCaptionPos=bottom-center\"\n"
           "  glimmerdeck show trip.psm\n"
           "  glimmerdeck make trip.psm --output-folder ~/Desktop\n";
}

bool IsWindowRequest(std::span<const std::string> args) {
    if (args.empty()) return true;
    const std::string& arg = args[0];
    return args.size() == 1 && !arg.starts_with("-") && !IsHelpRequest(arg) && !FindCommand(arg) &&
           UpperAscii(arg).ends_with(".PSM");
}

int RunCommandLine(std::span<const std::string> arg_list) {
    // "--opt=value" is "--opt value"; a sub-command never sees the difference.
    std::vector<std::string> split;
    for (const std::string& arg : arg_list) {
        size_t eq = arg.find('=');
        if (arg.starts_with("--") && eq != std::string::npos && eq > 2) {
            split.push_back(arg.substr(0, eq));
            split.push_back(arg.substr(eq + 1));
        } else {
            split.push_back(arg);
        }
    }
    std::vector<std::string_view> args(split.begin(), split.end());
    if (args.empty()) {
        std::fputs(UsageText().c_str(), stderr);
        return kExitUsage;
    }
    if (IsHelpRequest(args[0])) {
        std::fputs(HelpText().c_str(), stdout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::printf("glimmerdeck %s\n", GD_VERSION);
        return kExitOk;
    }
    if (const Command* c = FindCommand(args[0])) return c->run(std::span<const std::string_view>(args).subspan(1));
    std::fprintf(stderr, "glimmerdeck: unknown command '%.*s'\n\n", int(args[0].size()), args[0].data());
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
}

}  // namespace gd::cli
