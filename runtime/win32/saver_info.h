#pragma once
// The screensaver's information as the about page and the launcher show it, with the
// same control ids on both: name, author, copyright line, the e-mail and home page links
// and the description.

#include <windows.h>

#include <string>

#include "common/saver_config.h"
#include "win32/link_label.h"
#include "win32/prompter.h"

namespace gd {

struct SaverInfoLinks {
    CLinkLabel email;      // shows the address, opens "mailto:" and it; underlined on hover
    CLinkLabel home_page;  // shows and opens the address; always underlined
};

// A text of the configuration as the windows show it: its Unicode text when the
// screensaver carries its texts so, else the narrow field as ANSI text (as always).
std::wstring ShownText(const SaverConfig& config, std::string SaverConfig::*narrow, std::string SaverTexts::*wide);

// Fills the controls of `dialog` from `config`. A link without an address is hidden, so
// an empty spot of the dialog does not open a bare "mailto:".
void ShowSaverInfo(HWND dialog, const SaverConfig& config, SaverInfoLinks& links, Prompter& prompter);

}  // namespace gd
