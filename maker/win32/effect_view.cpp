#include "maker/win32/effect_view.h"

#include <commctrl.h>

#include "effects/effect_table.h"
#include "maker/project/project_options.h"
#include "maker/project/screensaver_doc.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/accessible_window.h"
#include "win32/control_names.h"
#include "win32/dialog_items.h"
#include "win32/effect_list.h"
#include "win32/list_page.h"
#include "win32/text_convert.h"

namespace gd {

namespace {

struct IconButton {
    int id;
    int icon;
    const wchar_t* tooltip;
};

constexpr IconButton kButtons[] = {
    {IDC_SELECT_ALL, IDI_SELECT_ALL, L"Select All Effects"},
    {IDC_CLEAR_ALL, IDI_CLEAR_ALL, L"Clear All Effects"},
};

}  // namespace

CEffectView::~CEffectView() {
    // The demonstration's thread ends before its pane and the page go.
    demo_.Stop();
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    for (HICON icon : icons_)
        if (icon) DestroyIcon(icon);
}

bool CEffectView::Create() {
    return CreateModeless(context_.instance, IDD_EFFECT_PAGE, context_.frame) != nullptr;
}

HWND CEffectView::list() const { return Item(IDC_EFFECT_LIST); }

INT_PTR CEffectView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;  // the frame decides where the focus goes
    case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        if (LOWORD(wparam) == IDC_SELECT_ALL) SetAllChecks(true);
        else if (LOWORD(wparam) == IDC_CLEAR_ALL) SetAllChecks(false);
        else return FALSE;
        return TRUE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.idFrom == IDC_EFFECT_LIST) OnListNotify(header);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void CEffectView::SetUpOnce() {
    if (set_up_) return;
    set_up_ = true;
    SetButtonIcons();
    FillEffectList(list(), ChoosableEffectNames());
    demo_.Create(context_.instance, hwnd(), IDC_DEMO_FRAME, context_.services->program_folder);
    NameControlsForScreenReaders(hwnd());
    // The pane says which effect it plays, as the name under it does.
    LabelForScreenReaders(demo_.hwnd(), {L"Effect demonstration", ROLE_SYSTEM_ANIMATION,
                                         [this] { return ItemText(hwnd(), IDC_EFFECT_NAME); }});
}

void CEffectView::SetButtonIcons() {
    tips_.Create(context_.instance, hwnd());
    const int size = ScaleForWindow(hwnd(), 16);
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const IconButton& b = kButtons[i];
        icons_[i] = static_cast<HICON>(
            LoadImageW(context_.instance, MAKEINTRESOURCEW(b.icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        SendDlgItemMessageW(hwnd(), b.id, BM_SETIMAGE, IMAGE_ICON, LPARAM(icons_[i]));
        tips_.Add(b.id, b.tooltip);
    }
}

void CEffectView::LoadFromProject() {
    SetUpOnce();
    const CParamData& project = context_.doc->project();
    for (int row = 0; row < kEffectCount; ++row) SetEffectRowChecked(list(), row, ProjectEffectOn(project, row + 1));
    demo_.Stop();
    resume_ = false;
}

void CEffectView::StoreToProject() {
    CParamData& project = context_.doc->project();
    for (int row = 0; row < kEffectCount; ++row) {
        // A project saved before an effect existed shows it off; only a change made here
        // turns it on (and makes the flags speak for it).
        const bool checked = IsEffectRowChecked(list(), row);
        if (ProjectEffectOn(project, row + 1) == checked) continue;
        SetProjectEffectOn(project, row + 1, checked);
        context_.doc->SetModifiedFlag(true);
    }
}

void CEffectView::ResetForNewProject() {
    demo_.Stop();
    resume_ = false;
    selected_ = -1;
    SelectEffectRow(list(), -1);
    SetItemText(hwnd(), IDC_EFFECT_NAME, L"");
}

void CEffectView::StopPlaying() {
    // A hidden page remembers from when it was hidden whether it played.
    resume_ = resume_ || demo_.playing();
    demo_.Stop();
}

void CEffectView::ResumePlaying() {
    if (!resume_ || !IsWindowVisible(hwnd())) return;
    resume_ = false;
    if (selected_ >= 0) demo_.Demonstrate(selected_ + 1);
}

void CEffectView::Show(bool visible) {
    if (!visible) {
        resume_ = demo_.playing();
        demo_.Stop();
    }
    FramePage::Show(visible);
    if (visible && resume_ && selected_ >= 0) demo_.Demonstrate(selected_ + 1);
    if (visible) resume_ = false;
}

void CEffectView::SetAllChecks(bool checked) {
    for (int row = 0; row < kEffectCount; ++row) SetEffectRowChecked(list(), row, checked);
    context_.doc->SetModifiedFlag(true);
}

void CEffectView::SelectRow(int row) {
    if (row < 0 || row >= kEffectCount) return;
    SelectEffectRow(list(), row);  // the list tells the page, which demonstrates the row
}

void CEffectView::OnListNotify(const NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED) && change.iItem >= 0)
            OnRowSelected(change.iItem);
    } else if (header.code == UINT(NM_CLICK)) {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row >= 0) {
            // A click on a row demonstrates it, also the row already selected whose
            // demonstration was stopped (the effect that plays goes on undisturbed).
            OnRowSelected(row);
        } else if (selected_ >= 0) {
            // A click beside the rows took the selection away: the row selected before
            // gets it back, and the demonstration is left as it is.
            reselecting_ = true;
            SelectEffectRow(list(), selected_);
            reselecting_ = false;
        }
    } else if (header.code == UINT(NM_RETURN) && selected_ >= 0) {
        // Enter is the keyboard's click on the selected row.
        OnRowSelected(selected_);
    }
}

void CEffectView::OnRowSelected(int row) {
    if (reselecting_) return;
    selected_ = row;
    SetItemText(hwnd(), IDC_EFFECT_NAME, WidenAnsi(EffectName(row + 1)));
    demo_.Demonstrate(row + 1);
}

}  // namespace gd
