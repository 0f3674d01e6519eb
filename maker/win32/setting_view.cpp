#include "maker/win32/setting_view.h"

#include <commctrl.h>

#include <optional>
#include <span>
#include <string_view>

#include "common/text_trim.h"
#include "maker/project/screensaver_doc.h"
#include "maker/ui/setting_rules.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/setting_sample.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"

namespace gd {

namespace {

struct FlagBox {
    int id;
    int32_t CParamData::*field;
};

constexpr FlagBox kFlagBoxes[] = {
    {IDC_AUTO_ADJUST, &CParamData::bAutoAdjustSize}, {IDC_SHUFFLE_PICTURES, &CParamData::bShufflePic},
    {IDC_MOVE_PICTURES, &CParamData::bMovePicture},  {IDC_SHUFFLE_MUSIC, &CParamData::bShuffleAudio},
    {IDC_MUTE_MUSIC, &CParamData::bMuteMusic},       {IDC_MOUSE_MOVE, &CParamData::bMouseMove},
    {IDC_MOUSE_LEFT, &CParamData::bMouseLeftClick},  {IDC_MOUSE_RIGHT, &CParamData::bMouseRightClick},
    {IDC_KEYBOARD_EVENT, &CParamData::bKeyboardEvent},
};

struct IconButton {
    int id;
    int icon;
    const wchar_t* tooltip;
};

constexpr IconButton kIconButtons[] = {
    {IDC_BANNER_FONT, IDI_BANNER_FONT, L" Font Setting"},
    {IDC_BG_DEFAULT, IDI_BG_DEFAULT, L"Set Screensaver Backgroud Color to black"},
    {IDC_BG_CHANGE, IDI_BG_CHANGE, L"Change Screensaver Backgroud Color"},
};

constexpr COLORREF kNoteColor = RGB(192, 0, 0);

void FillList(HWND dialog, int id, std::span<const std::string_view> entries) {
    for (std::string_view entry : entries)
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, LPARAM(Wide(entry).c_str()));
}

int ListSelection(HWND dialog, int id) {
    LRESULT selection = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : int(selection);
}

// Selects the first entry that begins with `text`; with none, the selection stays.
void ShowNumber(HWND dialog, int id, std::span<const std::string_view> entries, const std::string& text) {
    int entry = EntryForText(entries, text, ListSelection(dialog, id));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, WPARAM(entry), 0);
}

// The text of the selected entry, or nothing without a selection.
std::optional<std::string> SelectedEntry(HWND dialog, int id) {
    int selection = ListSelection(dialog, id);
    if (selection < 0) return std::nullopt;
    LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, WPARAM(selection), 0);
    if (length == CB_ERR) return std::nullopt;
    std::wstring text(size_t(length) + 1, L'\0');
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, WPARAM(selection), LPARAM(text.data()));
    text.resize(size_t(length));
    return Utf8(text);
}

int32_t StoredSeconds(HWND dialog, int id) {
    auto entry = SelectedEntry(dialog, id);
    return entry ? SecondsFromText(*entry) : 0;
}

}  // namespace

CSettingView::~CSettingView() {
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    for (HICON icon : button_icons_)
        if (icon) DestroyIcon(icon);
}

bool CSettingView::Create() {
    return CreateModeless(context_.instance, IDD_SETTING_PAGE, context_.frame) != nullptr;
}

INT_PTR CSettingView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;  // the frame decides where the focus goes
    case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_DRAWITEM:
        if (wparam != IDC_BANNER_SAMPLE) return FALSE;
        DrawSample(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        // The note about the banner stands out in red on the page's colour.
        if (reinterpret_cast<HWND>(lparam) != Item(IDC_BANNER_NOTE)) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), kNoteColor);
        SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
        return INT_PTR(GetSysColorBrush(COLOR_BTNFACE));
    default:
        return FALSE;
    }
}

void CSettingView::OnInitDialog() {
    FillList(hwnd(), IDC_PICTURE_PAUSE, kPicturePauseEntries);
    FillList(hwnd(), IDC_EFFECT_DURATION, kEffectDurationEntries);
    FillList(hwnd(), IDC_MUSIC_PAUSE, kMusicPauseEntries);
    FillList(hwnd(), IDC_BANNER_POS, kBannerPositionEntries);
    SendDlgItemMessageW(hwnd(), IDC_BANNER_TEXT, EM_LIMITTEXT, WPARAM(kMaxBanner), 0);
    swatch_.Attach(Item(IDC_BG_SWATCH));
}

void CSettingView::SetButtonIcons() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, context_.instance,
                               nullptr);
    const int size = ScaleForWindow(hwnd(), 16);
    for (size_t i = 0; i < std::size(kIconButtons); ++i) {
        const IconButton& b = kIconButtons[i];
        button_icons_[i] = static_cast<HICON>(
            LoadImageW(context_.instance, MAKEINTRESOURCEW(b.icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        SendDlgItemMessageW(hwnd(), b.id, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[i]));
        AddTooltip(b.id, b.tooltip);
    }
}

void CSettingView::AddTooltip(int id, const wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = UINT_PTR(Item(id));
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
}

void CSettingView::LoadFromProject() {
    if (first_load_) {
        SetButtonIcons();
        first_load_ = false;
    }
    // Filling the controls sends change notifications: they are not the user's edits.
    loading_ = true;
    const CParamData& project = context_.doc->project();
    swatch_.SetColor(project.crBgColor);
    for (const FlagBox& box : kFlagBoxes) SetItemChecked(hwnd(), box.id, project.*box.field != 0);
    SetItemUtf8(hwnd(), IDC_BANNER_TEXT, project.szBanner);
    banner_font_ = project.lfBanner;
    banner_color_ = project.crBanner;
    SendDlgItemMessageW(hwnd(), IDC_BANNER_POS, CB_SETCURSEL, WPARAM(project.nBannerPos), 0);
    ShowNumber(hwnd(), IDC_PICTURE_PAUSE, kPicturePauseEntries, SecondsText(project.nPicturePause));
    ShowNumber(hwnd(), IDC_MUSIC_PAUSE, kMusicPauseEntries, SecondsText(project.nAudioPause));
    ShowNumber(hwnd(), IDC_EFFECT_DURATION, kEffectDurationEntries, MillisecondsAsSecondsText(project.nEffectMilliSecond));
    BannerChanged();
    loading_ = false;
}

void CSettingView::StoreToProject() {
    CParamData& project = context_.doc->project();
    project.crBgColor = background();
    for (const FlagBox& box : kFlagBoxes) project.*box.field = IsItemChecked(hwnd(), box.id) ? 1 : 0;
    project.nAudioPause = StoredSeconds(hwnd(), IDC_MUSIC_PAUSE);
    project.nPicturePause = StoredSeconds(hwnd(), IDC_PICTURE_PAUSE);
    auto duration = SelectedEntry(hwnd(), IDC_EFFECT_DURATION);
    project.nEffectMilliSecond = duration ? MillisecondsFromSecondsText(*duration) : 0;
    project.szBanner = ItemUtf8(hwnd(), IDC_BANNER_TEXT);
    project.crBanner = banner_color_;
    project.lfBanner = banner_font_;
    // A position the list does not offer (only a hand-edited project has one) stays as
    // it was rather than becoming "none".
    if (int position = ListSelection(hwnd(), IDC_BANNER_POS); position >= 0) project.nBannerPos = position;
}

void CSettingView::OnCommand(int id, int code) {
    switch (id) {
    case IDC_BANNER_TEXT:
        if (code == EN_CHANGE && !loading_) {
            MarkModified();
            BannerChanged();
        }
        break;
    case IDC_PICTURE_PAUSE:
    case IDC_EFFECT_DURATION:
    case IDC_MUSIC_PAUSE:
    case IDC_BANNER_POS:
        if (code == CBN_SELCHANGE) MarkModified();
        break;
    case IDC_BG_CHANGE:
        if (code == BN_CLICKED) ChangeBackground();
        break;
    case IDC_BG_SWATCH:
        if (code == STN_CLICKED) ChangeBackground();
        break;
    case IDC_BG_DEFAULT:
        if (code == BN_CLICKED) DefaultBackground();
        break;
    case IDC_BANNER_FONT:
        if (code == BN_CLICKED) ChooseBannerFont();
        break;
    default:
        for (const FlagBox& box : kFlagBoxes)
            if (box.id == id && code == BN_CLICKED) MarkModified();
        break;
    }
}

void CSettingView::MarkModified() {
    if (!loading_) context_.doc->SetModifiedFlag(true);
}

void CSettingView::ChangeBackground() {
    if (!context_.services->choose_color) return;
    auto chosen = context_.services->choose_color(GetAncestor(hwnd(), GA_ROOT), background());
    if (!chosen) return;
    swatch_.SetColor(*chosen);
    InvalidateRect(Item(IDC_BANNER_SAMPLE), nullptr, TRUE);
    MarkModified();
}

void CSettingView::DefaultBackground() {
    swatch_.SetColor(0);
    InvalidateRect(Item(IDC_BANNER_SAMPLE), nullptr, TRUE);
    MarkModified();
}

void CSettingView::ChooseBannerFont() {
    if (!context_.services->choose_font) return;
    auto chosen = context_.services->choose_font(GetAncestor(hwnd(), GA_ROOT), banner_font_, banner_color_);
    if (!chosen) return;
    banner_font_ = chosen->font;
    banner_color_ = chosen->color;
    BannerChanged();
    MarkModified();
}

void CSettingView::FocusBanner() {
    HWND banner = Item(IDC_BANNER_TEXT);
    SetFocus(banner);
    SendMessageW(banner, EM_SETSEL, 0, -1);
}

std::wstring CSettingView::banner_note() const { return ItemText(hwnd(), IDC_BANNER_NOTE); }

void CSettingView::BannerChanged() {
    // The text stays as typed; the note says what the screensaver could not hold, and
    // making the screensaver refuses it until it is mended.
    SetItemUtf8(hwnd(), IDC_BANNER_NOTE, BannerNote(ItemUtf8(hwnd(), IDC_BANNER_TEXT), banner_font_.face_name));
    InvalidateRect(Item(IDC_BANNER_SAMPLE), nullptr, TRUE);
}

void CSettingView::DrawSample(const DRAWITEMSTRUCT& item) {
    // Without a banner text the font's name stands in, so the font shows all the same.
    std::string text(TrimWhiteSpace(ItemUtf8(hwnd(), IDC_BANNER_TEXT)));
    if (text.empty()) text = banner_font_.face_name;
    DrawBannerSample(item, ColorRef(swatch_.ShownColor()), banner_font_, banner_color_, Wide(text));
}

}  // namespace gd
