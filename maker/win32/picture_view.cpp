#include "maker/win32/picture_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>
#include <utility>

#include "maker/project/payload_text.h"
#include "maker/project/picture_dates.h"
#include "maker/project/screensaver_doc.h"
#include "maker/ui/dropped_files.h"
#include "maker/ui/picture_list_text.h"
#include "maker/win32/add_files_prompt.h"
#include "maker/win32/added_files_check.h"
#include "maker/win32/bitmap_strip.h"
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
constexpr UINT_PTR kKeysSubclass = 0x504B4559;  // "PKEY"
constexpr int kImageSize = 16;

// The list's commands: button, image in the list-commands strip, tooltip.
struct ListButton {
    int id;
    const wchar_t* tooltip;
};
constexpr ListButton kListButtons[] = {
    {IDC_PICTURE_ADD, L"Add pictures"},
    {IDC_PICTURE_REMOVE, L"Remove selected picture"},
    {IDC_PICTURE_UP, L"Move selected picture to previous position"},
    {IDC_PICTURE_DOWN, L"Move selected picture to next position"},
    {IDC_PICTURE_REMOVE_ALL, L"Remove all pictures"},
};

constexpr int kCaptionControls[] = {IDC_CAPTION_TEXT, IDC_CAPTION_FONT, IDC_CAPTION_POSITION, IDC_CAPTION_APPLY_ALL,
                                    IDC_CAPTION_SET_DEFAULT};

// Path gives up width so that Size stays in view (the info tip shows a path in full).
constexpr ListColumn kColumns[] = {{L"Name", 150}, {L"Path", 316}, {L"Size", 60, LVCFMT_RIGHT}};
constexpr int kPathColumn = 1;

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == path.npos ? path : path.substr(slash + 1);
}

}  // namespace

CPictureView::CPictureView(PageContext context) : context_(std::move(context)) {}

CPictureView::~CPictureView() {
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    if (types_) ImageList_Destroy(types_);
    for (HICON icon : button_icons_)
        if (icon) DestroyIcon(icon);
    if (menu_) DestroyMenu(menu_);
    for (HBITMAP image : menu_images_)
        if (image) DeleteObject(image);
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
        if (HWND(wparam) == list()) {
            OnContextMenu(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item.CtlID != IDC_CAPTION_SAMPLE) return FALSE;
        const bool shown = selected_ >= 0;
        DrawCaptionSample(item, FontOnWindow(sample_font_, hwnd(), context_.doc->project().bScaleTexts != 0),
                          sample_color_, shown ? Wide(CaptionAsMade(pictures_[size_t(selected_)])) : std::wstring());
        return TRUE;
    }
    case WM_DPICHANGED_AFTERPARENT:
        // The controls were laid out again at the new size: the images and the preview
        // follow them.
        if (set_up_) {
            SetImages();
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
    HWND l = list();
    ListView_SetExtendedListViewStyle(l, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    AddListColumns(l, kColumns, kPathColumn, WindowDpi(hwnd()));
    tooltip_ = CreateTooltips(context_.instance, hwnd());
    for (const ListButton& b : kListButtons) AddTooltip(b.id, b.tooltip);
    AddTooltip(IDC_CAPTION_FONT, L"Caption font Setting");
    AddTooltip(IDC_CAPTION_APPLY_ALL, L"Apply this caption settings to all pictures");
    AddTooltip(IDC_CAPTION_SET_DEFAULT, L"Set this caption settings to default parameter");
    menu_ = LoadMenuW(context_.instance, MAKEINTRESOURCEW(IDR_PICTURE_LIST_MENU));
    SetImages();
    for (const wchar_t* name : kCaptionPositionNames)
        SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_ADDSTRING, 0, LPARAM(name));
    caption_limit_.Attach(hwnd());
    preview_.Create(context_.instance, hwnd(), IDC_PICTURE_PREVIEW_FRAME);
    SetWindowSubclass(l, &CPictureView::ListSubclassProc, kKeysSubclass, DWORD_PTR(this));
    AcceptDroppedFiles(l, [this](const std::vector<std::string>& dropped) { AddDropped(dropped); });
    constexpr ControlName kNames[] = {
        {IDC_PICTURE_LIST, L"Pictures"}, {IDC_CAPTION_TEXT, L"Caption"}, {IDC_CAPTION_POSITION, L"Caption position"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    LabelForScreenReaders(Item(IDC_CAPTION_SAMPLE), {L"Caption sample", ROLE_SYSTEM_GRAPHIC,
                                                     [this] { return ItemText(hwnd(), IDC_CAPTION_TEXT); }});
    selected_ = -1;
}

void CPictureView::SetImages() {
    const int size = ScaleForWindow(hwnd(), kImageSize);
    HIMAGELIST types = MakeStripImageList(context_.instance, size, IDB_PICTURE_TYPES, IDB_PICTURE_TYPES_2X, kImageSize);
    SendMessageW(list(), LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(types));
    if (types_) ImageList_Destroy(types_);
    types_ = types;

    HIMAGELIST commands =
        MakeStripImageList(context_.instance, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kImageSize);
    for (int i = 0; i < int(std::size(kListButtons)); ++i) {
        HICON icon = commands ? ImageList_GetIcon(commands, i, ILD_NORMAL) : nullptr;
        SendDlgItemMessageW(hwnd(), kListButtons[i].id, BM_SETIMAGE, IMAGE_ICON, LPARAM(icon));
        if (button_icons_[i]) DestroyIcon(button_icons_[i]);
        button_icons_[i] = icon;
    }
    if (commands) ImageList_Destroy(commands);

    // The menu's items in the order of the strip.
    HMENU popup = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    for (int i = 0; i < int(std::size(kListButtons)); ++i) {
        HBITMAP image = MakeStripImage(context_.instance, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kImageSize, i);
        if (popup) {
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_BITMAP;
            item.hbmpItem = image;
            SetMenuItemInfoW(popup, UINT(kListButtons[i].id), FALSE, &item);
        }
        if (menu_images_[i]) DeleteObject(menu_images_[i]);
        menu_images_[i] = image;
    }
}

void CPictureView::AddTooltip(int id, const wchar_t* text) { gd::AddTooltip(tooltip_, hwnd(), Item(id), text); }

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
    pictures_ = context_.doc->project().pictureList;
    defaults_ = context_.doc->DefaultCaptionStyle();
    kilobytes_.clear();
    highlighting_ = true;
    SendMessageW(list(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(list(), LVM_DELETEALLITEMS, 0, 0);
    std::vector<std::string> missing;
    for (size_t i = 0; i < pictures_.size();) {
        if (AppendRow(i)) {
            ++i;
        } else {
            missing.push_back(pictures_[i].szFile);
            pictures_.erase(pictures_.begin() + std::ptrdiff_t(i));
        }
    }
    SendMessageW(list(), WM_SETREDRAW, TRUE, 0);
    highlighting_ = false;
    ShowNoSelection();
    UpdateTotals();
    ReportMissing(missing);
}

void CPictureView::StoreToProject() {
    // A page still waiting to load holds nothing of this project.
    if (load_pending_) return;
    context_.doc->project().pictureList = pictures_;
}

void CPictureView::AfterProjectSaved() {
    if (load_pending_) return;
    const std::vector<CPictureData>& saved = context_.doc->project().pictureList;
    if (saved.size() == pictures_.size()) return;
    std::vector<std::string> kept;
    for (const CPictureData& p : saved) kept.push_back(p.szFile);
    const std::string shown = selected_ >= 0 ? pictures_[size_t(selected_)].szFile : std::string();
    const RowsAfterDrop rows = RowsKeptAfterDrop(ListedFiles(), kept, selected_);
    highlighting_ = true;
    for (int row = int(pictures_.size()) - 1; row >= 0; --row) {
        if (rows.kept[size_t(row)]) continue;
        SendMessageW(list(), LVM_DELETEITEM, WPARAM(row), 0);
        pictures_.erase(pictures_.begin() + row);
        kilobytes_.erase(kilobytes_.begin() + row);
    }
    highlighting_ = false;
    selected_ = rows.selected;
    UpdateTotals();
    // The picture shown stays as it is; another one is shown when the selected one went.
    if (selected_ >= 0 && pictures_[size_t(selected_)].szFile == shown) Highlight(selected_);
    else ShowSelection();
}

void CPictureView::ResetForNewProject() {
    selected_ = -1;
    loading_ = true;
    SetItemText(hwnd(), IDC_CAPTION_TEXT, L"");
    sample_color_ = 0;
    SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_SETCURSEL, 0, 0);
    loading_ = false;
    Highlight(-1);
    EnableCaptionControls(false);
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    preview_.Clear();
    ShowPixelSize();
}

// --- rows ----------------------------------------------------------------------------------

bool CPictureView::AppendRow(size_t index) {
    std::optional<long long> bytes = OpenedFileSize(pictures_[index].szFile);
    if (!bytes) return false;
    kilobytes_.push_back(PictureKilobytes(*bytes));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = int(index);
    std::wstring name = Wide(FileName(pictures_[index].szFile));
    item.pszText = name.data();
    item.iImage = PictureTypeIcon(pictures_[index].szFile);
    const int row = int(SendMessageW(list(), LVM_INSERTITEMW, 0, LPARAM(&item)));
    SetListCell(list(), row, 1, Wide(pictures_[index].szFile));
    SetListCell(list(), row, 2, Wide(PictureSizeText(kilobytes_[index] * 1024)));
    return true;
}

void CPictureView::SetRow(int row) {
    const CPictureData& picture = pictures_[size_t(row)];
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    std::wstring name = Wide(FileName(picture.szFile));
    item.pszText = name.data();
    item.iImage = PictureTypeIcon(picture.szFile);
    SendMessageW(list(), LVM_SETITEMW, 0, LPARAM(&item));
    SetListCell(list(), row, 1, Wide(picture.szFile));
    SetListCell(list(), row, 2, Wide(PictureSizeText(kilobytes_[size_t(row)] * 1024)));
}

void CPictureView::Highlight(int row) {
    highlighting_ = true;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list(), LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&none));
    if (row >= 0) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
        SendMessageW(list(), LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    }
    highlighting_ = false;
}

std::vector<std::string> CPictureView::ListedFiles() const {
    std::vector<std::string> files;
    files.reserve(pictures_.size());
    for (const CPictureData& p : pictures_) files.push_back(p.szFile);
    return files;
}

// --- the selection -------------------------------------------------------------------------

void CPictureView::EnableCaptionControls(bool enabled) {
    for (int id : kCaptionControls) EnableWindow(Item(id), enabled);
}

void CPictureView::ShowNoSelection() {
    selected_ = -1;
    loading_ = true;
    SetItemText(hwnd(), IDC_CAPTION_TEXT, L"");
    sample_color_ = defaults_.color;
    SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_SETCURSEL, WPARAM(defaults_.position), 0);
    loading_ = false;
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    preview_.Clear();
    ShowPixelSize();
    EnableCaptionControls(false);
    Highlight(-1);
}

void CPictureView::ShowSelection() {
    if (selected_ < 0 || selected_ >= int(pictures_.size())) {
        ShowNoSelection();
        SetFocus(list());
        return;
    }
    loading_ = true;
    const CPictureData& picture = pictures_[size_t(selected_)];
    EnableCaptionControls(true);
    Highlight(selected_);
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
            context_.services->prompter->Show(hwnd(), Wide(path) + L"\nThis picture file is not found or bad!",
                                              kProgramName, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    ShowPixelSize();
}

void CPictureView::ShowPixelSize() {
    const bool shown = selected_ >= 0 && preview_.has_picture();
    SetItemText(hwnd(), IDC_PICTURE_PIXEL_SIZE,
                shown ? Wide(PixelSizeText(preview_.picture_width(), preview_.picture_height())) : L"");
}

void CPictureView::ClickRow(int row) {
    if (row < 0 || row >= int(pictures_.size())) {
        // A click beside the rows: the list dropped its highlight, the selection stays.
        Highlight(selected_);
        return;
    }
    selected_ = row;
    ShowSelection();
}

void CPictureView::OnListKey(UINT key) {
    if (key == VK_DELETE) {
        RemoveSelected();
        return;
    }
    const int next = SelectionAfterKey(key == VK_UP ? ListKey::kUp : ListKey::kDown, int(pictures_.size()), selected_);
    if (next < 0 || next == selected_) {
        Highlight(selected_);
        return;
    }
    selected_ = next;
    ShowSelection();
}

void CPictureView::UpdateTotals() {
    long long sum = 0;
    for (long long k : kilobytes_) sum += k;
    SetItemText(hwnd(), IDC_PICTURE_TOTALS, Wide(PictureTotalsText(pictures_.size(), sum)));
}

void CPictureView::MarkModified() {
    if (!loading_) context_.doc->SetModifiedFlag(true);
}

void CPictureView::ReportMissing(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    context_.services->prompter->Show(hwnd(), Wide(MissingPicturesMessage(paths)), kProgramName,
                                      MB_OK | MB_ICONEXCLAMATION);
}

int CPictureView::Ask(const wchar_t* question, UINT icon) {
    return context_.services->prompter->Show(hwnd(), question, kProgramName, MB_OKCANCEL | icon);
}

// --- list commands -------------------------------------------------------------------------

void CPictureView::AddPictures() {
    SetFocus(list());
    std::optional<std::vector<std::string>> chosen = ChooseFilesToAdd(*context_.services, AddDialog::kPictures, hwnd());
    if (!chosen) return;
    AddFiles(*chosen);
}

void CPictureView::AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused) {
    std::vector<std::string> fresh = PathsNotListed(ListedFiles(), paths);
    for (RefusedFile& r : TakeRefusedPictures(fresh)) refused.push_back(std::move(r));
    if (!refused.empty())
        context_.services->prompter->Show(hwnd(), Wide(RefusedFilesMessage(refused, PictureTypesAccepted())),
                                          kProgramName, MB_OK | MB_ICONEXCLAMATION);
    if (fresh.empty() && !refused.empty()) return;  // nothing added, nothing changed
    std::vector<std::string> missing;
    pictures_.reserve(pictures_.size() + fresh.size());
    highlighting_ = true;
    SendMessageW(list(), WM_SETREDRAW, FALSE, 0);
    for (const std::string& path : fresh) {
        pictures_.emplace_back(path, defaults_);
        if (!AppendRow(pictures_.size() - 1)) {
            missing.push_back(path);
            pictures_.pop_back();
        }
    }
    SendMessageW(list(), WM_SETREDRAW, TRUE, 0);
    highlighting_ = false;
    ReportMissing(missing);
    ShowSelection();
    MarkModified();
    UpdateTotals();
}

void CPictureView::AddDropped(const std::vector<std::string>& dropped) {
    DroppedFiles files = ExpandDroppedFiles(dropped, PictureListTypes());
    std::vector<RefusedFile> refused;
    for (const std::string& path : files.skipped) refused.push_back({path, {}});
    if (!files.files.empty() || !refused.empty()) AddFiles(files.files, std::move(refused));
}

void CPictureView::RemoveSelected() {
    if (selected_ < 0 || selected_ >= int(pictures_.size())) return;
    const int removed = selected_;
    highlighting_ = true;
    SendMessageW(list(), LVM_DELETEITEM, WPARAM(removed), 0);
    highlighting_ = false;
    pictures_.erase(pictures_.begin() + removed);
    kilobytes_.erase(kilobytes_.begin() + removed);
    selected_ = SelectionAfterRemoval(removed, int(pictures_.size()));
    ShowSelection();
    MarkModified();
    UpdateTotals();
}

void CPictureView::MoveUp() {
    if (!ListCommands(int(pictures_.size()), selected_).move_up) return;
    const int row = selected_;
    std::swap(pictures_[size_t(row)], pictures_[size_t(row - 1)]);
    std::swap(kilobytes_[size_t(row)], kilobytes_[size_t(row - 1)]);
    SetRow(row);
    SetRow(row - 1);
    selected_ = row - 1;
    Highlight(selected_);
    MarkModified();
}

void CPictureView::MoveDown() {
    if (!ListCommands(int(pictures_.size()), selected_).move_down) return;
    const int row = selected_;
    std::swap(pictures_[size_t(row)], pictures_[size_t(row + 1)]);
    std::swap(kilobytes_[size_t(row)], kilobytes_[size_t(row + 1)]);
    SetRow(row);
    SetRow(row + 1);
    selected_ = row + 1;
    Highlight(selected_);
    MarkModified();
}

void CPictureView::RemoveAll() {
    if (pictures_.empty()) return;
    if (Ask(L"Remove all pictures?   ", MB_ICONWARNING) != IDOK) return;
    pictures_.clear();
    kilobytes_.clear();
    highlighting_ = true;
    SendMessageW(list(), LVM_DELETEALLITEMS, 0, 0);
    highlighting_ = false;
    selected_ = -1;
    ShowSelection();
    MarkModified();
    UpdateTotals();
}

// --- the caption ---------------------------------------------------------------------------

void CPictureView::OnCaptionEdited() {
    if (caption_limit_.Check(hwnd(), !loading_ && selected_ >= 0) || loading_ || selected_ < 0) return;
    CPictureData& picture = pictures_[size_t(selected_)];
    std::string text = ItemUtf8(hwnd(), IDC_CAPTION_TEXT);
    // Any character goes into the screensaver; a lone surrogate pasted into the control
    // (no character) is refused here, where it was typed, rather than lost at Make.
    if (std::optional<std::string> reason = CheckRecordText(text, 0)) {
        loading_ = true;
        SetItemUtf8(hwnd(), IDC_CAPTION_TEXT, picture.szCaption);
        loading_ = false;
        const int end = GetWindowTextLengthW(Item(IDC_CAPTION_TEXT));
        SendDlgItemMessageW(hwnd(), IDC_CAPTION_TEXT, EM_SETSEL, WPARAM(end), LPARAM(end));
        context_.services->prompter->Show(hwnd(), L"The caption can't go into the screensaver: " + Wide(*reason),
                                          kProgramName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    picture.szCaption = std::move(text);
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    MarkModified();
}

void CPictureView::OnPositionChosen() {
    if (loading_ || selected_ < 0) return;
    const LRESULT index = SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_GETCURSEL, 0, 0);
    if (index < 0 || index > 8) return;
    pictures_[size_t(selected_)].nCaptionPos = int32_t(index);
    MarkModified();
}

void CPictureView::ChooseCaptionFont() {
    if (selected_ < 0 || !context_.services->choose_font) return;
    CPictureData& picture = pictures_[size_t(selected_)];
    const bool scale = context_.doc->project().bScaleTexts != 0;
    std::optional<FontChoice> chosen = context_.services->choose_font(
        hwnd(), FontOnWindow(picture.lfCaptionFont, hwnd(), scale), picture.crCaptionColor);
    if (!chosen) return;
    chosen->font = FontToKeep(chosen->font, hwnd(), scale);
    if (std::optional<std::string> reason = CheckRecordText(chosen->font.face_name, 0)) {
        context_.services->prompter->Show(hwnd(), L"The font can't go into the screensaver: " + Wide(*reason),
                                          kProgramName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    picture.lfCaptionFont = chosen->font;
    picture.crCaptionColor = chosen->color;
    sample_font_ = chosen->font;
    sample_color_ = chosen->color;
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    MarkModified();
}

void CPictureView::ApplyToAll() {
    if (selected_ < 0) return;
    // Every picture's own look is overwritten: a warning.
    if (Ask(L"Apply this caption settings to all pictures?   ", MB_ICONWARNING) != IDOK) return;
    const CPictureData look = pictures_[size_t(selected_)];
    for (CPictureData& picture : pictures_) {
        picture.lfCaptionFont = look.lfCaptionFont;
        picture.crCaptionColor = look.crCaptionColor;
        picture.nCaptionPos = look.nCaptionPos;
    }
    MarkModified();
}

void CPictureView::SetDefault() {
    if (selected_ < 0) return;
    if (Ask(L"Set this caption settings to default parameter?   ", MB_ICONQUESTION) != IDOK) return;
    const CPictureData& picture = pictures_[size_t(selected_)];
    // Not a change of the project: the defaults belong to the maker, not to the file. They
    // change only once they are stored, so what the page uses is what the next New or Open
    // uses too.
    if (!context_.doc->SaveCaptionDefaults(
            CaptionStyle{picture.lfCaptionFont, picture.crCaptionColor, picture.nCaptionPos})) {
        context_.services->prompter->Show(
            hwnd(), L"The caption defaults could not be saved: they stay as they were.", kProgramName,
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    defaults_ = context_.doc->DefaultCaptionStyle();
}

// --- the context menu ----------------------------------------------------------------------

HMENU CPictureView::PrepareContextMenu() {
    HMENU popup = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    if (!popup) return nullptr;
    const ListCommandStates states = ListCommands(int(pictures_.size()), selected_);
    auto enable = [popup](int id, bool on) { EnableMenuItem(popup, UINT(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(IDC_PICTURE_ADD, states.add);
    enable(IDC_PICTURE_REMOVE, states.remove);
    enable(IDC_PICTURE_UP, states.move_up);
    enable(IDC_PICTURE_DOWN, states.move_down);
    enable(IDC_PICTURE_REMOVE_ALL, states.remove_all);
    return popup;
}

void CPictureView::OnContextMenu(POINT screen) {
    HWND l = list();
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the selected row, else at the list's corner.
        RECT r{};
        if (selected_ < 0 || !ListView_GetItemRect(l, selected_, &r, LVIR_LABEL)) GetClientRect(l, &r);
        screen = POINT{r.left + 4, r.bottom};
        ClientToScreen(l, &screen);
    } else {
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(l, &hit.pt);
        const int row = int(SendMessageW(l, LVM_HITTEST, 0, LPARAM(&hit)));
        ClickRow(row);
    }
    HMENU popup = PrepareContextMenu();
    if (!popup) return;
    UINT command = track_menu_ ? track_menu_(popup, screen)
                               : UINT(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x,
                                                     screen.y, 0, hwnd(), nullptr));
    if (command != 0) OnCommand(int(command), BN_CLICKED);
}

// --- messages ------------------------------------------------------------------------------

void CPictureView::OnCommand(int id, int code) {
    switch (id) {
    case IDC_PICTURE_ADD:
        if (code == BN_CLICKED) AddPictures();
        break;
    case IDC_PICTURE_REMOVE:
        if (code == BN_CLICKED) RemoveSelected();
        break;
    case IDC_PICTURE_UP:
        if (code == BN_CLICKED) MoveUp();
        break;
    case IDC_PICTURE_DOWN:
        if (code == BN_CLICKED) MoveDown();
        break;
    case IDC_PICTURE_REMOVE_ALL:
        if (code == BN_CLICKED) RemoveAll();
        break;
    case IDC_CAPTION_TEXT:
        if (code == EN_CHANGE) OnCaptionEdited();
        break;
    case IDC_CAPTION_POSITION:
        if (code == CBN_SELCHANGE) OnPositionChosen();
        break;
    case IDC_CAPTION_FONT:
        if (code == BN_CLICKED) ChooseCaptionFont();
        break;
    case IDC_CAPTION_APPLY_ALL:
        if (code == BN_CLICKED) ApplyToAll();
        break;
    case IDC_CAPTION_SET_DEFAULT:
        if (code == BN_CLICKED) SetDefault();
        break;
    default:
        break;
    }
}

void CPictureView::OnListNotify(NMHDR& header) {
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (highlighting_ || !(change.uChanged & LVIF_STATE)) return;
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED) && change.iItem >= 0 &&
            change.iItem != selected_)
            ClickRow(change.iItem);
        return;
    }
    case NM_CLICK:
    case NM_RCLICK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem < 0) Highlight(selected_);
        return;
    case LVN_GETINFOTIPW: {
        // The full path, and the pixel size once the row's picture has been previewed.
        auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
        if (tip.iItem < 0 || tip.iItem >= int(pictures_.size()) || !tip.pszText || tip.cchTextMax <= 0) return;
        std::wstring text = Wide(pictures_[size_t(tip.iItem)].szFile);
        if (tip.iItem == selected_ && preview_.has_picture())
            text += L"\n" + Wide(PixelSizeText(preview_.picture_width(), preview_.picture_height()));
        lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
        return;
    }
    default:
        return;
    }
}

LRESULT CALLBACK CPictureView::ListSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                                DWORD_PTR data) {
    auto* self = reinterpret_cast<CPictureView*>(data);
    switch (message) {
    case WM_KEYDOWN:
        // The page's own rules for Up, Down and Delete, not the list's.
        if (wparam == VK_UP || wparam == VK_DOWN || wparam == VK_DELETE) {
            self->OnListKey(UINT(wparam));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &CPictureView::ListSubclassProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace gd
