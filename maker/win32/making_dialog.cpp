#include "maker/win32/making_dialog.h"

#include <commctrl.h>

#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {
constexpr UINT_PTR kProgressTimer = 1;
constexpr wchar_t kProgramName[] = L"Glimmerdeck";
}  // namespace

CMakingDlg::CMakingDlg(CParamData& project, std::string program_folder, BuildParts parts, Prompter& prompter)
    : project_(project), program_folder_(std::move(program_folder)), parts_(parts), prompter_(prompter),
      mailbox_(this) {}

CMakingDlg::~CMakingDlg() {
    // The worker may still be posting (a dialog that could not be shown): let it finish,
    // taking its lines, before the mailbox goes.
    if (builder_) {
        std::string dropped;
        while (!finished_ &&
               mailbox_.WaitNext(&dropped, std::chrono::milliseconds(50)) != BuildLogMailbox::Wait::kEnded) {
        }
        builder_.reset();
    }
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
}

INT_PTR CMakingDlg::Run(HINSTANCE instance, HWND owner) { return RunModal(instance, IDD_MAKING, owner); }

HWND CMakingDlg::CreateForTest(HINSTANCE instance, HWND owner) { return CreateModeless(instance, IDD_MAKING, owner); }

INT_PTR CMakingDlg::OnMessage(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case kLineWaitingMessage:
        if (std::optional<std::string> line = mailbox_.Take()) AppendLine(*line);
        return TRUE;
    case kBuildEndedMessage:
        OnBuildEnded();
        return TRUE;
    case WM_TIMER:
        if (wparam == kProgressTimer) UpdateProgress();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_MAKING_DONE:
            if (finished_) End(IDOK);
            return TRUE;
        case IDCANCEL:  // the close box, Alt+F4 and Escape: only once the build has ended
            if (finished_) End(IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        KillTimer(hwnd(), kProgressTimer);
        return FALSE;
    default:
        return FALSE;
    }
}

void CMakingDlg::OnInitDialog() {
    HWND log = Item(IDC_MAKING_LOG);
    SendMessageW(log, LB_SETHORIZONTALEXTENT, WPARAM(ScaleForDpi(kLogExtent, WindowDpi(hwnd()))), 0);
    EnableWindow(Item(IDC_MAKING_DONE), FALSE);
    SendDlgItemMessageW(hwnd(), IDC_MAKING_PROGRESS, PBM_SETRANGE32, 0, 1);
    SetTimer(hwnd(), kProgressTimer, 100, nullptr);
    BuildServices services{parts_.encoder, parts_.resources, *this, parts_.platform, parts_.encode_threads};
    builder_ = std::make_unique<CSaverBuilder>(project_, program_folder_, mailbox_, services);
    builder_->Start();
}

void CMakingDlg::AppendLine(const std::string& line) {
    HWND log = Item(IDC_MAKING_LOG);
    SendMessageW(log, LB_ADDSTRING, 0, LPARAM(Wide(line).c_str()));
    // The newest line is the one in view.
    LRESULT count = SendMessageW(log, LB_GETCOUNT, 0, 0);
    SendMessageW(log, LB_SETCARETINDEX, WPARAM(count - 1), FALSE);
    SendMessageW(log, LB_SETTOPINDEX, WPARAM(count - 1), 0);
}

void CMakingDlg::OnBuildEnded() {
    // Lines posted before the end are taken first (their notifications come earlier).
    while (std::optional<std::string> line = mailbox_.Take()) AppendLine(*line);
    AppendLine("The end!");
    finished_ = true;
    UpdateProgress();
    KillTimer(hwnd(), kProgressTimer);
    EnableWindow(Item(IDC_MAKING_DONE), TRUE);
    SetFocus(Item(IDC_MAKING_DONE));
    // A screensaver made without some of its pictures or music is said in a box of its
    // own as well as in the log's last lines: a user closing the log unread still learns it.
    if (!builder_) return;
    builder_->Join();  // the worker's last act was ending the log
    std::string skipped;
    for (const std::string& line : builder_->SkippedLines()) skipped += (skipped.empty() ? "" : "\n") + line;
    if (!skipped.empty())
        prompter_.Show(hwnd(), Wide(skipped + "\n\nThe log above says why."), kProgramName, MB_OK | MB_ICONWARNING);
}

void CMakingDlg::UpdateProgress() {
    if (!builder_) return;
    int total = builder_->PicturesTotal();
    int done = finished_ ? total : builder_->PicturesHandled();
    HWND bar = Item(IDC_MAKING_PROGRESS);
    SendMessageW(bar, PBM_SETRANGE32, 0, total > 0 ? total : 1);
    SendMessageW(bar, PBM_SETPOS, WPARAM(finished_ && total == 0 ? 1 : done), 0);
}

void CMakingDlg::LineWaiting() { PostMessageW(hwnd(), kLineWaitingMessage, 0, 0); }

void CMakingDlg::BuildEnded() { PostMessageW(hwnd(), kBuildEndedMessage, 0, 0); }

bool CMakingDlg::Ask(const std::string& question) {
    return prompter_.Show(hwnd(), Wide(question), kProgramName, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool CMakingDlg::AskToReplace(const std::string& question) {
    return prompter_.Show(hwnd(), Wide(question), kProgramName, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void CMakingDlg::ShowMessage(const std::string& text) {
    prompter_.Show(hwnd(), Wide(text), kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace gd
