#include "runtime/win32/settings_pages.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <span>

#include "common/web_addresses.h"
#include "effects/effect_table.h"
#include "common/show_options.h"
#include "runtime/win32/resource_ids.h"
#include "win32/dialog_items.h"
#include "win32/effect_list.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

// The options page's column of the options table: the control that shows each option.
// A flag is a check box, an option with a list an editable drop-down list of the table's
// entries for this dialog. The background colour has a swatch and two buttons of its own.
constexpr OptionControl kOptionControls[] = {
    {OptionId::kPicturePause, IDC_PICTURE_PAUSE},  {OptionId::kEffectMilliSecond, IDC_EFFECT_DURATION},
    {OptionId::kAutoAdjustSize, IDC_AUTO_ADJUST},  {OptionId::kShufflePic, IDC_SHUFFLE_PICTURE},
    {OptionId::kMovePicture, IDC_MOVE_PICTURE},    {OptionId::kAudioPause, IDC_MUSIC_PAUSE},
    {OptionId::kShuffleAudio, IDC_SHUFFLE_MUSIC},  {OptionId::kMuteMusic, IDC_MUTE_MUSIC},
    {OptionId::kMouseMove, IDC_MOUSE_MOVE},        {OptionId::kMouseLeftClick, IDC_MOUSE_LEFT},
    {OptionId::kMouseRightClick, IDC_MOUSE_RIGHT}, {OptionId::kKeyboardEvent, IDC_KEYBOARD},
    {OptionId::kSmoothScaling, IDC_SMOOTH_SCALING}, {OptionId::kShuffleRounds, IDC_SHUFFLE_ROUNDS},
    {OptionId::kPanZoom, IDC_PAN_ZOOM},            {OptionId::kPanZoomStrength, IDC_PAN_ZOOM_STRENGTH},
    {OptionId::kBackdrop, IDC_BACKDROP},           {OptionId::kMonitorMode, IDC_MONITOR_MODE},
};

void ShowComboNarrow(HWND dialog, int id, const std::string& text) { ShowComboText(dialog, id, WidenAnsi(text)); }
std::string ComboNarrow(HWND dialog, int id) { return NarrowAnsi(ItemText(dialog, id)); }

bool IsListed(const OptionRow& row) { return !row.runtime_list.empty(); }

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

// A list shows the value's text: the first entry that begins with it is selected, or the
// text itself stands in the edit field when none does.
void COptionsPage::OnInitDialog() {
    for (const OptionControl& control : kOptionControls) {
        const OptionRow& row = Option(control.option);
        const int64_t value = NumberOf(config_, row.field);
        if (IsListed(row)) {
            for (std::string_view entry : row.runtime_list)
                SendDlgItemMessageW(hwnd(), control.id, CB_ADDSTRING, 0, LPARAM(WidenAnsi(entry).c_str()));
            ShowComboNarrow(hwnd(), control.id, ListTextOf(row, row.runtime_list, int32_t(value)));
        } else {
            SetItemChecked(hwnd(), control.id, value != 0);
        }
    }
    swatch_.Attach(Item(IDC_BG_SWATCH));
    swatch_.SetColor(config_.bg_color);
}

// A list's text that is not a number saves as 0.
void COptionsPage::Save(SaverConfig& config) const {
    for (const OptionControl& control : kOptionControls) {
        const OptionRow& row = Option(control.option);
        const int32_t value = IsListed(row) ? ListValueOf(row, row.runtime_list, ComboNarrow(hwnd(), control.id))
                                            : (IsItemChecked(hwnd(), control.id) ? 1 : 0);
        if (row.list_text == ListText::kIndex && value < 0) continue;  // no entry chosen: as it was
        SetNumber(config, row.field, value);
    }
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
    // A screensaver made before an effect existed lists only the effects its maker knew.
    const auto names = ChoosableEffectNames();
    const int rows = std::clamp(config_.effect_count, 0, kEffectCount);
    FillEffectList(list, std::span(names).first(size_t(rows)));
    for (int id = 1; id <= rows; ++id) SetEffectRowChecked(list, id - 1, config_.effect_on[size_t(id)] == 1);
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
