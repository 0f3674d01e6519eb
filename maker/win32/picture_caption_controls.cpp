// The Pictures page's caption controls: the selected picture's caption text, position and
// font, and its look given to every picture or kept as the maker's default.

#include <optional>
#include <string>

#include "maker/project/payload_text.h"
#include "maker/project/screensaver_doc.h"
#include "maker/win32/caption_sample.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"

namespace gd {

void CPictureView::OnCaptionEdited() {
    if (caption_limit_.Check(hwnd(), !loading_ && rows_.selected() >= 0) || loading_ || rows_.selected() < 0) return;
    CPictureData& picture = pictures_[size_t(rows_.selected())];
    std::string text = ItemUtf8(hwnd(), IDC_CAPTION_TEXT);
    // Any character goes into the screensaver; a lone surrogate pasted into the control
    // (no character) is refused here, where it was typed, rather than lost at Make.
    if (std::optional<std::string> reason = CheckRecordText(text, 0)) {
        loading_ = true;
        SetItemUtf8(hwnd(), IDC_CAPTION_TEXT, picture.szCaption);
        loading_ = false;
        const int end = GetWindowTextLengthW(Item(IDC_CAPTION_TEXT));
        SendDlgItemMessageW(hwnd(), IDC_CAPTION_TEXT, EM_SETSEL, WPARAM(end), LPARAM(end));
        Say(L"The caption can't go into the screensaver: " + Wide(*reason));
        return;
    }
    picture.szCaption = std::move(text);
    if (CaptionHasFields(picture.szCaption)) caption_fields_ = true;
    InvalidateRect(Item(IDC_CAPTION_SAMPLE), nullptr, TRUE);
    MarkModified();
}

void CPictureView::OnPositionChosen() {
    if (loading_ || rows_.selected() < 0) return;
    const LRESULT index = SendDlgItemMessageW(hwnd(), IDC_CAPTION_POSITION, CB_GETCURSEL, 0, 0);
    if (index < 0 || index > 8) return;
    pictures_[size_t(rows_.selected())].nCaptionPos = int32_t(index);
    MarkModified();
}

void CPictureView::ChooseCaptionFont() {
    if (rows_.selected() < 0 || !context_.services->choose_font) return;
    CPictureData& picture = pictures_[size_t(rows_.selected())];
    const bool scale = context_.doc->project().bScaleTexts != 0;
    std::optional<FontChoice> chosen = context_.services->choose_font(
        hwnd(), FontOnWindow(picture.lfCaptionFont, hwnd(), scale), picture.crCaptionColor);
    if (!chosen) return;
    chosen->font = FontToKeep(chosen->font, hwnd(), scale);
    if (std::optional<std::string> reason = CheckRecordText(chosen->font.face_name, 0)) {
        Say(L"The font can't go into the screensaver: " + Wide(*reason));
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
    if (rows_.selected() < 0) return;
    // Every picture's own look is overwritten: a warning.
    if (Ask(L"Apply this caption settings to all pictures?   ", MB_ICONWARNING) != IDOK) return;
    const CPictureData look = pictures_[size_t(rows_.selected())];
    for (CPictureData& picture : pictures_) {
        picture.lfCaptionFont = look.lfCaptionFont;
        picture.crCaptionColor = look.crCaptionColor;
        picture.nCaptionPos = look.nCaptionPos;
    }
    MarkModified();
}

void CPictureView::SetDefault() {
    if (rows_.selected() < 0) return;
    if (Ask(L"Set this caption settings to default parameter?   ", MB_ICONQUESTION) != IDOK) return;
    const CPictureData& picture = pictures_[size_t(rows_.selected())];
    // Not a change of the project: the defaults belong to the maker, not to the file. They
    // change only once they are stored, so what the page uses is what the next New or Open
    // uses too.
    if (!context_.doc->SaveCaptionDefaults(
            CaptionStyle{picture.lfCaptionFont, picture.crCaptionColor, picture.nCaptionPos})) {
        Say(L"The caption defaults could not be saved: they stay as they were.");
        return;
    }
    defaults_ = context_.doc->DefaultCaptionStyle();
}

}  // namespace gd
