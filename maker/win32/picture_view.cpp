#include "maker/win32/picture_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <utility>

#include "maker/project/picture_dates.h"
#include "maker/project/screensaver_doc.h"
#include "maker/ui/picture_list_text.h"
#include "maker/win32/add_files_prompt.h"
#include "maker/win32/added_files_check.h"
#include "maker/win32/caption_sample.h"
#include "maker/win32/dpi.h"
#include "maker/win32/file_drop.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/accessible_window.h"
#include "win32/control_names.h"
#include "win32/dialog_items.h"
#include "win32/list_page.h"

namespace gd {

namespace {

constexpr wchar_t kProgramName[] = L"Glimmerdeck";

const FileListSetup kListSetup{
    .list = IDC_PICTURE_LIST,
    .command_ids = {IDC_PICTURE_ADD, IDC_PICTURE_REMOVE, IDC_PICTURE_UP, IDC_PICTURE_DOWN, IDC_PICTURE_REMOVE_ALL},
    .tooltips = {L"Add pictures", L"Remove selected picture", L"Move selected picture to previous position",
                 L"Move selected picture to next position", L"Remove all pictures"},
    .totals = IDC_PICTURE_TOTALS,
    .types_strip = IDB_PICTURE_TYPES,
    .types_strip_2x = IDB_PICTURE_TYPES_2X,
    .menu = MAKEINTRESOURCEW(IDR_PICTURE_LIST_MENU),
    .remove_all_question = L"Remove all pictures?   ",
    // A letter selects the next picture named with it; the page follows the list.
    .letters = ListLetters::kJumpToRow,
    .type_image = [](const std::string& path) { return PictureTypeIcon(path); },
    .size_units = &PictureKilobytes,
    .size_text = [](long long kilobytes) { return PictureSizeText(kilobytes * 1024); },
    .totals_text = &PictureTotalsText,
    .take_refused = &TakeRefusedPictures,
    .types_accepted = &PictureTypesAccepted,
};

constexpr int kCaptionControls[] = {IDC_CAPTION_TEXT, IDC_CAPTION_FONT, IDC_CAPTION_POSITION, IDC_CAPTION_APPLY_ALL,
                                    IDC_CAPTION_SET_DEFAULT};

}  // namespace

CPictureView::CPictureView(PageContext context) : context_(std::move(context)), rows_(kListSetup, *this) {}

CPictureView::~CPictureView() {
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
}

bool CPictureView::Create() {
    return CreateModeless(context_.instance, IDD_PICTURE_PAGE, context_.frame) != nullptr;
}

HWND CPictureView::list() const { return Item(IDC_PICTURE_LIST); }

INT_PTR CPictureView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;  // the frame decides where the focus goes
    case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lparam);
        if (header.idFrom == IDC_PICTURE_LIST) OnListNotify(header);
        return FALSE;
    }
    case WM_CONTEXTMENU:
        if (HWND(wparam) != list()) return FALSE;
        OnContextMenu(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.CtlID != IDC_CAPTION_SAMPLE) return FALSE;
        const bool shown = rows_.selected() >= 0;
        DrawCaptionSample(item, FontOnWindow(sample_font_, hwnd(), context_.doc->project().bScaleTexts != 0),
                          sample_color_, shown ? SampleCaption() : std::wstring());
        return TRUE;
    }
    case WM_DPICHANGED_AFTERPARENT:
        // The controls were laid out again at the new size: the images and the preview
        // follow them.
        if (set_up_) {
            rows_.SetImages();
            preview_.Place();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

// --- setting up ----------------------------------------------------------------------------

void CPictureView::SetUpOnce() {
    if (set_up_) return;
    set_up_ = true;
    rows_.SetUp(context_.instance, hwnd(), *context_.services->prompter);
    rows_.tips().Add(IDC_CAPTION_FONT, L"Caption font Setting");
    rows_.tips().Add(IDC_CAPTION_APPLY_ALL, L"Apply this caption settings to all pictures");
    rows_.tips().Add(IDC_CAPTION_SET_DEFAULT, L"Set this caption settings to default parameter");
    for (const wchar_t* name : kCaptionPositionNames)
        SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_ADDSTRING, 0, LPARAM(name));
    caption_limit_.Attach(hwnd());
    preview_.Create(context_.instance, hwnd(), IDC_PICTURE_PREVIEW_FRAME);
    AcceptDroppedFiles(list(), [this](const std::vector<std::string>& dropped) { AddDropped(dropped); });
    constexpr ControlName kNames[] = {
        {IDC_PICTURE_LIST, L"Pictures"}, {IDC_CAPTION_TEXT, L"Caption"}, {IDC_CAPTION_POSITION, L"Caption position"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    LabelForScreenReaders(Item(IDC_CAPTION_SAMPLE), {L"Caption sample", ROLE_SYSTEM_GRAPHIC,
                                                     [this] { return ItemText(hwnd(), IDC_CAPTION_TEXT); }});
    rows_.Select(-1);
}

// --- the project ---------------------------------------------------------------------------

void CPictureView::LoadFromProject() {
    SetUpOnce();
    if (!(GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE)) {
        load_pending_ = true;
        return;
    }
    Load();
}

void CPictureView::Show(bool visible) {
    FramePage::Show(visible);
    if (visible && load_pending_) Load();
}

void CPictureView::Load() {
    load_pending_ = false;
    const std::vector<CPictureData>& stored = context_.doc->project().pictureList;
    defaults_ = context_.doc->DefaultCaptionStyle();
    caption_fields_ = context_.doc->project().bCaptionFields != 0;
    pictures_.clear();
    rows_.ClearRows();
    std::vector<std::string> paths;
    for (const CPictureData& p : stored) paths.push_back(p.szFile);
    const std::vector<std::string> missing =
        rows_.AppendRows(paths, [this, &stored](size_t i) { pictures_.push_back(stored[i]); });
    ShowNoSelection(defaults_);
    rows_.UpdateTotals();
    ReportMissing(missing);
}

void CPictureView::StoreToProject() {
    // A page still waiting to load holds nothing of this project.
    if (load_pending_) return;
    context_.doc->project().pictureList = pictures_;
    context_.doc->project().bCaptionFields = caption_fields_ ? 1 : 0;
}

void CPictureView::AfterProjectSaved() {
    if (load_pending_) return;
    const int selected = rows_.selected();
    const std::string shown = selected >= 0 ? pictures_[size_t(selected)].szFile : std::string();
    std::vector<std::string> kept;
    for (const CPictureData& p : context_.doc->project().pictureList) kept.push_back(p.szFile);
    if (!rows_.KeepSaved(kept)) return;
    // The picture shown stays as it is; another one is shown when the selected one went.
    if (rows_.selected() >= 0 && pictures_[size_t(rows_.selected())].szFile == shown) rows_.HighlightSelection();
    else ShowSelection();
}

void CPictureView::ResetForNewProject() {
    // No picture, and the sample as the page first shows it.
    ShowNoSelection(CaptionStyle{});
}

// --- the selection -------------------------------------------------------------------------

void CPictureView::EnableCaptionControls(bool enabled) {
    for (int id : kCaptionControls) EnableWindow(Item(id), enabled);
}

void CPictureView::ShowNoSelection(const CaptionStyle& look) {
    rows_.Select(-1);
    loading_ = true;
    SetItemText(hwnd(), IDC_CAPTION_TEXT, L"");
    sample_color_ = look.color;
    SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_SETCURSEL, WPARAM(look.position), 0);
    loading_ = false;
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    preview_.Clear();
    ShowPixelSize();
    EnableCaptionControls(false);
    rows_.Highlight(-1);
}

void CPictureView::ShowSelection() {
    sample_dates_.reset();  // a file chosen again may have changed since
    const int selected = rows_.selected();
    if (selected < 0 || selected >= int(pictures_.size())) {
        ShowNoSelection(defaults_);
        SetFocus(list());
        return;
    }
    loading_ = true;
    const CPictureData& picture = pictures_[size_t(selected)];
    EnableCaptionControls(true);
    rows_.Highlight(selected);
    SetItemUtf8(hwnd(), IDC_CAPTION_TEXT, picture.szCaption);
    sample_font_ = picture.lfCaptionFont;
    sample_color_ = picture.crCaptionColor;
    SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_SETCURSEL, WPARAM(picture.nCaptionPos), 0);
    loading_ = false;
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    SetFocus(list());
    // The picture shown already is not decoded (nor reported) again.
    if (preview_.file() != picture.szFile) {
        const std::string path = picture.szFile;
        if (!preview_.Load(path)) {
            ShowPixelSize();
            Say(Wide(path) + L"\nThis picture file is not found or bad!");
            return;
        }
    }
    ShowPixelSize();
}

std::wstring CPictureView::SampleCaption() {
    const CPictureData& picture = pictures_[size_t(rows_.selected())];
    if (!caption_fields_ || !CaptionNeedsDate(picture.szCaption)) return Wide(CaptionAsMade(picture, caption_fields_));
    if (!sample_dates_ || sample_dates_->first != picture.szFile)
        sample_dates_.emplace(picture.szFile, ReadPictureDates(picture.szFile));
    return Wide(ExpandCaption(picture.szCaption, picture.szFile, sample_dates_->second));
}

void CPictureView::ShowPixelSize() {
    const bool shown = rows_.selected() >= 0 && preview_.has_picture();
    SetItemText(hwnd(), IDC_PICTURE_PIXEL_SIZE,
                shown ? Wide(PixelSizeText(preview_.picture_width(), preview_.picture_height())) : L"");
}

void CPictureView::ClickRow(int row) {
    if (row < 0 || row >= int(pictures_.size())) {
        // A click beside the rows: the list dropped its highlight, the selection stays.
        rows_.HighlightSelection();
        return;
    }
    rows_.Select(row);
    ShowSelection();
}

bool CPictureView::OnListKey(UINT key) {
    if (key == VK_DELETE) {
        RemoveSelected();
        return true;
    }
    if (key != VK_UP && key != VK_DOWN) return false;
    const int selected = rows_.selected();
    const int next = SelectionAfterKey(key == VK_UP ? ListKey::kUp : ListKey::kDown, int(pictures_.size()), selected);
    if (next < 0 || next == selected) {
        rows_.HighlightSelection();
        return true;
    }
    rows_.Select(next);
    ShowSelection();
    return true;
}

void CPictureView::MarkModified() {
    if (!loading_) context_.doc->SetModifiedFlag(true);
}

void CPictureView::ReportMissing(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    Say(Wide(MissingPicturesMessage(paths)));
}

void CPictureView::Say(const std::wstring& text) {
    context_.services->prompter->Show(hwnd(), text, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

int CPictureView::Ask(const wchar_t* question, UINT icon) {
    return context_.services->prompter->Show(hwnd(), question, kProgramName, MB_OKCANCEL | icon);
}

// --- adding --------------------------------------------------------------------------------

void CPictureView::AddPictures() {
    SetFocus(list());
    std::optional<std::vector<std::string>> chosen = ChooseFilesToAdd(*context_.services, AddDialog::kPictures, hwnd());
    if (!chosen) return;
    AddFiles(*chosen);
}

// --- messages and the context menu -------------------------------------------------------

void CPictureView::OnContextMenu(POINT screen) {
    if (screen.x != -1 || screen.y != -1) ClickRow(ListRowAt(list(), screen));
    if (const UINT command = rows_.ChooseFromMenu(screen, track_menu_)) OnCommand(int(command), BN_CLICKED);
}

void CPictureView::OnCommand(int id, int code) {
    if (id == IDC_CAPTION_TEXT && code == EN_CHANGE) OnCaptionEdited();
    if (id == IDC_CAPTION_POSITION && code == CBN_SELCHANGE) OnPositionChosen();
    if (code != BN_CLICKED || rows_.RunCommand(id)) return;
    if (id == IDC_PICTURE_ADD) AddPictures();
    else if (id == IDC_CAPTION_FONT) ChooseCaptionFont();
    else if (id == IDC_CAPTION_APPLY_ALL) ApplyToAll();
    else if (id == IDC_CAPTION_SET_DEFAULT) SetDefault();
}

void CPictureView::OnListNotify(NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMCHANGED:
        // The list selected a row itself (a click, a letter): the page follows it.
        if (const int row = rows_.RowSelectedByList(header); row >= 0) ClickRow(row);
        return;
    case NM_CLICK:
    case NM_RCLICK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem < 0) rows_.HighlightSelection();
        return;
    case LVN_GETINFOTIPW:
        // The pixel size too once the row's picture has been previewed.
        rows_.FillInfoTip(header, [this](int row) {
            const bool shown = row == rows_.selected() && preview_.has_picture();
            return shown ? Wide(PixelSizeText(preview_.picture_width(), preview_.picture_height())) : std::wstring();
        });
        return;
    default:
        return;
    }
}

}  // namespace gd
