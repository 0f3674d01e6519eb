#include "maker/win32/music_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "maker/project/path_rules.h"
#include "maker/project/screensaver_doc.h"
#include "maker/ui/dropped_files.h"
#include "maker/ui/list_rules.h"
#include "maker/ui/music_rules.h"
#include "maker/win32/add_files_prompt.h"
#include "maker/win32/added_files_check.h"
#include "maker/win32/bitmap_strip.h"
#include "maker/win32/dpi.h"
#include "maker/win32/file_drop.h"
#include "maker/win32/maker_resource_ids.h"
#include "win32/mci_player.h"
#include "maker/win32/ui_text.h"
#include "win32/control_names.h"
#include "win32/dialog_items.h"
#include "win32/list_page.h"

namespace gd {

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kKeysSubclass = 0x4D4B4559;  // "MKEY"
constexpr int kStripSize = 16;

enum Column { kNameColumn, kPathColumn, kSizeColumn };

struct ListButton {
    int id;
    int image;  // in the list commands' strip
    const wchar_t* tooltip;
};

constexpr ListButton kListButtons[] = {
    {IDC_MUSIC_ADD, 0, L"Add music"},
    {IDC_MUSIC_REMOVE, 1, L"Remove selected music"},
    {IDC_MUSIC_UP, 2, L"Move selected music to previous position"},
    {IDC_MUSIC_DOWN, 3, L"Move selected music to next position"},
    {IDC_MUSIC_REMOVE_ALL, 4, L"Remove all music"},
};

// The music a drop may add: what the open dialog offers.
constexpr char kMusicTypesAccepted[] = "Only WAV, MP3 and MIDI music files can be added.";

const FileTypeSet& MusicTypes() {
    static const FileTypeSet types{"WAV", "MP3", "MID", "MIDI"};
    return types;
}

// The part of a path after its last backslash.
std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

uint32_t Now() { return GetTickCount(); }

}  // namespace

CMusicView::CMusicView(PageContext context) : context_(std::move(context)) {
    media_ = context_.services && context_.services->make_audition_media ? context_.services->make_audition_media()
                                                                         : nullptr;
    if (!media_) media_ = std::make_unique<CMciPlayer>(/*check_devices=*/true);
    player_ = std::make_unique<AuditionPlayer>(*media_);
    track_menu = [this](HMENU menu, POINT screen) {
        return UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x,
                                   screen.y, 0, hwnd(), nullptr));
    };
}

CMusicView::~CMusicView() {
    // The window first (its messages may still reach the player), then the player, which
    // closes its file before the media layer goes.
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    player_.reset();
    media_.reset();
    for (HICON icon : button_icons_)
        if (icon) DestroyIcon(icon);
    for (HBITMAP image : menu_images_) DeleteObject(image);
}

bool CMusicView::Create() {
    return CreateModeless(context_.instance, IDD_MUSIC_PAGE, context_.frame) != nullptr;
}

HWND CMusicView::list() const { return Item(IDC_MUSIC_LIST); }

INT_PTR CMusicView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;  // the frame decides where the focus goes
    case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        RunCommand(LOWORD(wparam));
        return TRUE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.idFrom == IDC_MUSIC_LIST) OnListNotify(header);
        return FALSE;
    }
    case WM_CONTEXTMENU:
        if (HWND(wparam) != list()) return FALSE;
        ShowContextMenu(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return TRUE;
    case WM_HSCROLL:
        if (HWND(lparam) != Item(IDC_PLAYER_POSITION)) return FALSE;
        OnPositionBar(LOWORD(wparam));
        return TRUE;
    case WM_TIMER:
        if (wparam != kPollTimer) return FALSE;
        PollPlayer();
        return TRUE;
    default:
        return FALSE;
    }
}

// --- setting up ----------------------------------------------------------------------

void CMusicView::SetUpOnce() {
    if (set_up_) return;
    set_up_ = true;
    SetUpList();
    SetUpButtons();
    SetWindowSubclass(list(), &CMusicView::ListKeys, kKeysSubclass, DWORD_PTR(this));
    AcceptDroppedFiles(list(), [this](const std::vector<std::string>& paths) { AddDropped(paths); });
    constexpr ControlName kNames[] = {{IDC_PLAYER_POSITION, L"Playing position"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    UpdatePlayer();
}

void CMusicView::SetUpList() {
    HWND view = list();
    ListView_SetExtendedListViewStyle(view, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    // Path gives up width so that Size stays in view (the info tip shows a path in full).
    constexpr ListColumn kColumns[] = {{L"Name", 150}, {L"Path", 316}, {L"Size", 60, LVCFMT_RIGHT}};
    AddListColumns(view, kColumns, kPathColumn, WindowDpi(hwnd()));
    // The list owns its image list and destroys it with itself.
    HIMAGELIST types =
        MakeStripImageList(context_.instance, ScaleForWindow(hwnd(), kStripSize), IDB_MUSIC_TYPES, IDB_MUSIC_TYPES_2X,
                           kStripSize);
    if (types) ListView_SetImageList(view, types, LVSIL_SMALL);
}

void CMusicView::SetUpButtons() {
    tooltip_ = CreateTooltips(context_.instance, hwnd());
    const int size = ScaleForWindow(hwnd(), kStripSize);
    HIMAGELIST commands =
        MakeStripImageList(context_.instance, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kStripSize);
    size_t icon = 0;
    for (const ListButton& b : kListButtons) {
        if (commands) button_icons_[icon] = ImageList_GetIcon(commands, b.image, ILD_NORMAL);
        SendDlgItemMessageW(hwnd(), b.id, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[icon]));
        ++icon;
        AddTooltip(b.id, b.tooltip);
        // The same images beside the context menu's commands.
        menu_images_.push_back(
            MakeStripImage(context_.instance, size, IDB_LIST_COMMANDS, IDB_LIST_COMMANDS_2X, kStripSize, b.image));
    }
    if (commands) ImageList_Destroy(commands);
    const struct {
        int id;
        int icon;
        const wchar_t* tooltip;
    } player_buttons[] = {{IDC_PLAYER_PLAY, IDI_PLAYER_PLAY, L"Play"}, {IDC_PLAYER_STOP, IDI_PLAYER_STOP, L"Stop"}};
    for (const auto& b : player_buttons) {
        button_icons_[icon] = static_cast<HICON>(
            LoadImageW(context_.instance, MAKEINTRESOURCEW(b.icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        SendDlgItemMessageW(hwnd(), b.id, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[icon]));
        ++icon;
        AddTooltip(b.id, b.tooltip);
    }
}

void CMusicView::AddTooltip(int id, const wchar_t* text) { gd::AddTooltip(tooltip_, hwnd(), Item(id), text); }

// --- the project ---------------------------------------------------------------------

void CMusicView::LoadFromProject() {
    SetUpOnce();
    files_.clear();
    sizes_.clear();
    SendMessageW(list(), WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list());
    for (const std::string& path : context_.doc->project().musicList) AppendRow(path);
    SendMessageW(list(), WM_SETREDRAW, TRUE, 0);
    if (selected_ >= int(files_.size())) selected_ = -1;
    HighlightSelection();
    UpdateTotals();
}

void CMusicView::StoreToProject() { context_.doc->project().musicList = files_; }

void CMusicView::AfterProjectSaved() {
    const std::vector<std::string>& saved = context_.doc->project().musicList;
    if (saved.size() == files_.size()) return;
    // The rows of the files the save dropped go; the player keeps what it plays.
    const RowsAfterDrop rows = RowsKeptAfterDrop(files_, saved, selected_);
    for (int row = int(files_.size()) - 1; row >= 0; --row) {
        if (rows.kept[size_t(row)]) continue;
        ListView_DeleteItem(list(), row);
        files_.erase(files_.begin() + row);
        sizes_.erase(sizes_.begin() + row);
    }
    selected_ = rows.selected;
    HighlightSelection();
    UpdateTotals();
}

void CMusicView::ResetForNewProject() {
    selected_ = -1;
    HighlightSelection();
    StopPlaying();
}

void CMusicView::StopPlaying() {
    player_->Stop();
    UpdatePlayer();
}

void CMusicView::MarkModified() { context_.doc->SetModifiedFlag(true); }

// --- rows ----------------------------------------------------------------------------

bool CMusicView::AppendRow(const std::string& path) {
    // The file is opened once for its size; one that cannot be opened stays out.
    std::optional<long long> size = OpenedFileSize(path);
    if (!size) {
        Message(Wide(path) + L" is not exists!");
        return false;
    }
    files_.push_back(path);
    sizes_.push_back(MusicSizeHundredths(uint64_t(*size)));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = int(files_.size()) - 1;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list(), LVM_INSERTITEMW, 0, LPARAM(&item));
    SetRowText(item.iItem);
    return true;
}

void CMusicView::SetRowText(int row) {
    const std::string& path = files_[size_t(row)];
    std::wstring name = Wide(FileName(path));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = name.data();
    const int type = MusicTypeFromPath(path);
    item.iImage = type == kMusicUnknown ? I_IMAGENONE : type;
    SendMessageW(list(), LVM_SETITEMW, 0, LPARAM(&item));
    SetListCell(list(), row, kPathColumn, Wide(path));
    SetListCell(list(), row, kSizeColumn, Wide(MusicSizeText(sizes_[size_t(row)])));
}

int CMusicView::HighlightedRow() const { return ListView_GetNextItem(list(), -1, LVNI_SELECTED); }

void CMusicView::HighlightSelection() {
    if (selected_ < 0) {
        ListView_SetItemState(list(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    ListView_SetItemState(list(), selected_, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list(), selected_, FALSE);
}

void CMusicView::UpdateTotals() {
    int64_t total = 0;
    for (int64_t size : sizes_) total += size;
    SetItemUtf8(hwnd(), IDC_MUSIC_TOTALS, MusicTotalsText(int(files_.size()), total));
}

void CMusicView::Message(const std::wstring& text) {
    context_.services->prompter->Show(hwnd(), text, L"Glimmerdeck", MB_OK | MB_ICONEXCLAMATION);
}

// --- commands ------------------------------------------------------------------------

void CMusicView::RunCommand(int id) {
    switch (id) {
    case IDC_MUSIC_ADD: AddMusic(); break;
    case IDC_MUSIC_REMOVE: RemoveSelected(); break;
    case IDC_MUSIC_UP: MoveUp(); break;
    case IDC_MUSIC_DOWN: MoveDown(); break;
    case IDC_MUSIC_REMOVE_ALL: RemoveAll(); break;
    case IDC_PLAYER_PLAY: PlayerPlay(); break;
    case IDC_PLAYER_STOP: PlayerStop(); break;
    default: break;
    }
}

void CMusicView::AddMusic() {
    SetFocus(list());
    std::optional<std::vector<std::string>> chosen = ChooseFilesToAdd(*context_.services, AddDialog::kMusic, hwnd());
    if (!chosen) return;
    AddFiles(*chosen);
}

void CMusicView::AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused) {
    std::vector<std::string> fresh = PathsNotListed(files_, paths);
    for (RefusedFile& r : TakeRefusedMusic(fresh)) refused.push_back(std::move(r));
    if (!refused.empty()) Message(Wide(RefusedFilesMessage(refused, kMusicTypesAccepted)));
    if (fresh.empty() && !refused.empty()) return;  // nothing added, nothing changed
    SendMessageW(list(), WM_SETREDRAW, FALSE, 0);
    for (const std::string& path : fresh) AppendRow(path);
    SendMessageW(list(), WM_SETREDRAW, TRUE, 0);
    HighlightSelection();
    MarkModified();
    UpdateTotals();
}

void CMusicView::AddDropped(const std::vector<std::string>& paths) {
    SetForegroundWindow(GetAncestor(hwnd(), GA_ROOT));
    DroppedFiles dropped = ExpandDroppedFiles(paths, MusicTypes());
    std::vector<RefusedFile> refused;
    for (const std::string& path : dropped.skipped) refused.push_back({path, {}});
    if (!dropped.files.empty() || !refused.empty()) AddFiles(dropped.files, std::move(refused));
}

void CMusicView::RemoveSelected() {
    if (selected_ < 0 || selected_ >= int(files_.size())) return;
    player_->Stop();
    ListView_DeleteItem(list(), selected_);
    files_.erase(files_.begin() + selected_);
    sizes_.erase(sizes_.begin() + selected_);
    selected_ = SelectionAfterRemoval(selected_, int(files_.size()));
    if (selected_ >= 0) LoadSelectedIntoPlayer();
    HighlightSelection();
    MarkModified();
    UpdateTotals();
    UpdatePlayer();
}

void CMusicView::MoveUp() {
    if (!ListCommands(int(files_.size()), selected_).move_up) return;
    std::swap(files_[size_t(selected_)], files_[size_t(selected_ - 1)]);
    std::swap(sizes_[size_t(selected_)], sizes_[size_t(selected_ - 1)]);
    SetRowText(selected_);
    SetRowText(selected_ - 1);
    ListView_SetItemState(list(), selected_, 0, LVIS_SELECTED | LVIS_FOCUSED);
    --selected_;
    HighlightSelection();
    MarkModified();
}

void CMusicView::MoveDown() {
    if (!ListCommands(int(files_.size()), selected_).move_down) return;
    std::swap(files_[size_t(selected_)], files_[size_t(selected_ + 1)]);
    std::swap(sizes_[size_t(selected_)], sizes_[size_t(selected_ + 1)]);
    SetRowText(selected_);
    SetRowText(selected_ + 1);
    ListView_SetItemState(list(), selected_, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ++selected_;
    HighlightSelection();
    MarkModified();
}

void CMusicView::RemoveAll() {
    if (files_.empty()) return;
    if (context_.services->prompter->Show(hwnd(), L"Remove all music?   ", L"Glimmerdeck",
                                          MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    // A file that plays goes on playing.
    files_.clear();
    sizes_.clear();
    ListView_DeleteAllItems(list());
    selected_ = -1;
    MarkModified();
    UpdateTotals();
}

// --- choosing rows -------------------------------------------------------------------

void CMusicView::ClickRow(int row) {
    // The player holds another file than the selected row's (the list changed under it):
    // the click only gives the player the selected row's file again.
    if (selected_ >= 0 && !player_->file().empty() && player_->file() != files_[size_t(selected_)]) {
        LoadSelectedIntoPlayer();
        HighlightSelection();
        return;
    }
    if (row >= 0 && row < int(files_.size()) && row != selected_) {
        selected_ = row;
        HighlightSelection();
        LoadSelectedIntoPlayer();
        return;
    }
    // Beside the rows (or on the selected one): the selection stays highlighted, in view.
    HighlightSelection();
}

bool CMusicView::OnListKey(UINT key) {
    const int count = int(files_.size());
    switch (key) {
    case VK_UP: selected_ = SelectionAfterKey(ListKey::kUp, count, selected_); break;
    case VK_DOWN: selected_ = SelectionAfterKey(ListKey::kDown, count, selected_); break;
    case VK_HOME: selected_ = count > 0 ? 0 : -1; break;
    case VK_END: selected_ = count - 1; break;
    case VK_PRIOR:
    case VK_NEXT: {
        // A page of rows at a time, within the list.
        const int page = std::max(1, int(ListView_GetCountPerPage(list())) - 1);
        if (count == 0) break;
        const int from = selected_ < 0 ? (key == VK_PRIOR ? 0 : count - 1) : selected_;
        selected_ = std::clamp(key == VK_PRIOR ? from - page : from + page, 0, count - 1);
        break;
    }
    case VK_DELETE:
        RemoveSelected();
        return true;
    default:
        return false;
    }
    HighlightSelection();
    LoadSelectedIntoPlayer();
    return true;
}

LRESULT CALLBACK CMusicView::ListKeys(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR data) {
    auto* self = reinterpret_cast<CMusicView*>(data);
    switch (message) {
    case WM_KEYDOWN:
        // The page moves the selection itself; the list would move it a second time.
        if (self->OnListKey(UINT(wparam))) return 0;
        break;
    case WM_CHAR:
        // No jumping to a row by its first letter: the page keeps the selection.
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &CMusicView::ListKeys, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

void CMusicView::OnListNotify(const NMHDR& header) {
    switch (header.code) {
    case NM_CLICK:
        ClickRow(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        break;
    case LVN_GETINFOTIPW: {
        // The full path of a row, which the Path column may show cut.
        auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
        if (tip.iItem >= 0 && tip.iItem < int(files_.size()) && tip.pszText && tip.cchTextMax > 0)
            lstrcpynW(tip.pszText, Wide(files_[size_t(tip.iItem)]).c_str(), tip.cchTextMax);
        break;
    }
    default:
        break;
    }
}

// --- the context menu ----------------------------------------------------------------

HMENU CMusicView::MakeContextMenu() const {
    HMENU bar = LoadMenuW(context_.instance, L"MusicList");
    if (!bar) return nullptr;
    HMENU popup = GetSubMenu(bar, 0);
    RemoveMenu(bar, 0, MF_BYPOSITION);  // the popup outlives the bar that held it
    DestroyMenu(bar);
    const ListCommandStates states = ListCommands(int(files_.size()), selected_);
    const struct {
        int id;
        bool enabled;
    } items[] = {{IDC_MUSIC_ADD, states.add},
                 {IDC_MUSIC_REMOVE, states.remove},
                 {IDC_MUSIC_UP, states.move_up},
                 {IDC_MUSIC_DOWN, states.move_down},
                 {IDC_MUSIC_REMOVE_ALL, states.remove_all}};
    for (size_t i = 0; i < std::size(items); ++i) {
        EnableMenuItem(popup, UINT(items[i].id), MF_BYCOMMAND | (items[i].enabled ? MF_ENABLED : MF_GRAYED));
        if (i < menu_images_.size() && menu_images_[i]) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = menu_images_[i];
            SetMenuItemInfoW(popup, UINT(items[i].id), FALSE, &info);
        }
    }
    return popup;
}

void CMusicView::ShowContextMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the selected row, or at the list's corner.
        RECT row{};
        POINT at{4, 4};
        if (selected_ >= 0 && ListView_GetItemRect(list(), selected_, &row, LVIR_LABEL)) at = {row.left, row.bottom};
        ClientToScreen(list(), &at);
        screen = at;
    } else {
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(list(), &hit.pt);
        const int row = ListView_HitTest(list(), &hit);
        if (row >= 0 && row < int(files_.size())) selected_ = row;
    }
    HighlightSelection();
    HMENU menu = MakeContextMenu();
    if (!menu) return;
    const UINT command = track_menu ? track_menu(menu, screen) : 0;
    DestroyMenu(menu);
    if (command != 0) RunCommand(int(command));
}

// --- the player ----------------------------------------------------------------------

void CMusicView::LoadSelectedIntoPlayer() {
    LoadIntoPlayer(selected_ >= 0 && selected_ < int(files_.size()) ? files_[size_t(selected_)] : std::string());
}

void CMusicView::LoadIntoPlayer(const std::string& path) {
    player_->SetFile(path, Now());
    UpdatePlayer();
}

void CMusicView::PlayerPlay() {
    player_->Play(Now());
    UpdatePlayer();
}

void CMusicView::PlayerStop() {
    player_->Stop();
    UpdatePlayer();
}

void CMusicView::PlayerSeek(uint32_t position_ms) {
    player_->Seek(position_ms, Now());
    UpdatePlayer();
}

void CMusicView::PollPlayer() {
    player_->Poll(Now());
    UpdatePlayer();
}

void CMusicView::OnPositionBar(int code) {
    HWND bar = Item(IDC_PLAYER_POSITION);
    const uint32_t position = uint32_t(std::max<LRESULT>(0, SendMessageW(bar, TBM_GETPOS, 0, 0)));
    if (code == TB_THUMBTRACK) {
        // While the thumb is dragged the time follows it; the file moves when it is let go.
        dragging_position_ = true;
        SetItemUtf8(hwnd(), IDC_PLAYER_TIME, PlayerTimeText(position, player_->length()));
        return;
    }
    if (code != TB_ENDTRACK) return;
    // Every move (dragging, clicking beside the thumb, keys) ends with TB_ENDTRACK.
    dragging_position_ = false;
    PlayerSeek(position);
}

void CMusicView::UpdatePlayer() {
    const AuditionState state = player_->state();
    const bool has_file = state != AuditionState::kEmpty;
    EnableWindow(Item(IDC_PLAYER_PLAY), has_file && state != AuditionState::kPlaying);
    EnableWindow(Item(IDC_PLAYER_STOP), state == AuditionState::kPlaying);
    HWND bar = Item(IDC_PLAYER_POSITION);
    const uint32_t length = player_->length();
    EnableWindow(bar, length > 0);
    if (!dragging_position_) {
        SendMessageW(bar, TBM_SETRANGEMIN, FALSE, 0);
        SendMessageW(bar, TBM_SETRANGEMAX, FALSE, LPARAM(length));
        SendMessageW(bar, TBM_SETPAGESIZE, 0, LPARAM(std::max<uint32_t>(length / 10, 1)));
        SendMessageW(bar, TBM_SETPOS, TRUE, LPARAM(player_->position()));
        SetItemUtf8(hwnd(), IDC_PLAYER_TIME,
                    length > 0 ? PlayerTimeText(player_->position(), length) : std::string());
    }
    SetItemUtf8(hwnd(), IDC_PLAYER_STATUS, PlayerStatusText(state, player_->file(), player_->problem()));
    if (player_->playing()) SetTimer(hwnd(), kPollTimer, AuditionPlayer::kPollPeriodMs, nullptr);
    else KillTimer(hwnd(), kPollTimer);
}

}  // namespace gd
