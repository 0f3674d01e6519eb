#include "maker/cli/project_inputs.h"

#include <cstdio>

#include "maker/cli/cli_support.h"
#include "maker/project/path_rules.h"

namespace gd::cli {

namespace {

// "checking 12/200" kept on stderr's last line while a long list is checked; wiped before
// any message.
class CheckProgress {
public:
    CheckProgress(std::string_view command, size_t total)
        : command_(command), total_(total), enabled_(total > 20 && CanRewriteLine(stderr)) {}
    ~CheckProgress() { Wipe(); }
    void Show(size_t done) {
        if (!enabled_) return;
        std::fprintf(stderr, "\r\033[Kchecking %zu/%zu", done, total_);
        std::fflush(stderr);
        shown_ = true;
    }
    void Say(const std::string& text) {
        Wipe();
        PrintError(command_, text);
    }

private:
    void Wipe() {
        if (shown_) std::fputs("\r\033[K", stderr);
        shown_ = false;
    }
    std::string_view command_;
    size_t total_;
    bool enabled_;
    bool shown_ = false;
};

// Adds one file of a known kind, whose check found `problem`; false when it was refused.
bool AddFile(CheckProgress& say, CScreenSaverDoc& doc, const std::string& path, InputKind kind,
             const std::string& problem, AddedInputs& added) {
    CParamData& project = doc.project();
    const bool picture = kind == InputKind::kPicture;
    if (picture ? project.HasPicture(path) : ContainsPath(project.musicList, path)) {
        say.Say(path + " is already listed; skipped");
        return true;
    }
    if (!problem.empty()) {
        say.Say(path + ": " + problem + "; skipped");
        return false;
    }
    if (picture) {
        project.AddPicture(path, doc.DefaultCaptionStyle());
        ++added.pictures;
    } else {
        project.AddMusic(path);
        ++added.music;
    }
    return true;
}

}  // namespace

AddedInputs AddInputs(std::string_view command, CScreenSaverDoc& doc, const std::vector<std::string>& paths,
                      const InputKind* kind) {
    AddedInputs added;
    std::vector<std::string> files;
    for (const std::string& given : paths) {
        ExpandedInputs expanded = ExpandInput(FullPath(given), kind);
        for (auto& [path, reason] : expanded.skipped) PrintError(command, path + ": " + reason + "; skipped");
        added.skipped += int(expanded.skipped.size());
        added.named += int(expanded.skipped.size());
        files.insert(files.end(), expanded.files.begin(), expanded.files.end());
    }
    auto kind_of = [&](const std::string& path) { return kind ? *kind : KindOfFile(path); };
    CheckProgress progress(command, files.size());
    // Photos are decoded to be checked: on every core, then added in the given order.
    const std::vector<std::string> problems = FileProblems(
        files,
        [&](const std::string& path) {
            return kind_of(path) == InputKind::kPicture ? PictureProblem(path) : MusicProblem(path);
        },
        FileCheckThreads(), [&](size_t done) { progress.Show(done); });
    for (size_t i = 0; i < files.size(); ++i) {
        ++added.named;
        if (!AddFile(progress, doc, files[i], kind_of(files[i]), problems[i], added)) ++added.skipped;
    }
    return added;
}

std::string SkippedFilesText(const AddedInputs& added) {
    if (added.skipped == 0) return {};
    return std::to_string(added.skipped) + " of " + Count(size_t(added.named), "file", "files") + " skipped";
}

}  // namespace gd::cli
