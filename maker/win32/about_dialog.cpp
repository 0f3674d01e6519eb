#include "maker/win32/about_dialog.h"

#include "common/web_addresses.h"
#include "common/profile_text.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"

namespace gd {

namespace {
constexpr size_t kMaxVersion = 9;
}  // namespace

std::string ReadAppVersion(const std::string& program_folder) {
    // Read through the maker's file calls, which take the folder's UTF-8 path, and then
    // by the platform's profile rules.
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(JoinPath(program_folder, "app.ini"), bytes) != ReadFileStatus::kOk) return {};
    std::string text(bytes.begin(), bytes.end());
    std::optional<std::string> value = FindProfileValue(text, "main", "AppVer");
    // A buffer of ten characters with its terminating zero, as the version was always read.
    return value ? CopyProfileEntry(*value, kMaxVersion + 1) : std::string();
}

std::string NoticesPath(const std::string& program_folder) {
    return JoinPath(program_folder, "THIRD-PARTY-NOTICES.txt");
}

INT_PTR CAboutDlg::Run(HWND owner) { return RunModal(services_.instance, IDD_ABOUTBOX, owner); }

HWND CAboutDlg::CreateForTest(HWND owner) { return CreateModeless(services_.instance, IDD_ABOUTBOX, owner); }

INT_PTR CAboutDlg::OnMessage(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) End(LOWORD(wparam));
        return TRUE;
    default:
        return FALSE;
    }
}

void CAboutDlg::OnInitDialog() {
    SetItemText(hwnd(), IDC_ABOUT_VERSION, L"Glimmerdeck " + Wide(ReadAppVersion(services_.program_folder)));
    struct Link {
        CLinkLabel& label;
        int id;
        std::string address;
    };
    for (Link link : {Link{homepage_, IDC_ABOUT_HOMEPAGE, kProductPageAddress},
                      Link{support_, IDC_ABOUT_SUPPORT, kSupportMailAddress},
                      Link{notices_, IDC_ABOUT_NOTICES, NoticesPath(services_.program_folder)}}) {
        link.label.Attach(Item(link.id));
        link.label.SetAddress(Wide(link.address));
        link.label.SetPrompter(*services_.prompter);
        if (services_.open_address)
            link.label.SetOpener([this](const std::wstring& address, int) { return services_.open_address(address); });
    }
}

}  // namespace gd
