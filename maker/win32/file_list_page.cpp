#include "maker/win32/file_list_page.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "common/path_parts.h"
#include "maker/ui/dropped_files.h"
#include "maker/ui/list_rules.h"
#include "maker/win32/bitmap_strip.h"
#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"
#include "win32/prompter.h"

namespace gd {

namespace {

constexpr wchar_t kProgramName[] = L"Glimmerdeck";
constexpr int kImageSize = 16;  // the strips' images at 96 DPI

// Path gives up width so that Size stays in view (the info tip shows a path in full).
constexpr ListColumn kColumns[] = {{L"Name", 150}, {L"Path", 316}, {L"Size", 60, LVCFMT_RIGHT}};
enum Column { kNameColumn, kPathColumn, kSizeColumn };

}  // namespace

FileListPage::~FileListPage() {
    for (auto& [id, icon] : icons_) DestroyIcon(icon);
    for (HBITMAP image : menu_images_)
        if (image) DeleteObject(image);
}

// --- setting up ----------------------------------------------------------------------------

void FileListPage::SetUp(HINSTANCE instance, HWND page, Prompter& prompter) {
    instance_ = instance;
    page_ = page;
    prompter_ = &prompter;
    HWND view = list();
    ListView_SetExtendedListViewStyle(view, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    AddListColumns(view, kColumns, kPathColumn, WindowDpi(page_));
    tips_.Create(instance_, page_);
    for (int i = 0; i < kListCommandCount; ++i) tips_.Add(setup_.command_ids[i], setup_.tooltips[i]);
    SetImages();
    HandleListKeys(view, [this](UINT key) { return owner_.OnListKey(key); }, setup_.letters);
}

void FileListPage::SetImages() {
    const int size = ScaleForWindow(page_, kImageSize);
    // The list owns the image list it holds (it has no LVS_SHAREIMAGELISTS) and destroys
    // it with itself; the one it gives back is the page's to destroy.
    HIMAGELIST types = MakeStripImageList(instance_, size, setup_.types_strip, setup_.types_strip_2x, kImageSize);
    if (HIMAGELIST old = ListView_SetImageList(list(), types, LVSIL_SMALL)) ImageList_Destroy(old);

    HIMAGELIST commands = MakeStripImageList(instance_, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kImageSize);
    for (int i = 0; i < kListCommandCount; ++i) {
        SetButtonIcon(setup_.command_ids[i], commands ? ImageList_GetIcon(commands, i, ILD_NORMAL) : nullptr);
        if (menu_images_[i]) DeleteObject(menu_images_[i]);
        menu_images_[i] = MakeStripImage(instance_, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kImageSize, i);
    }
    if (commands) ImageList_Destroy(commands);
}

void FileListPage::SetButtonIcon(int id, HICON icon) {
    SendDlgItemMessageW(page_, id, BM_SETIMAGE, IMAGE_ICON, LPARAM(icon));
    for (auto& [kept_id, kept] : icons_) {
        if (kept_id != id) continue;
        if (kept) DestroyIcon(kept);
        kept = icon;
        return;
    }
    icons_.emplace_back(id, icon);
}

// --- rows ----------------------------------------------------------------------------------

std::vector<std::string> FileListPage::Paths() const {
    std::vector<std::string> paths;
    paths.reserve(sizes_.size());
    for (int row = 0; row < count(); ++row) paths.push_back(owner_.ItemPath(row));
    return paths;
}

std::vector<std::string> FileListPage::AppendRows(const std::vector<std::string>& paths,
                                                  const std::function<void(size_t index)>& listed) {
    std::vector<std::string> missing;
    ++changing_;
    SendMessageW(list(), WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < paths.size(); ++i) {
        // The file is opened once, for its size; one that does not open is not listed.
        std::optional<long long> bytes = OpenedFileSize(paths[i]);
        if (!bytes) {
            missing.push_back(paths[i]);
            continue;
        }
        listed(i);
        sizes_.push_back(setup_.size_units(*bytes));
        InsertRow(count() - 1);
    }
    SendMessageW(list(), WM_SETREDRAW, TRUE, 0);
    --changing_;
    return missing;
}

void FileListPage::ClearRows() {
    ++changing_;
    sizes_.clear();
    ListView_DeleteAllItems(list());
    --changing_;
}

void FileListPage::InsertRow(int row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list(), LVM_INSERTITEMW, 0, LPARAM(&item));
    SetRow(row);
}

void FileListPage::SetRow(int row) {
    const std::string& path = owner_.ItemPath(row);
    std::wstring name = Wide(PathName(path, kWindowsSeparators));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = name.data();
    item.iImage = setup_.type_image(path);
    SendMessageW(list(), LVM_SETITEMW, 0, LPARAM(&item));
    SetListCell(list(), row, kPathColumn, Wide(path));
    SetListCell(list(), row, kSizeColumn, Wide(setup_.size_text(sizes_[size_t(row)])));
}

void FileListPage::Highlight(int row) {
    ++changing_;
    HighlightListRow(list(), row);
    --changing_;
}

void FileListPage::UpdateTotals() {
    long long sum = 0;
    for (long long size : sizes_) sum += size;
    SetItemUtf8(page_, setup_.totals, setup_.totals_text(sizes_.size(), sum));
}

// --- commands ------------------------------------------------------------------------------

void FileListPage::Say(const std::wstring& text) const {
    prompter_->Show(page_, text, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

void FileListPage::AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused) {
    std::vector<std::string> fresh = PathsNotListed(Paths(), paths);
    for (RefusedFile& r : setup_.take_refused(fresh)) refused.push_back(std::move(r));
    if (!refused.empty()) Say(Wide(RefusedFilesMessage(refused, setup_.types_accepted())));
    if (fresh.empty() && !refused.empty()) return;  // nothing added, nothing changed
    const std::vector<std::string> missing =
        AppendRows(fresh, [this, &fresh](size_t i) { owner_.AddItem(fresh[i]); });
    owner_.ReportMissing(missing);
    owner_.AfterAdd();
    owner_.MarkModified();
    UpdateTotals();
}

void FileListPage::AddDropped(const std::vector<std::string>& dropped, const FileTypeSet& types) {
    DroppedFiles files = ExpandDroppedFiles(dropped, types);
    std::vector<RefusedFile> refused;
    for (const std::string& path : files.skipped) refused.push_back({path, {}});
    if (!files.files.empty() || !refused.empty()) AddFiles(files.files, std::move(refused));
}

void FileListPage::RemoveSelected() {
    const int removed = selected_;
    if (removed < 0 || removed >= count()) return;
    ++changing_;
    ListView_DeleteItem(list(), removed);
    --changing_;
    owner_.EraseItem(removed);
    sizes_.erase(sizes_.begin() + removed);
    selected_ = SelectionAfterRemoval(removed, count());
    owner_.AfterRemove();
    owner_.MarkModified();
    UpdateTotals();
}

void FileListPage::Move(int by) {
    const ListCommandStates states = ListCommands(count(), selected_);
    if (!(by < 0 ? states.move_up : states.move_down)) return;
    const int row = selected_;
    const int other = row + by;
    owner_.SwapItems(row, other);
    std::swap(sizes_[size_t(row)], sizes_[size_t(other)]);
    SetRow(row);
    SetRow(other);
    selected_ = other;
    HighlightSelection();
    owner_.MarkModified();
}

void FileListPage::RemoveAll() {
    if (count() == 0) return;
    if (prompter_->Show(page_, setup_.remove_all_question, kProgramName, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    owner_.EraseAllItems();
    ClearRows();
    selected_ = -1;
    owner_.AfterRemoveAll();
    owner_.MarkModified();
    UpdateTotals();
}

bool FileListPage::RunCommand(int id) {
    if (id == setup_.command_ids[kListRemove]) RemoveSelected();
    else if (id == setup_.command_ids[kListUp]) MoveUp();
    else if (id == setup_.command_ids[kListDown]) MoveDown();
    else if (id == setup_.command_ids[kListRemoveAll]) RemoveAll();
    else return false;
    return true;
}

// --- the context menu ----------------------------------------------------------------------

HMENU FileListPage::MakeContextMenu() const {
    HMENU bar = LoadMenuW(instance_, setup_.menu);
    if (!bar) return nullptr;
    HMENU popup = GetSubMenu(bar, 0);
    RemoveMenu(bar, 0, MF_BYPOSITION);  // the pop-up outlives the bar that held it
    DestroyMenu(bar);
    const ListCommandStates states = ListCommands(count(), selected_);
    const bool enabled[kListCommandCount] = {states.add, states.remove, states.move_up, states.move_down,
                                             states.remove_all};
    for (int i = 0; i < kListCommandCount; ++i) {
        const UINT id = UINT(setup_.command_ids[i]);
        EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled[i] ? MF_ENABLED : MF_GRAYED));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = menu_images_[i];
        if (menu_images_[i]) SetMenuItemInfoW(popup, id, FALSE, &info);
    }
    return popup;
}

UINT FileListPage::ChooseFromMenu(POINT screen, const MenuTracker& tracker) {
    HMENU menu = MakeContextMenu();
    if (!menu) return 0;
    const POINT at = ListMenuPoint(list(), selected_, screen);
    const UINT command = tracker ? tracker(menu, at)
                                 : UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN |
                                                                 TPM_TOPALIGN,
                                                       at.x, at.y, 0, page_, nullptr));
    DestroyMenu(menu);
    return command;
}

int FileListPage::RowSelectedByList(const NMHDR& header) const {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (changing() || !(change.uChanged & LVIF_STATE)) return -1;
    const bool newly = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    return newly && change.iItem >= 0 && change.iItem != selected_ ? change.iItem : -1;
}

void FileListPage::FillInfoTip(NMHDR& header, const std::function<std::wstring(int row)>& more) const {
    auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
    if (tip.iItem < 0 || tip.iItem >= count() || !tip.pszText || tip.cchTextMax <= 0) return;
    std::wstring text = Wide(owner_.ItemPath(tip.iItem));
    if (more) {
        const std::wstring lines = more(tip.iItem);
        if (!lines.empty()) text += L"\n" + lines;
    }
    lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
}

// --- saving --------------------------------------------------------------------------------

bool FileListPage::KeepSaved(const std::vector<std::string>& saved) {
    if (saved.size() == sizes_.size()) return false;
    const RowsAfterDrop rows = RowsKeptAfterDrop(Paths(), saved, selected_);
    ++changing_;
    for (int row = count() - 1; row >= 0; --row) {
        if (rows.kept[size_t(row)]) continue;
        ListView_DeleteItem(list(), row);
        owner_.EraseItem(row);
        sizes_.erase(sizes_.begin() + row);
    }
    --changing_;
    selected_ = rows.selected;
    UpdateTotals();
    return true;
}

}  // namespace gd
