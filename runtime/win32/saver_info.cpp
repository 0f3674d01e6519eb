#include "runtime/win32/saver_info.h"

#include "runtime/win32/resource_ids.h"
#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

void SetUpLink(HWND dialog, int id, CLinkLabel& link, const std::string& shown, const std::wstring& address,
               UnderlineMode underline, Prompter& prompter) {
    SetItemText(dialog, id, WidenAnsi(shown));
    HWND control = GetDlgItem(dialog, id);
    if (shown.empty()) {
        ShowWindow(control, SW_HIDE);
        return;
    }
    link.Attach(control);
    link.SetAddress(address);
    link.SetUnderline(underline);
    link.SetPrompter(prompter);
}

}  // namespace

void ShowSaverInfo(HWND dialog, const SaverConfig& config, SaverInfoLinks& links, Prompter& prompter) {
    SetItemText(dialog, IDC_NAME, WidenAnsi(config.name));
    SetItemText(dialog, IDC_AUTHOR, WidenAnsi(config.author));
    SetItemText(dialog, IDC_COPYRIGHT, WidenAnsi(config.copyright));
    SetUpLink(dialog, IDC_EMAIL, links.email, config.email, L"mailto:" + WidenAnsi(config.email),
              UnderlineMode::kWhileHovered, prompter);
    SetUpLink(dialog, IDC_HOMEPAGE, links.home_page, config.home_page, WidenAnsi(config.home_page),
              UnderlineMode::kAlways, prompter);
    SetItemText(dialog, IDC_DESCRIPTION, WidenAnsi(config.description));
}

}  // namespace gd
