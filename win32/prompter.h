#pragma once
// Every question and message box of both programs goes through a Prompter, so a test can
// read what would be shown and answer it.

#include <windows.h>

#include <string>

namespace gd {

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows `text` titled `title`, with the buttons and icon of the MB_* `type`, owned by
    // `owner`; the button pressed (IDOK, IDCANCEL, ...).
    virtual int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) = 0;
};

// The platform's message boxes.
Prompter& SystemPrompter();

}  // namespace gd
