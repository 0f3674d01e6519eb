// The main window's commands on the open project: New, Open, Save, Save As, the recent
// projects, Preview and Make SCR, each after the steps the project needs first.

#include <windows.h>

#include "common/web_addresses.h"
#include "maker/project/path_rules.h"
#include "maker/project/project_file.h"
#include "maker/win32/about_dialog.h"
#include "maker/win32/general_view.h"
#include "maker/win32/main_frame.h"
#include "maker/win32/making_dialog.h"
#include "maker/win32/setting_view.h"
#include "maker/win32/tip_dialog.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {

constexpr wchar_t kProgramName[] = L"Glimmerdeck";

// Shows the project code's messages (missing files, failed reads) in message boxes.
class PrompterSink final : public MessageSink {
public:
    PrompterSink(Prompter& prompter, HWND owner) : prompter_(prompter), owner_(owner) {}
    void ShowMessage(std::string_view text) override {
        prompter_.Show(owner_, Wide(text), kProgramName, MB_OK | MB_ICONEXCLAMATION);
    }

private:
    Prompter& prompter_;
    HWND owner_;
};

}  // namespace

int CMainFrame::Message(const std::wstring& text, UINT type) {
    return services_.prompter->Show(window_, text, kProgramName, type);
}

void CMainFrame::OpenAddress(const char* address) {
    // The menu's and toolbar's addresses open silently: a failure is not reported.
    if (services_.open_address) services_.open_address(Wide(address));
}

// --- the save-changes step ---------------------------------------------------------------

// Commits the shown page and, when the project has changes, offers to save them. False
// when the user cancelled or the save did not happen.
bool CMainFrame::AskToSaveChanges() {
    pages_->CommitShownPage();
    if (!doc_.IsModified()) return true;
    // No throws the changes away: the warning icon.
    switch (Message(L"Save changes to " + Wide(doc_.GetTitle()) + L"?", MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return OnFileSave();
    case IDNO: return true;
    default: return false;
    }
}

// Before a new project replaces the open one: the save-changes step, then the General
// page and the pages flagged to reload.
bool CMainFrame::PrepareToReplaceProject() {
    if (!AskToSaveChanges()) return false;
    pages_->BeforeProjectReplaced();
    navigation_.SetChecked(kGeneralPage);
    Layout();
    return true;
}

void CMainFrame::FinishProjectReplaced() {
    pages_->AfterProjectReplaced();
    UpdateCaption();
}

// --- New, Open and the recent projects -------------------------------------------------

void CMainFrame::OnFileNew() {
    if (!PrepareToReplaceProject()) return;
    doc_.OnNewDocument();
    FinishProjectReplaced();
}

void CMainFrame::OnFileOpen() {
    std::optional<std::string> path = services_.files->OpenProject(window_);
    if (path) OpenProjectFile(*path);
}

bool CMainFrame::OpenProjectFile(const std::string& path) {
    if (!PrepareToReplaceProject()) return false;
    PrompterSink sink(*services_.prompter, window_);
    ProjectFileResult result = doc_.Open(path, sink);
    if (result == ProjectFileResult::kOk) RememberRecent(path);
    else Message(Wide(ProjectFileErrorText(result, path)), MB_OK | MB_ICONEXCLAMATION);
    // A failed open keeps the project it had: the pages show it again.
    FinishProjectReplaced();
    return result == ProjectFileResult::kOk;
}

void CMainFrame::OnRecentFile(size_t index) {
    if (index >= recent_.paths().size()) return;
    std::string path = recent_.paths()[index];
    if (OpenProjectFile(path)) return;
    // An entry that does not open any more leaves the list (when the user did not
    // cancel the step before opening, the path is still where it was).
    if (index < recent_.paths().size() && recent_.paths()[index] == path && !PathExists(path)) {
        recent_.Remove(index);
        UpdateRecentMenu();
    }
}

void CMainFrame::RememberRecent(const std::string& path) {
    recent_.Add(path);
    if (services_.settings) recent_.Save(*services_.settings);
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() { SetRecentEntries(GetMenu(window_), recent_.paths()); }

// --- Save and Save As --------------------------------------------------------------------

bool CMainFrame::NameAllowsSaving() {
    if (!NameHasForbiddenCharacter(doc_.project().szName)) return true;
    ShowProblem(ProjectPage::kGeneral, NameCharactersMessage(doc_.project().szName));
    return false;
}

bool CMainFrame::OnFileSave() {
    pages_->CommitShownPage();
    if (!NameAllowsSaving()) return false;
    if (doc_.path().empty()) return OnFileSaveAs();
    return SaveTo(doc_.path());
}

bool CMainFrame::OnFileSaveAs() {
    pages_->CommitShownPage();
    if (!NameAllowsSaving()) return false;
    std::string suggested = doc_.path().empty() ? doc_.project().szName : doc_.GetTitle();
    std::optional<std::string> path = services_.files->SaveProjectAs(window_, suggested);
    return path && SaveTo(*path);
}

bool CMainFrame::SaveTo(const std::string& path) {
    PrompterSink sink(*services_.prompter, window_);
    ProjectFileResult result = doc_.Save(path, sink);
    if (result != ProjectFileResult::kOk) {
        if (result != ProjectFileResult::kBadName)
            Message(Wide(ProjectFileErrorText(result, path)), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    RememberRecent(path);
    // Missing pictures and music may have been dropped from the project: the pages drop
    // their rows and keep everything else the user sees.
    pages_->AfterProjectSaved();
    UpdateCaption();
    return true;
}

// --- Preview and Make SCR ---------------------------------------------------------------

void CMainFrame::ShowProblem(ProjectPage page, const std::string& message) {
    // The check may have trimmed the name in the project: the General page shows it so,
    // or the page switch below would store the untrimmed text again.
    if (general_) general_->LoadFromProject();
    // ProjectPage numbers the pages as the navigation pane does.
    int number = static_cast<int>(page);
    ShowPage(number);
    Message(Wide(message), MB_OK | MB_ICONEXCLAMATION);
    if (number == kGeneralPage && general_) general_->FocusName();
    if (auto* settings = dynamic_cast<CSettingView*>(pages_->page(kSettingsPage)); settings && number == kSettingsPage)
        settings->FocusBanner();
}

bool CMainFrame::Ask(const std::string& question) {
    // The one question of the check before making: replace the file that is there.
    return Message(Wide(question), MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void CMainFrame::OnPreview() {
    pages_->CommitShownPage();
    if (doc_.project().pictureList.empty()) {
        ShowPage(kPicturesPage);
        Message(L"Please add one picture at least!    ", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    pages_->StopPlaying();
    // The preview tells the frame when it ends (kPreviewEndedMessage): what it stopped
    // plays again then.
    if (services_.start_preview) services_.start_preview(window_, doc_);
    else pages_->ResumePlaying();
}

void CMainFrame::OnMakeScr() {
    pages_->CommitShownPage();
    if (!ValidateForMake(doc_.project(), *this)) return;
    // ValidateForMake trims the name; the General page shows the trimmed one.
    if (general_) general_->LoadFromProject();
    pages_->StopPlaying();
    if (!services_.encoder || !services_.resources || !services_.screensaver_platform) {
        Message(L"This version of Glimmerdeck cannot make screensavers: its picture encoder is missing.",
                MB_OK | MB_ICONSTOP);
    } else {
        BuildParts parts{*services_.encoder, *services_.resources, *services_.screensaver_platform,
                         services_.encode_threads};
        CMakingDlg making(doc_.project(), doc_.program_folder(), parts, *services_.prompter);
        making.Run(services_.instance, window_);
    }
    pages_->ResumePlaying();
}

// --- Help, tips, about ------------------------------------------------------------------

void CMainFrame::OnHelpPage(const char* page) {
    std::string folder = JoinPath(services_.program_folder, "help");
    std::string file = JoinPath(folder, page);
    if (!PathExists(file)) {
        Message(L"The help pages are missing: " + Wide(file) + L" does not exist.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (services_.open_address && services_.open_address(Wide(file)) <= 32)
        Message(L"The help page " + Wide(file) + L" could not be opened.", MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnTipOfTheDay() {
    TipOfTheDay tips(ReadTipsFile(TipsFilePath(services_.program_folder)), *services_.settings);
    CTipDlg dialog(tips);
    dialog.Run(services_.instance, window_);
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(services_);
    dialog.Run(window_);
}

}  // namespace gd
