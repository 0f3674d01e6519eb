#include "maker/win32/general_view.h"

#include <commctrl.h>

#include "common/path_parts.h"
#include "maker/project/path_rules.h"
#include "maker/project/screensaver_doc.h"
#include "maker/win32/bitmap_strip.h"
#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/accessible_window.h"
#include "win32/control_names.h"
#include "win32/dialog_items.h"
#include "win32/list_page.h"

namespace gd {

namespace {

constexpr int kIconSize = 32;

struct TextField {
    int id;
    std::string CParamData::*field;
    size_t limit;  // characters as the user sees them
};

constexpr TextField kTextFields[] = {
    {IDC_SAVER_NAME, &CParamData::szName, kMaxName},
    {IDC_AUTHOR, &CParamData::szAuthor, kMaxAuthor},
    {IDC_EMAIL, &CParamData::szEmail, kMaxEmail},
    {IDC_HOMEPAGE_EDIT, &CParamData::szHomePage, kMaxHomePage},
    {IDC_COPYRIGHT, &CParamData::szCopyright, kMaxCopyright},
    {IDC_DESCRIPTION, &CParamData::szDescription, kMaxDescription},
};

HICON LoadIconFile(const std::string& path, int size) {
    return static_cast<HICON>(
        LoadImageW(nullptr, Wide(path).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE | LR_DEFAULTCOLOR));
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    // The project stores the folder with exactly a backslash at its end (the root's alone).
    return folder.empty() ? std::string(1, kStoredSeparators.chars[0]) : WithTrailingSeparator(folder, kStoredSeparators);
}

CGeneralView::CGeneralView(PageContext context) : context_(std::move(context)) {
    for (const TextField& f : kTextFields) limits_.emplace_back(f.id, f.limit);
}

CGeneralView::~CGeneralView() {
    if (hwnd() && IsWindow(hwnd())) DestroyWindow(hwnd());
    DropIcons();
    for (HICON icon : button_icons_)
        if (icon) DestroyIcon(icon);
}

void CGeneralView::DropIcons() {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
}

bool CGeneralView::Create() {
    return CreateModeless(context_.instance, IDD_GENERAL_PAGE, context_.frame) != nullptr;
}

INT_PTR CGeneralView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;  // the frame decides where the focus goes
    case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_DPICHANGED_AFTERPARENT:
        // On another monitor the icon is drawn at that monitor's size.
        SizeIconDisplay();
        ShowIcon(!shows_built_in_ ? icon_path_ : std::string());
        return TRUE;
    case WM_DRAWITEM:
        if (wparam == IDC_ICON_DISPLAY) {
            DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CGeneralView::OnInitDialog() {
    for (const CharacterLimit& limit : limits_) limit.Attach(hwnd());
    SizeIconDisplay();
    // The output folder's field follows the option buttons, not a label.
    constexpr ControlName kNames[] = {{IDC_OUTPUT_FOLDER, L"Output folder"}};
    NameControlsForScreenReaders(hwnd(), kNames);
    LabelForScreenReaders(Item(IDC_ICON_DISPLAY), {L"Screensaver icon", ROLE_SYSTEM_GRAPHIC, [this] {
                              return shows_built_in_ ? std::wstring(L"The built-in icon") : Wide(icon_path_);
                          }});
}

void CGeneralView::SizeIconDisplay() {
    // The icon display is 32x32 pixels at 96 DPI, whatever the dialog units make of it.
    HWND display = Item(IDC_ICON_DISPLAY);
    RECT r{};
    GetWindowRect(display, &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    int size = ScaleForDpi(kIconSize, WindowDpi(hwnd()));
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    SetWindowPos(display, nullptr, cx - size / 2, cy - size / 2, size, size, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CGeneralView::SetButtonIcons() {
    int size = ScaleForDpi(16, WindowDpi(hwnd()));
    HIMAGELIST images = MakeStripImageList(context_.instance, size, IDB_MENU_IMAGES, IDB_TOOLBAR, 16);
    if (images) {
        // The program's own images: Open's folder for browsing and changing, New's page
        // for the default.
        button_icons_[0] = ImageList_GetIcon(images, 1, ILD_NORMAL);
        button_icons_[1] = ImageList_GetIcon(images, 0, ILD_NORMAL);
        button_icons_[2] = ImageList_GetIcon(images, 1, ILD_NORMAL);
        ImageList_Destroy(images);
    }
    SendDlgItemMessageW(hwnd(), IDC_BROWSE_FOLDER, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[0]));
    SendDlgItemMessageW(hwnd(), IDC_ICON_DEFAULT, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[1]));
    SendDlgItemMessageW(hwnd(), IDC_ICON_CHANGE, BM_SETIMAGE, IMAGE_ICON, LPARAM(button_icons_[2]));
    tips_.Create(context_.instance, hwnd());
    tips_.Add(IDC_BROWSE_FOLDER, L"Select output folder");
    tips_.Add(IDC_ICON_DEFAULT, L"Set Screensaver Icon with Default");
    tips_.Add(IDC_ICON_CHANGE, L"Change Screensaver Icon");
}

void CGeneralView::LoadFromProject() {
    if (first_load_) {
        SetButtonIcons();
        first_load_ = false;
    }
    // Filling the edits sends change notifications: they are not the user's edits.
    loading_ = true;
    const CParamData& project = context_.doc->project();
    for (const TextField& f : kTextFields) SetItemUtf8(hwnd(), f.id, project.*f.field);
    for (CharacterLimit& limit : limits_) limit.Accept(hwnd());
    CheckRadioButton(hwnd(), IDC_STANDARD_SAVER, IDC_SELF_INSTALL,
                     project.bSelfInstall ? IDC_SELF_INSTALL : IDC_STANDARD_SAVER);
    SetItemUtf8(hwnd(), IDC_OUTPUT_FOLDER, project.szOutputFolder);
    icon_path_ = project.szIconFile;
    ShowIcon(PathExists(icon_path_) ? icon_path_ : std::string());
    loading_ = false;
}

void CGeneralView::StoreToProject() {
    CParamData& project = context_.doc->project();
    for (const TextField& f : kTextFields) project.*f.field = ItemUtf8(hwnd(), f.id);
    project.bSelfInstall = IsItemChecked(hwnd(), IDC_SELF_INSTALL) ? 1 : 0;
    project.szOutputFolder = ItemUtf8(hwnd(), IDC_OUTPUT_FOLDER);
    project.szIconFile = icon_path_;
}

void CGeneralView::FocusName() {
    HWND name = Item(IDC_SAVER_NAME);
    SetFocus(name);
    SendMessageW(name, EM_SETSEL, 0, -1);
}

void CGeneralView::MarkModified() {
    if (!loading_) context_.doc->SetModifiedFlag(true);
}

void CGeneralView::OnCommand(int id, int code) {
    if (code == EN_CHANGE)
        for (CharacterLimit& limit : limits_)
            if (limit.id() == id && limit.Check(hwnd(), !loading_)) return;
    switch (id) {
    case IDC_SAVER_NAME:
        if (code == EN_CHANGE) MarkModified();
        break;
    case IDC_AUTHOR:
    case IDC_EMAIL:
    case IDC_HOMEPAGE_EDIT:
    case IDC_COPYRIGHT:
    case IDC_DESCRIPTION:
        if (code == EN_CHANGE) MarkModified();
        break;
    case IDC_STANDARD_SAVER:
    case IDC_SELF_INSTALL:
        if (code == BN_CLICKED) MarkModified();
        break;
    case IDC_ICON_CHANGE:
        if (code == BN_CLICKED) ChangeIcon();
        break;
    case IDC_ICON_DEFAULT:
        if (code == BN_CLICKED) UseDefaultIcon();
        break;
    case IDC_BROWSE_FOLDER:
        if (code == BN_CLICKED) BrowseOutputFolder();
        break;
    default:
        break;
    }
}

bool CGeneralView::ShowIcon(const std::string& path) {
    DropIcons();
    int size = ScaleForDpi(kIconSize, WindowDpi(hwnd()));
    if (!path.empty()) icon_ = LoadIconFile(path, size);
    bool loaded = icon_ != nullptr;
    shows_built_in_ = !loaded;
    if (!loaded) {
        icon_ = static_cast<HICON>(LoadImageW(context_.instance, MAKEINTRESOURCEW(IDI_SAVER_DEFAULT), IMAGE_ICON,
                                              size, size, LR_DEFAULTCOLOR));
    }
    InvalidateRect(Item(IDC_ICON_DISPLAY), nullptr, TRUE);
    return loaded || path.empty();
}

void CGeneralView::DrawIcon(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!icon_) return;
    int size = ScaleForDpi(kIconSize, WindowDpi(hwnd()));
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_, size, size, 0, nullptr, DI_NORMAL);
}

void CGeneralView::ChangeIcon() {
    std::string icons = JoinPath(context_.services->program_folder, "icons");
    std::optional<std::string> path = context_.services->files->ChooseIcon(hwnd(), icons);
    if (!path) return;
    icon_path_ = *path;
    if (ShowIcon(icon_path_)) {
        MarkModified();
    } else {
        context_.services->prompter->Show(hwnd(), L"Fail to load this icon file!", L"Glimmerdeck",
                                          MB_OK | MB_ICONEXCLAMATION);
    }
}

void CGeneralView::UseDefaultIcon() {
    icon_path_.clear();
    ShowIcon({});
    MarkModified();
}

void CGeneralView::BrowseOutputFolder() {
    std::optional<std::string> folder =
        context_.services->files->ChooseFolder(hwnd(), L"Select output screensaver folder");
    if (!folder) return;
    SetItemUtf8(hwnd(), IDC_OUTPUT_FOLDER, WithTrailingSeparator(*folder));
    MarkModified();
}

}  // namespace gd
