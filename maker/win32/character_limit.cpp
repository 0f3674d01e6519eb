#include "maker/win32/character_limit.h"

#include "common/character_count.h"
#include "common/utf16.h"
#include "win32/dialog_items.h"

namespace gd {

namespace {

constexpr size_t kUnitsPerCharacter = 4;  // a surrogate pair with marks, or a letter with three

size_t Characters(const std::wstring& text) { return CountCharacters(Utf16ToUtf8(text)); }

}  // namespace

void CharacterLimit::Attach(HWND dialog) const {
    SendDlgItemMessageW(dialog, id_, EM_LIMITTEXT, WPARAM(limit_ * kUnitsPerCharacter), 0);
}

void CharacterLimit::Accept(HWND dialog) { accepted_ = ItemText(dialog, id_); }

bool CharacterLimit::Check(HWND dialog, bool by_user) {
    std::wstring text = ItemText(dialog, id_);
    const size_t count = Characters(text);
    if (!by_user || count <= limit_ || count <= Characters(accepted_)) {
        accepted_ = std::move(text);
        return false;
    }
    DWORD caret = 0;
    SendDlgItemMessageW(dialog, id_, EM_GETSEL, WPARAM(&caret), 0);
    // The text before the change comes back, the caret before what followed the input.
    const size_t added = text.size() > accepted_.size() ? text.size() - accepted_.size() : 0;
    caret = caret > added ? DWORD(caret - added) : 0;
    const std::wstring before = accepted_;
    SetItemText(dialog, id_, before);  // a single-line control's EN_CHANGE accepts it again
    accepted_ = before;
    SendDlgItemMessageW(dialog, id_, EM_SETSEL, WPARAM(caret), LPARAM(caret));
    MessageBeep(MB_OK);
    return true;
}

}  // namespace gd
