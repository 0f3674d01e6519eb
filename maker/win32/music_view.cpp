#include "maker/win32/music_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "maker/project/screensaver_doc.h"
#include "maker/ui/dropped_files.h"
#include "maker/ui/list_rules.h"
#include "maker/ui/music_rules.h"
#include "maker/win32/add_files_prompt.h"
#include "maker/win32/added_files_check.h"
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
constexpr int kIconSize = 16;  // the player's icons at 96 DPI

const FileListSetup kListSetup{
    .list = IDC_MUSIC_LIST,
    .command_ids = {IDC_MUSIC_ADD, IDC_MUSIC_REMOVE, IDC_MUSIC_UP, IDC_MUSIC_DOWN, IDC_MUSIC_REMOVE_ALL},
    .tooltips = {L"Add music", L"Remove selected music", L"Move selected music to previous position",
                 L"Move selected music to next position", L"Remove all music"},
    .totals = IDC_MUSIC_TOTALS,
    .types_strip = IDB_MUSIC_TYPES,
    .types_strip_2x = IDB_MUSIC_TYPES_2X,
    .menu = L"MusicList",
    .remove_all_question = L"Remove all music?   ",
    // A letter would select a row without loading the player.
    .letters = ListLetters::kIgnored,
    .type_image =
        [](const std::string& path) {
            const int type = MusicTypeFromPath(path);
            return type == kMusicUnknown ? I_IMAGENONE : type;
        },
    .size_units = [](long long bytes) { return (long long)MusicSizeHundredths(uint64_t(bytes)); },
    .size_text = [](long long hundredths) { return MusicSizeText(hundredths); },
    .totals_text = [](size_t count, long long hundredths) { return MusicTotalsText(int(count), hundredths); },
    .take_refused = &TakeRefusedMusic,
    // The music a drop or the dialog may add.
    .types_accepted = [] { return std::string("Only WAV, MP3 and MIDI music files can be added."); },
};

const FileTypeSet& MusicTypes() {
    static const FileTypeSet types{"WAV", "MP3", "MID", "MIDI"};
    return types;
}

uint32_t Now() { return GetTickCount(); }

}  // namespace

CMusicView::CMusicView(PageContext context) : context_(std::move(context)), rows_(kListSetup, *this) {
    media_ = context_.services && context_.services->make_audition_media ? context_.services->make_audition_media()
                                                                         : nullptr;
    if (!media_) media_ = std::make_unique<CMciPlayer>(/*check_devices=*/true);
    player_ = std::make_unique<AuditionPlayer>(*media_);
}

CMusicView::~CMusicView() {
    // The window first (its messages may still reach the player), then the player, which
    // closes its file before the media layer goes.
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    player_.reset();
    media_.reset();
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
        auto& header = *reinterpret_cast<NMHDR*>(lparam);
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
    rows_.SetUp(context_.instance, hwnd(), *context_.services->prompter);
    SetUpPlayerButtons();
    AcceptDroppedFiles(list(), [this](const std::vector<std::string>& paths) { AddDropped(paths); });
    constexpr ControlName kNames[] = {{IDC_PLAYER_POSITION, L"Playing position"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    UpdatePlayer();
}

void CMusicView::SetUpPlayerButtons() {
    const int size = ScaleForWindow(hwnd(), kIconSize);
    const struct {
        int id;
        int icon;
        const wchar_t* tooltip;
    } player_buttons[] = {{IDC_PLAYER_PLAY, IDI_PLAYER_PLAY, L"Play"}, {IDC_PLAYER_STOP, IDI_PLAYER_STOP, L"Stop"}};
    for (const auto& b : player_buttons) {
        rows_.SetButtonIcon(b.id, static_cast<HICON>(LoadImageW(context_.instance, MAKEINTRESOURCEW(b.icon),
                                                                IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        rows_.tips().Add(b.id, b.tooltip);
    }
}

// --- the project ---------------------------------------------------------------------

void CMusicView::LoadFromProject() {
    SetUpOnce();
    files_.clear();
    rows_.ClearRows();
    const std::vector<std::string>& stored = context_.doc->project().musicList;
    ReportMissing(rows_.AppendRows(stored, [this, &stored](size_t i) { files_.push_back(stored[i]); }));
    if (rows_.selected() >= int(files_.size())) rows_.Select(-1);
    rows_.HighlightSelection();
    rows_.UpdateTotals();
}

void CMusicView::StoreToProject() { context_.doc->project().musicList = files_; }

void CMusicView::AfterProjectSaved() {
    // The rows of the files the save dropped go; the player keeps what it plays.
    if (rows_.KeepSaved(context_.doc->project().musicList)) rows_.HighlightSelection();
}

void CMusicView::ResetForNewProject() {
    rows_.Select(-1);
    rows_.HighlightSelection();
    StopPlaying();
}

void CMusicView::StopPlaying() {
    player_->Stop();
    UpdatePlayer();
}

void CMusicView::MarkModified() { context_.doc->SetModifiedFlag(true); }

void CMusicView::ReportMissing(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        context_.services->prompter->Show(hwnd(), Wide(path) + L" is not exists!", L"Glimmerdeck",
                                          MB_OK | MB_ICONEXCLAMATION);
}

int CMusicView::HighlightedRow() const { return ListView_GetNextItem(list(), -1, LVNI_SELECTED); }

// --- commands ------------------------------------------------------------------------

void CMusicView::RunCommand(int id) {
    if (rows_.RunCommand(id)) return;
    switch (id) {
    case IDC_MUSIC_ADD: AddMusic(); break;
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
    rows_.AddFiles(paths, std::move(refused));
}

void CMusicView::AddDropped(const std::vector<std::string>& paths) {
    SetForegroundWindow(GetAncestor(hwnd(), GA_ROOT));
    rows_.AddDropped(paths, MusicTypes());
}

void CMusicView::AfterRemove() {
    player_->Stop();
    if (rows_.selected() >= 0) LoadSelectedIntoPlayer();
    rows_.HighlightSelection();
    UpdatePlayer();
}

// --- choosing rows -------------------------------------------------------------------

void CMusicView::ClickRow(int row) {
    const int selected = rows_.selected();
    // The player holds another file than the selected row's (the list changed under it):
    // the click only gives the player the selected row's file again.
    if (selected >= 0 && !player_->file().empty() && player_->file() != files_[size_t(selected)]) {
        LoadSelectedIntoPlayer();
        rows_.HighlightSelection();
        return;
    }
    if (row >= 0 && row < int(files_.size()) && row != selected) {
        rows_.Select(row);
        rows_.HighlightSelection();
        LoadSelectedIntoPlayer();
        return;
    }
    // Beside the rows (or on the selected one): the selection stays highlighted, in view.
    rows_.HighlightSelection();
}

bool CMusicView::OnListKey(UINT key) {
    const int count = int(files_.size());
    const int selected = rows_.selected();
    int next = selected;
    switch (key) {
    case VK_UP: next = SelectionAfterKey(ListKey::kUp, count, selected); break;
    case VK_DOWN: next = SelectionAfterKey(ListKey::kDown, count, selected); break;
    case VK_HOME: next = count > 0 ? 0 : -1; break;
    case VK_END: next = count - 1; break;
    case VK_PRIOR:
    case VK_NEXT: {
        // A page of rows at a time, within the list.
        const int page = std::max(1, int(ListView_GetCountPerPage(list())) - 1);
        if (count == 0) break;
        const int from = selected < 0 ? (key == VK_PRIOR ? 0 : count - 1) : selected;
        next = std::clamp(key == VK_PRIOR ? from - page : from + page, 0, count - 1);
        break;
    }
    case VK_DELETE:
        RemoveSelected();
        return true;
    default:
        return false;
    }
    // The page moves the selection itself; the list would move it a second time.
    rows_.Select(next);
    rows_.HighlightSelection();
    LoadSelectedIntoPlayer();
    return true;
}

void CMusicView::OnListNotify(NMHDR& header) {
    if (header.code == NM_CLICK) ClickRow(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    else if (header.code == LVN_GETINFOTIPW) rows_.FillInfoTip(header);
}

void CMusicView::ShowContextMenu(POINT screen) {
    if (screen.x != -1 || screen.y != -1) {
        // A right click selects the row under it, without loading the player.
        const int row = ListRowAt(list(), screen);
        if (row >= 0 && row < int(files_.size())) rows_.Select(row);
    }
    rows_.HighlightSelection();
    if (const UINT command = rows_.ChooseFromMenu(screen, track_menu)) RunCommand(int(command));
}

// --- the player ----------------------------------------------------------------------

void CMusicView::LoadSelectedIntoPlayer() {
    const int selected = rows_.selected();
    LoadIntoPlayer(selected >= 0 && selected < int(files_.size()) ? files_[size_t(selected)] : std::string());
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
