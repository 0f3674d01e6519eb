#pragma once
// The "About Glimmerdeck" box: the program's icon, "Glimmerdeck " with the version from
// app.ini ([main] AppVer, at most 9 characters), links to the product page, the support
// mailbox and the program folder's THIRD-PARTY-NOTICES.txt (who wrote the libraries in
// the program and under which licences, after our own), and OK.

#include <string>

#include "maker/win32/maker_services.h"
#include "win32/dialog_window.h"
#include "win32/link_label.h"

namespace gd {

// AppVer of section "main" of <program folder>\app.ini, cut to 9 characters; empty when
// the file or the value is missing.
std::string ReadAppVersion(const std::string& program_folder);

// The notices file the About box and the help open: <program folder>\THIRD-PARTY-NOTICES.txt.
std::string NoticesPath(const std::string& program_folder);

class CAboutDlg final : public DialogWindow {
public:
    explicit CAboutDlg(MakerServices& services) : services_(services) {}
    INT_PTR Run(HWND owner);
    HWND CreateForTest(HWND owner);

    CLinkLabel& homepage_link() { return homepage_; }
    CLinkLabel& support_link() { return support_; }
    CLinkLabel& notices_link() { return notices_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnInitDialog();

    MakerServices& services_;
    CLinkLabel homepage_;
    CLinkLabel support_;
    CLinkLabel notices_;
};

}  // namespace gd
