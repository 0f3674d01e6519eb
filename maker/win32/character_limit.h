#pragma once
// An edit control held to a number of characters as the user sees them
// (common/character_count.h). EM_LIMITTEXT counts UTF-16 units, so a text with letters
// outside the basic plane or combining marks would stop short of its limit: the control
// gets room for four units a character, and this check refuses a change that takes the
// text past the limit as EM_LIMITTEXT would: the text before the change comes back, the
// caret where it was, with a beep. A text already longer (read from a project file) is
// kept; only a change that lengthens it is refused.

#include <windows.h>

#include <cstddef>
#include <string>

namespace gd {

class CharacterLimit {
public:
    CharacterLimit(int id, size_t limit) : id_(id), limit_(limit) {}

    int id() const { return id_; }
    // Gives the control room for the limit.
    void Attach(HWND dialog) const;
    // After the control's EN_CHANGE; `by_user` false (the page filling its controls)
    // takes the text as it is. True when the change was refused.
    bool Check(HWND dialog, bool by_user);
    // Takes the control's text as it is: after the page filled a multi-line control, whose
    // WM_SETTEXT sends no EN_CHANGE.
    void Accept(HWND dialog);

private:
    int id_;
    size_t limit_;
    std::wstring accepted_;
};

}  // namespace gd
