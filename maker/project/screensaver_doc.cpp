#include "maker/project/screensaver_doc.h"

#include "common/path_parts.h"
#include "common/text_trim.h"

#include "maker/project/caption_defaults.h"
#include "maker/project/settings_folder.h"
#include "maker/project/validate_for_make.h"

namespace gd {

namespace {
std::string FileTitle(const std::string& path) { return std::string(PathName(path, kNativeSeparators)); }
}  // namespace

CScreenSaverDoc::CScreenSaverDoc(std::string program_folder)
    : program_folder_(std::move(program_folder)), user_folder_(MakerSettingsFolder()) {
    OnNewDocument();
}

bool CScreenSaverDoc::OnNewDocument() {
    path_.clear();
    LoadCaptionDefaults();
    project_.SetDefaults();
    SetTitleAndFlag("Untitled", false);
    return true;
}

void CScreenSaverDoc::SetModifiedFlag(bool modified) { SetTitleAndFlag(title_, modified); }

void CScreenSaverDoc::SetTitleAndFlag(std::string title, bool modified) {
    const bool changed = title != title_ || modified != modified_;
    title_ = std::move(title);
    modified_ = modified;
    if (changed && title_observer_) title_observer_();
}

ProjectFileResult CScreenSaverDoc::Open(const std::string& path, MessageSink& sink) {
    file_error_ = {};
    return FinishFileCommand(path, OpenProjectFile(path, project_, sink, &file_error_));
}

ProjectFileResult CScreenSaverDoc::Save(const std::string& path, MessageSink& sink) {
    // The name as the build will use it, trimmed: a blank at either end is no problem yet.
    if (std::string problem = NameProblem(TrimWhiteSpace(project_.szName)); !problem.empty()) {
        sink.ShowMessage(problem);
        return ProjectFileResult::kBadName;
    }
    file_error_ = {};
    return FinishFileCommand(path, SaveProjectFile(path, project_, sink, &file_error_));
}

// After an open or a save, successful or not, the caption defaults are reloaded; a
// successful one makes `path` the document's file.
ProjectFileResult CScreenSaverDoc::FinishFileCommand(const std::string& path, ProjectFileResult result) {
    LoadCaptionDefaults();
    if (result == ProjectFileResult::kOk) {
        path_ = path;
        SetTitleAndFlag(FileTitle(path), false);
    }
    return result;
}

void CScreenSaverDoc::LoadCaptionDefaults() {
    CaptionDefaults defaults = gd::LoadCaptionDefaults(program_folder_, MakerProfileStore(), user_folder_);
    crDefaultCaptionColor = defaults.color;
    lfDefaultCaptionFont = defaults.font;
    nDefaultCaptionPos = defaults.position;
}

bool CScreenSaverDoc::SaveCaptionDefaults(const CaptionStyle& style) {
    if (!gd::SaveCaptionDefaults(program_folder_, style.font, style.position, style.color, MakerProfileStore(),
                                 user_folder_))
        return false;
    LoadCaptionDefaults();
    return true;
}

CaptionStyle CScreenSaverDoc::DefaultCaptionStyle() const {
    return {lfDefaultCaptionFont, crDefaultCaptionColor, nDefaultCaptionPos};
}

}  // namespace gd
