#include "runtime/win32/settings_pages.h"

#include <commctrl.h>
#include <commdlg.h>

#include <span>

#include "common/web_addresses.h"
#include "effects/effect_table.h"
#include "runtime/dialog_lists.h"
#include "common/settings_values.h"
#include "runtime/win32/resource_ids.h"
#include "win32/dialog_items.h"
#include "win32/effect_list.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

struct FlagControl {
    int id;
    int32_t SaverConfig::*field;
};

constexpr FlagControl kFlagControls[] = {
    {IDC_AUTO_ADJUST, &SaverConfig::auto_adjust_size},  {IDC_SHUFFLE_PICTURE, &SaverConfig::shuffle_pic},
    {IDC_MOVE_PICTURE, &SaverConfig::move_picture},     {IDC_SHUFFLE_MUSIC, &SaverConfig::shuffle_audio},
    {IDC_MUTE_MUSIC, &SaverConfig::mute_music},         {IDC_MOUSE_MOVE, &SaverConfig::mouse_move},
    {IDC_MOUSE_LEFT, &SaverConfig::mouse_left_click},   {IDC_MOUSE_RIGHT, &SaverConfig::mouse_right_click},
    {IDC_KEYBOARD, &SaverConfig::keyboard_event},
};

void ShowComboNarrow(HWND dialog, int id, const std::string& text) { ShowComboText(dialog, id, WidenAnsi(text)); }
std::string ComboNarrow(HWND dialog, int id) { return NarrowAnsi(ItemText(dialog, id)); }

}  // namespace

// --- CAboutPage ----------------------------------------------------------------------

INT_PTR CAboutPage::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    ShowSaverInfo(hwnd(), config_, links_, prompter_);
    const std::wstring maker = WidenAnsi(kProductPageAddress);
    SetItemText(hwnd(), IDC_MAKER_LINK, maker);
    maker_.Attach(Item(IDC_MAKER_LINK));
    maker_.SetAddress(maker);
    maker_.SetUnderline(UnderlineMode::kAlways);
    maker_.SetPrompter(prompter_);
    return TRUE;
}

// --- COptionsPage --------------------------------------------------------------------

INT_PTR COptionsPage::OnMessage(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wparam) != BN_CLICKED) return FALSE;
            if (LOWORD(wparam) == IDC_CHANGE_COLOR) {
                if (auto chosen = choose_color_(GetAncestor(hwnd(), GA_ROOT), swatch_.color())) swatch_.SetColor(*chosen);
                return TRUE;
            }
            if (LOWORD(wparam) == IDC_DEFAULT_COLOR) {
                swatch_.SetColor(0);
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

// The lists' initial items are stored beside the template, as the dialog editor keeps
// them, rather than written into the code.
void COptionsPage::FillLists() {
    HRSRC info = FindResourceW(instance_, MAKEINTRESOURCEW(IDD_OPTIONS_PAGE), MAKEINTRESOURCEW(RT_DIALOG_LISTS));
    HGLOBAL data = info ? LoadResource(instance_, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return;
    auto items = ParseDialogLists({static_cast<const uint8_t*>(bytes), size_t(SizeofResource(instance_, info))});
    for (const DialogListItem& item : items) {
        SendDlgItemMessageW(hwnd(), item.control, CB_ADDSTRING, 0, LPARAM(WidenAnsi(item.text).c_str()));
    }
}

void COptionsPage::OnInitDialog() {
    FillLists();
    ShowComboNarrow(hwnd(), IDC_PICTURE_PAUSE, SecondsText(config_.picture_pause));
    ShowComboNarrow(hwnd(), IDC_EFFECT_DURATION, MillisecondsAsSecondsText(config_.effect_millisecond));
    ShowComboNarrow(hwnd(), IDC_MUSIC_PAUSE, SecondsText(config_.audio_pause));
    for (const FlagControl& flag : kFlagControls) SetItemChecked(hwnd(), flag.id, config_.*flag.field != 0);
    swatch_.Attach(Item(IDC_BG_SWATCH));
    swatch_.SetColor(config_.bg_color);
}

void COptionsPage::Save(SaverConfig& config) const {
    config.picture_pause = SecondsFromText(ComboNarrow(hwnd(), IDC_PICTURE_PAUSE));
    config.effect_millisecond = MillisecondsFromSecondsText(ComboNarrow(hwnd(), IDC_EFFECT_DURATION));
    config.audio_pause = SecondsFromText(ComboNarrow(hwnd(), IDC_MUSIC_PAUSE));
    for (const FlagControl& flag : kFlagControls) config.*flag.field = IsItemChecked(hwnd(), flag.id) ? 1 : 0;
    config.bg_color = swatch_.color();
}

// --- CEffectsPage --------------------------------------------------------------------

INT_PTR CEffectsPage::OnMessage(UINT message, WPARAM, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header->idFrom == IDC_EFFECT_LIST && header->code == UINT(NM_CLICK)) OnListClick();
            return FALSE;
        }
    }
    return FALSE;
}

void CEffectsPage::OnInitDialog() {
    HWND list = Item(IDC_EFFECT_LIST);
    FillEffectList(list, ChoosableEffectNames());
    for (int id = 1; id <= kEffectCount; ++id) SetEffectRowChecked(list, id - 1, config_.effect_on[size_t(id)] == 1);
}

void CEffectsPage::OnListClick() {
    HWND list = Item(IDC_EFFECT_LIST);
    int selected = SelectedEffectRow(list);
    if (selected >= 0) {
        remembered_row_ = selected;
        return;
    }
    // A click beside the rows took the selection away: give it back. Before any row was
    // selected the remembered row is -1, which addresses every row (selected, since the
    // list refuses to focus every row at once).
    if (remembered_row_ < 0) {
        LVITEMW every{};
        every.state = every.stateMask = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&every));
        return;
    }
    SelectEffectRow(list, remembered_row_);
}

void CEffectsPage::Save(SaverConfig& config) const {
    HWND list = Item(IDC_EFFECT_LIST);
    const int rows = EffectRowCount(list);
    for (int id = 1; id <= kEffectCount && id - 1 < rows; ++id)
        config.effect_on[size_t(id)] = IsEffectRowChecked(list, id - 1);
}

}  // namespace gd
