#pragma once
// The maker's document: the one open project, its file path and title, the modified flag
// and the caption defaults new pictures get. Free of any GUI toolkit; the GUI's document
// wraps it.

#include <functional>
#include <string>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "maker/project/message_sink.h"
#include "maker/project/param_data.h"
#include "maker/project/project_file.h"

namespace gd {

class CScreenSaverDoc {
public:
    // `program_folder` holds data/param.ini with the caption defaults.
    explicit CScreenSaverDoc(std::string program_folder);

    // A new project: title "Untitled", no path, caption defaults reloaded, defaults set.
    bool OnNewDocument();

    // Loads a project file. On success the project, path and title are the file's; on
    // failure the open project stays as it was. The caption defaults are reloaded.
    ProjectFileResult Open(const std::string& path, MessageSink& sink);

    // Saves to `path` (refused when szName holds a forbidden character: the message is
    // shown and nothing is written). On success the path and title become the file's.
    ProjectFileResult Save(const std::string& path, MessageSink& sink);

    // Why the last Open or Save failed when a file call failed: the system's text, else
    // empty.
    const std::string& LastFileError() const { return file_error_.text; }

    // Reads the caption defaults from data/param.ini of the program folder, or from the
    // user's own copy when the program folder refused an earlier save.
    void LoadCaptionDefaults();
    CaptionStyle DefaultCaptionStyle() const;
    // Makes `style` the caption defaults, in data/param.ini or, when the program folder
    // is read-only, in the user's own copy; false when neither could be written.
    bool SaveCaptionDefaults(const CaptionStyle& style);

    CParamData& project() { return project_; }
    const CParamData& project() const { return project_; }
    const std::string& path() const { return path_; }
    // "Untitled", or the name of the project's file.
    const std::string& GetTitle() const { return title_; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);
    // Called whenever the title or the modified flag changes (the window's caption
    // follows them).
    void SetTitleObserver(std::function<void()> observer) { title_observer_ = std::move(observer); }
    const std::string& program_folder() const { return program_folder_; }

    ColorRef crDefaultCaptionColor = 255;
    LogFont lfDefaultCaptionFont;
    int32_t nDefaultCaptionPos = 7;

private:
    void SetTitleAndFlag(std::string title, bool modified);
    ProjectFileResult FinishFileCommand(const std::string& path, ProjectFileResult result);
    std::string program_folder_;
    std::string user_folder_;
    CParamData project_;
    std::string path_;
    std::string title_;
    bool modified_ = false;
    FileError file_error_;
    std::function<void()> title_observer_;
};

}  // namespace gd
