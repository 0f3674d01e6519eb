#include "maker/win32/setting_view.h"

#include <commctrl.h>

#include <optional>
#include <span>
#include <string_view>

#include "common/show_options.h"
#include "common/text_trim.h"
#include "maker/project/project_options.h"
#include "maker/project/screensaver_doc.h"
#include "maker/ui/setting_rules.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/setting_sample.h"
#include "maker/win32/ui_text.h"
#include "win32/accessible_window.h"
#include "win32/control_names.h"
#include "win32/dialog_items.h"
#include "win32/high_contrast.h"
#include "win32/list_page.h"

namespace gd {

namespace {

// The page's column of the options table: the control that shows each option. A flag
// is a check box, an option with a list a drop-down list of the table's entries for this
// page, a text a one-line edit. The background colour (the swatch and its two buttons)
// and the banner's font and colour (the font button) have controls of their own, below.
constexpr OptionControl kOptionControls[] = {
    {OptionId::kPicturePause, IDC_PICTURE_PAUSE},   {OptionId::kEffectMilliSecond, IDC_EFFECT_DURATION},
    {OptionId::kAutoAdjustSize, IDC_AUTO_ADJUST},   {OptionId::kShufflePic, IDC_SHUFFLE_PICTURES},
    {OptionId::kMovePicture, IDC_MOVE_PICTURES},    {OptionId::kAudioPause, IDC_MUSIC_PAUSE},
    {OptionId::kShuffleAudio, IDC_SHUFFLE_MUSIC},   {OptionId::kMuteMusic, IDC_MUTE_MUSIC},
    {OptionId::kMouseMove, IDC_MOUSE_MOVE},         {OptionId::kMouseLeftClick, IDC_MOUSE_LEFT},
    {OptionId::kMouseRightClick, IDC_MOUSE_RIGHT},  {OptionId::kKeyboardEvent, IDC_KEYBOARD_EVENT},
    {OptionId::kBanner, IDC_BANNER_TEXT},           {OptionId::kBannerPos, IDC_BANNER_POS},
    {OptionId::kSmoothScaling, IDC_SMOOTH_SCALING}, {OptionId::kShuffleRounds, IDC_SHUFFLE_ROUNDS},
    {OptionId::kPanZoom, IDC_PAN_ZOOM},             {OptionId::kPanZoomStrength, IDC_PAN_ZOOM_STRENGTH},
    {OptionId::kBackdrop, IDC_BACKDROP},           {OptionId::kMonitorMode, IDC_MONITOR_MODE},
    {OptionId::kTrueColours, IDC_TRUE_COLOURS},
};

const OptionControl* ControlOf(int id) {
    for (const OptionControl& c : kOptionControls)
        if (c.id == id) return &c;
    return nullptr;
}

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

// A number selects the first entry that begins with its text; with none, the selection
// stays. A position selects the entry at its index (none when there is no such entry).
void ShowInList(HWND dialog, int id, const OptionRow& row, int32_t value) {
    int entry = row.list_text == ListText::kIndex
                    ? value
                    : EntryForText(row.maker_list, ListTextOf(row, row.maker_list, value), ListSelection(dialog, id));
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

// A number list without a selection stores 0. A position the list does not offer (only
// a hand-edited project has one) stays as it was rather than becoming "none".
void StoreFromList(HWND dialog, int id, const OptionRow& row, CParamData& project) {
    const OptionMember<CParamData>& member = ProjectOptionOf(row.id).member;
    if (row.list_text == ListText::kIndex) {
        if (int position = ListSelection(dialog, id); position >= 0) SetNumber(project, member, position);
        return;
    }
    auto entry = SelectedEntry(dialog, id);
    SetNumber(project, member, entry ? ListValueOf(row, row.maker_list, *entry) : 0);
}

void ShowOption(HWND dialog, const OptionControl& control, const CParamData& project) {
    const OptionRow& row = Option(control.option);
    const OptionMember<CParamData>& member = ProjectOptionOf(control.option).member;
    if (row.kind == OptionKind::kText)
        SetItemUtf8(dialog, control.id, MemberOf<std::string>(project, member));
    else if (row.list_text != ListText::kNone)
        ShowInList(dialog, control.id, row, int32_t(NumberOf(project, member)));
    else
        SetItemChecked(dialog, control.id, NumberOf(project, member) != 0);
}

void StoreOption(HWND dialog, const OptionControl& control, CParamData& project) {
    const OptionRow& row = Option(control.option);
    const OptionMember<CParamData>& member = ProjectOptionOf(control.option).member;
    if (row.kind == OptionKind::kText)
        MemberOf<std::string>(project, member) = ItemUtf8(dialog, control.id);
    else if (row.list_text != ListText::kNone)
        StoreFromList(dialog, control.id, row, project);
    else
        SetNumber(project, member, IsItemChecked(dialog, control.id) ? 1 : 0);
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
        // The note about the banner stands out in red on the page's colour (in the theme's
        // text colour in high contrast, where red may not be read).
        if (reinterpret_cast<HWND>(lparam) != Item(IDC_BANNER_NOTE)) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wparam), ThemedColor(kNoteColor, COLOR_BTNTEXT));
        SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
        return INT_PTR(GetSysColorBrush(COLOR_BTNFACE));
    default:
        return FALSE;
    }
}

void CSettingView::OnInitDialog() {
    for (const OptionControl& control : kOptionControls) {
        const OptionRow& row = Option(control.option);
        FillList(hwnd(), control.id, row.maker_list);
    }
    banner_limit_.Attach(hwnd());
    swatch_.Attach(Item(IDC_BG_SWATCH));
    // The banner's labels ("Text", "Position") say too little once read alone.
    constexpr ControlName kNames[] = {{IDC_BANNER_TEXT, L"Banner text"}, {IDC_BANNER_POS, L"Banner position"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    LabelForScreenReaders(Item(IDC_BG_SWATCH), {L"Background color", ROLE_SYSTEM_GRAPHIC,
                                                [this] { return ColorAsWords(swatch_.ShownColor()); }});
    LabelForScreenReaders(Item(IDC_BANNER_SAMPLE), {L"Banner sample", ROLE_SYSTEM_GRAPHIC,
                                                    [this] { return Wide(TrimWhiteSpace(ItemUtf8(hwnd(), IDC_BANNER_TEXT))); }});
}

void CSettingView::SetButtonIcons() {
    tips_.Create(context_.instance, hwnd());
    const int size = ScaleForWindow(hwnd(), 16);
    for (size_t i = 0; i < std::size(kIconButtons); ++i) {
        const IconButton& b = kIconButtons[i];
        button_icons_[i] = static_cast<HICON>(
            LoadImageW(context_.instance, MAKEINTRESOURCEW(b.icon), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        SendDlgItemMessageW(hwnd(), b.id, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[i]));
        tips_.Add(b.id, b.tooltip);
    }
}

void CSettingView::LoadFromProject() {
    if (first_load_) {
        SetButtonIcons();
        first_load_ = false;
    }
    // Filling the controls sends change notifications: they are not the user's edits.
    loading_ = true;
    const CParamData& project = context_.doc->project();
    for (const OptionControl& control : kOptionControls) ShowOption(hwnd(), control, project);
    ShowFitBox(project);
    swatch_.SetColor(project.crBgColor);
    banner_font_ = project.lfBanner;
    banner_color_ = project.crBanner;
    BannerChanged();
    loading_ = false;
}

void CSettingView::StoreToProject() {
    CParamData& project = context_.doc->project();
    for (const OptionControl& control : kOptionControls) StoreOption(hwnd(), control, project);
    StoreFitBox(project);
    project.crBgColor = background();
    project.crBanner = banner_color_;
    project.lfBanner = banner_font_;
}

void CSettingView::OnCommand(int id, int code) {
    switch (id) {
    case IDC_BANNER_TEXT:
        if (code == EN_CHANGE && banner_limit_.Check(hwnd(), !loading_)) break;
        if (code == EN_CHANGE && !loading_) {
            MarkModified();
            BannerChanged();
        }
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
    case IDC_FIT_BOX:
        if (code == CBN_SELCHANGE) MarkModified();
        break;
    default:
        // A box clicked or a list entry chosen.
        if (const OptionControl* control = ControlOf(id)) {
            const bool listed = Option(control->option).list_text != ListText::kNone;
            if (code == (listed ? CBN_SELCHANGE : BN_CLICKED)) MarkModified();
        }
        break;
    }
}

void CSettingView::ShowFitBox(const CParamData& project) {
    FitChoiceList list = FitChoicesFor({project.nFitWidth, project.nFitHeight});
    fit_choices_ = list.entries;
    SendDlgItemMessageW(hwnd(), IDC_FIT_BOX, CB_RESETCONTENT, 0, 0);
    for (const FitChoice& choice : fit_choices_)
        SendDlgItemMessageW(hwnd(), IDC_FIT_BOX, CB_ADDSTRING, 0, LPARAM(Wide(FitChoiceText(choice)).c_str()));
    SendDlgItemMessageW(hwnd(), IDC_FIT_BOX, CB_SETCURSEL, WPARAM(list.selected), 0);
}

void CSettingView::StoreFitBox(CParamData& project) const {
    const int selected = ListSelection(hwnd(), IDC_FIT_BOX);
    if (selected < 0 || size_t(selected) >= fit_choices_.size()) return;  // nothing shown yet
    project.nFitWidth = fit_choices_[size_t(selected)].width;
    project.nFitHeight = fit_choices_[size_t(selected)].height;
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
    const bool scale = context_.doc->project().bScaleTexts != 0;
    auto chosen = context_.services->choose_font(GetAncestor(hwnd(), GA_ROOT), FontOnWindow(banner_font_, hwnd(), scale),
                                                 banner_color_);
    if (!chosen) return;
    banner_font_ = FontToKeep(chosen->font, hwnd(), scale);
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
    DrawBannerSample(item, ColorRef(swatch_.ShownColor()),
                     FontOnWindow(banner_font_, hwnd(), context_.doc->project().bScaleTexts != 0), banner_color_,
                     Wide(text));
}

}  // namespace gd
