#pragma once
// CMakingDlg: the modal "Screensaver Making" log. It runs the build on a worker thread
// and lists one line per event as the worker hands them over through the one-place
// mailbox; "Done" is enabled once the build has ended with "The end!", and until then
// the dialog cannot be closed.

#include <windows.h>

#include <memory>
#include <string>

#include "maker/project/build_hooks.h"
#include "maker/project/build_log.h"
#include "maker/project/param_data.h"
#include "maker/project/saver_builder.h"
#include "win32/dialog_window.h"
#include "win32/prompter.h"

namespace gd {

// The notifications the worker posts: a line waits in the mailbox; the build has ended.
inline constexpr UINT kLineWaitingMessage = 0x720;
inline constexpr UINT kBuildEndedMessage = 0x721;
inline constexpr int kLogExtent = 1500;  // the list's horizontal extent at 96 DPI

// The parts of a build that come from outside the project.
struct BuildParts {
    const PictureEncoder& encoder;
    ResourceTargetFactory& resources;
    ScreensaverPlatform& platform;
    int encode_threads = 2;
};

class CMakingDlg final : public DialogWindow, private BuildLogSink, private BuildQuestions {
public:
    // The dialog borrows the project for the whole build.
    CMakingDlg(CParamData& project, std::string program_folder, BuildParts parts, Prompter& prompter);
    ~CMakingDlg() override;

    INT_PTR Run(HINSTANCE instance, HWND owner);
    HWND CreateForTest(HINSTANCE instance, HWND owner);

    bool finished() const { return finished_; }
    const CSaverBuilder* builder() const { return builder_.get(); }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();
    void AppendLine(const std::string& line);
    void OnBuildEnded();
    void UpdateProgress();

    // BuildLogSink, on the worker thread.
    void LineWaiting() override;
    void BuildEnded() override;
    // BuildQuestions, on the worker thread: the log stays responsive meanwhile.
    bool Ask(const std::string& question) override;
    bool AskToReplace(const std::string& question) override;
    void ShowMessage(const std::string& text) override;

    CParamData& project_;
    std::string program_folder_;
    BuildParts parts_;
    Prompter& prompter_;
    BuildLogMailbox mailbox_;
    std::unique_ptr<CSaverBuilder> builder_;
    bool finished_ = false;
};

}  // namespace gd
