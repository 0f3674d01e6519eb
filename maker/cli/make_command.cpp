// glimmerdeck make: validates a project and builds its screensaver, printing the build log
// line by line as the build goes.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <thread>

#include "maker/cli/cli_support.h"
#include "maker/cli/command.h"
#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#include "maker/project/saver_builder.h"
#include "maker/project/validate_for_make.h"

namespace gd::cli {

namespace {

constexpr const char* kUsage =
    "usage: glimmerdeck make FILE.psm [--output-folder D] [--set-default] [--yes] [--strict]\n"
    "Makes the project's screensaver and prints the build log on stdout; messages go to\n"
    "stderr, with one line at the end when pictures or music files were skipped.\n"
    "  --output-folder D  write it to D instead of the project's output folder\n"
    "  --set-default      answer OK to making it the default screensaver\n"
    "  --yes              replace an existing screensaver file without asking\n"
    "  --strict           exit 1 when a picture or music file was skipped\n"
    "The screensaver is written to a file beside the output and takes the output's name\n"
    "only when complete: a failed or interrupted build keeps the file that was there.\n"
    "Exit code 0: made; 1: the build failed or was refused (or, with --strict, something\n"
    "was skipped); 2: bad usage or project.\n";

bool AskOnTerminal(const std::string& question) {
    if (!IsTerminal(stdin)) return false;
    std::fprintf(stderr, "%s [y/N] ", question.c_str());
    std::fflush(stderr);
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes";
}

class CommandLineValidation : public MakeValidationUi {
public:
    explicit CommandLineValidation(bool yes) : yes_(yes) {}
    void ShowProblem(ProjectPage, const std::string& message) override { StderrMessages().ShowMessage(message); }
    bool Ask(const std::string& question) override {
        if (yes_) return true;
        if (AskOnTerminal(question)) return true;
        StderrMessages().ShowMessage(question + "\n(not replaced; use --yes to replace it)");
        return false;
    }

private:
    bool yes_;
};

// The build's questions are answered by the options; its messages go to stderr.
class CommandLineQuestions : public BuildQuestions {
public:
    explicit CommandLineQuestions(bool set_default) : set_default_(set_default) {}
    bool Ask(const std::string&) override { return set_default_; }
    void ShowMessage(const std::string& text) override { StderrMessages().ShowMessage(text); }

private:
    bool set_default_;
};

// Prints the log lines on stdout as they come. On a terminal, "pictures N/M" is kept on
// stderr's last line and wiped before each log line, so the two never mix; when stderr is
// not a terminal there is no progress at all.
void PrintLog(BuildLogMailbox& log, const CSaverBuilder& builder) {
    const bool progress = CanRewriteLine(stderr);
    bool shown = false;
    auto wipe = [&] {
        if (shown) std::fputs("\r\033[K", stderr);
        shown = false;
    };
    for (;;) {
        std::string line;
        BuildLogMailbox::Wait got = log.WaitNext(&line, std::chrono::milliseconds(progress ? 200 : 1000000));
        if (got == BuildLogMailbox::Wait::kEnded) break;
        if (got == BuildLogMailbox::Wait::kLine) {
            wipe();
            std::fflush(stderr);
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
        if (progress && builder.PicturesTotal() > 0 && builder.PicturesHandled() < builder.PicturesTotal()) {
            std::fprintf(stderr, "\r\033[Kpictures %d/%d", builder.PicturesHandled(), builder.PicturesTotal());
            std::fflush(stderr);
            shown = true;
        }
    }
    wipe();
    std::printf("The end!\n");
    std::fflush(stdout);
}

}  // namespace

int RunMake(std::span<const std::string_view> arg_list) {
    Args args(arg_list);
    std::string file;
    std::optional<std::string> output_folder;
    bool set_default = false, yes = false, strict = false;
    while (!args.empty()) {
        std::string_view arg = args.Take();
        if (IsHelp(arg)) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (arg == "--set-default") set_default = true;
        else if (arg == "--yes") yes = true;
        else if (arg == "--strict") strict = true;
        else if (arg == "--output-folder") {
            output_folder = args.Value();
            if (!output_folder) {
                PrintError("make", "--output-folder needs a value");
                return kExitUsage;
            }
        } else if (!arg.starts_with("-") && file.empty()) file = arg;
        else {
            PrintError("make", "unexpected argument '" + std::string(arg) + "'");
            std::fputs(kUsage, stderr);
            return kExitUsage;
        }
    }
    if (file.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string program_folder = ProgramFolder();
    CScreenSaverDoc doc(program_folder);
    if (!OpenProject("make", doc, file)) return kExitUsage;
    CParamData& project = doc.project();
    if (output_folder) project.szOutputFolder = FullPath(*output_folder);

    CommandLineValidation validation(yes);
    if (!ValidateForMake(project, validation)) return kExitFailed;

    CxPictureEncoder encoder;
    EditorTargetFactory resources;
    CommandLineQuestions questions(set_default);
    BuildLogMailbox log;
    unsigned cores = std::thread::hardware_concurrency();
    CSaverBuilder builder(project, program_folder, log,
                          {encoder, resources, questions, HostScreensaverPlatform(), int(std::clamp(cores, 1u, 4u))});
    builder.Start();
    PrintLog(log, builder);
    builder.Join();
    if (!builder.Succeeded()) return kExitFailed;
    // The log said it last on stdout; stderr says it too, for a script that keeps only that.
    const std::vector<std::string> skipped = builder.SkippedLines();
    for (const std::string& line : skipped) PrintError("make", line);
    return strict && !skipped.empty() ? kExitFailed : kExitOk;
}

}  // namespace gd::cli
