#include "maker/win32/character_limit.h"

#include "common/character_count.h"
#include "common/utf16.h"
#include "win32/dialog_items.h"

namespace gd {

namespace {
constexpr size_t kUnitsPerCharacter = 4;  // a surrogate pair with marks, or a letter with three
}  // namespace

void CharacterLimit::Attach(HWND dialog) const {
    SendDlgItemMessageW(dialog, id_, EM_LIMITTEXT, WPARAM(limit_ * kUnitsPerCharacter), 0);
}

bool CharacterLimit::Check(HWND dialog, bool by_user) {
    std::wstring text = ItemText(dialog, id_);
    const size_t count = CountCharacters(Utf16ToUtf8(text));
    if (!by_user || count <= limit_ || count <= CountCharacters(Utf16ToUtf8(accepted_))) {
        accepted_ = std::move(text);
        return false;
    }
    // The caret stays before what followed the refused input.
    DWORD caret = 0;
    SendDlgItemMessageW(dialog, id_, EM_GETSEL, WPARAM(&caret), 0);
    const size_t added = text.size() > accepted_.size() ? text.size() - accepted_.size() : 0;
    caret = caret > added ? DWORD(caret - added) : 0;
    const std::wstring before = accepted_;  // the control's EN_CHANGE sets accepted_ again
    SetItemText(dialog, id_, before);
    SendDlgItemMessageW(dialog, id_, EM_SETSEL, WPARAM(caret), LPARAM(caret));
    MessageBeep(MB_OK);
    return true;
}

}  // namespace gd
