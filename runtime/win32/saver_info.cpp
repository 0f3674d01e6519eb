#include "runtime/win32/saver_info.h"

#include "runtime/win32/resource_ids.h"
#include "common/utf16.h"
#include "win32/dialog_items.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

void SetUpLink(HWND dialog, int id, CLinkLabel& link, const std::wstring& shown, const std::wstring& address,
               UnderlineMode underline, Prompter& prompter) {
    SetItemText(dialog, id, shown);
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

std::wstring ShownText(const SaverConfig& config, std::string SaverConfig::*narrow, std::string SaverTexts::*wide) {
    return config.texts ? Utf8ToUtf16((*config.texts).*wide) : WidenAnsi(config.*narrow);
}

void ShowSaverInfo(HWND dialog, const SaverConfig& config, SaverInfoLinks& links, Prompter& prompter) {
    SetItemText(dialog, IDC_NAME, ShownText(config, &SaverConfig::name, &SaverTexts::name));
    SetItemText(dialog, IDC_AUTHOR, ShownText(config, &SaverConfig::author, &SaverTexts::author));
    SetItemText(dialog, IDC_COPYRIGHT, ShownText(config, &SaverConfig::copyright, &SaverTexts::copyright));
    const std::wstring email = ShownText(config, &SaverConfig::email, &SaverTexts::email);
    SetUpLink(dialog, IDC_EMAIL, links.email, email, L"mailto:" + email, UnderlineMode::kWhileHovered, prompter);
    const std::wstring home_page = ShownText(config, &SaverConfig::home_page, &SaverTexts::home_page);
    SetUpLink(dialog, IDC_HOMEPAGE, links.home_page, home_page, home_page, UnderlineMode::kAlways, prompter);
    SetItemText(dialog, IDC_DESCRIPTION, ShownText(config, &SaverConfig::description, &SaverTexts::description));
}

}  // namespace gd
