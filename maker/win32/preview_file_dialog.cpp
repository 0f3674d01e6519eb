#include "maker/win32/preview_file_dialog.h"

#include <commdlg.h>

#include "maker/ui/picture_list_text.h"
#include "maker/win32/dpi.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/ui_text.h"
#include "win32/high_contrast.h"

namespace gd {

namespace {

constexpr int kPreviewWidth = 120;
constexpr int kPreviewHeight = 90;
constexpr COLORREF kPreviewGrey = RGB(120, 120, 120);

// "a|b||" as the system wants it: "a\0b\0\0".
std::wstring SystemFilter(std::wstring filter) {
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    return filter;
}

}  // namespace

FileDialogOptions IconDialogOptions(const std::string& start_folder) {
    FileDialogOptions options;
    options.title = L"Select Screensaver Icon";
    options.filter = L"Icon Files (*.ico)|*.ico||";
    options.default_extension = L"ico";
    options.initial_folder = start_folder;
    return options;
}

FileDialogOptions AddPicturesDialogOptions(const std::string& start_folder) {
    FileDialogOptions options;
    options.initial_folder = start_folder;
    options.title = L"Add image files to list";
    options.filter = Wide(AddPicturesFilter());
    options.multiple = true;
    options.name_buffer = 4096;
    return options;
}

std::optional<std::vector<std::string>> CPreviewFileDialog::Run(HINSTANCE instance, HWND owner) {
    std::wstring filter = SystemFilter(options_.filter);
    OpenFileNames names(options_.name_buffer);
    std::wstring folder = Wide(options_.initial_folder);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = options_.title.empty() ? nullptr : options_.title.c_str();
    ofn.lpstrDefExt = options_.default_extension.empty() ? nullptr : options_.default_extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                OFN_PATHMUSTEXIST | OFN_ENABLESIZING | (options_.multiple ? OFN_ALLOWMULTISELECT : 0);
    ofn.lpTemplateName = L"FILEOPEN_TEMPLATE";
    ofn.lpfnHook = &CPreviewFileDialog::HookProc;
    ofn.lCustData = LPARAM(this);
    preview_enabled_ = true;
    folder_changed_ = false;
    ofn_ = &ofn;
    names_ = &names;
    auto chosen = RunOpenFileDialog(ofn, names);
    ofn_ = nullptr;
    names_ = nullptr;
    return chosen;
}

UINT_PTR CALLBACK CPreviewFileDialog::HookProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<CPreviewFileDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CPreviewFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lparam)->lCustData);
        SetWindowLongPtrW(window, DWLP_USER, LONG_PTR(self));
        // The structure the dialog itself reads the name buffer from when Open is pressed.
        self->ofn_ = reinterpret_cast<OPENFILENAMEW*>(lparam);
        self->OnInit(window);
        return TRUE;
    }
    if (!self) return FALSE;
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header->code == CDN_INITDONE) self->PlacePreview();
        if (header->code == CDN_SELCHANGE) {
            // Room for the names before the user can press Open.
            if (self->names_ && self->ofn_) self->names_->FitSelection(GetParent(window), *self->ofn_);
            self->OnSelectionChanged(self->SelectedPath());
        }
        if (header->code == CDN_FOLDERCHANGE) self->OnFolderChanged();
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_PREVIEW_CHECK && HIWORD(wparam) == BN_CLICKED)
            self->OnPreviewToggled(IsDlgButtonChecked(window, IDC_PREVIEW_CHECK) == BST_CHECKED);
        return FALSE;
    case WM_SIZE:
        self->PlacePreview();
        InvalidateRect(window, nullptr, TRUE);
        return FALSE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        self->Paint(dc);
        EndPaint(window, &paint);
        return TRUE;
    }
    case WM_DESTROY:
        self->hook_window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void CPreviewFileDialog::OnInit(HWND hook_window) {
    hook_window_ = hook_window;
    CheckDlgButton(hook_window, IDC_PREVIEW_CHECK, preview_enabled_ ? BST_CHECKED : BST_UNCHECKED);
    PlacePreview();
    preview_.SetFile({});
}

void CPreviewFileDialog::PlacePreview() {
    // The box starts at the anchor's corner; its size is in pixels at 96 DPI. The system
    // dialog moves our controls below its own after our start, and again when it is
    // resized, so the anchor is asked again each time.
    RECT anchor{};
    GetWindowRect(GetDlgItem(hook_window_, IDC_PREVIEW_ANCHOR), &anchor);
    MapWindowPoints(nullptr, hook_window_, reinterpret_cast<POINT*>(&anchor), 2);
    UINT dpi = WindowDpi(hook_window_);
    preview_rect_ = {anchor.left, anchor.top, anchor.left + ScaleForDpi(kPreviewWidth, dpi),
                     anchor.top + ScaleForDpi(kPreviewHeight, dpi)};
}

std::string CPreviewFileDialog::SelectedPath() const {
    HWND dialog = GetParent(hook_window_);
    wchar_t path[MAX_PATH * 4] = {};
    LRESULT length = SendMessageW(dialog, CDM_GETFILEPATH, WPARAM(std::size(path)), LPARAM(path));
    if (length <= 0 || size_t(length) > std::size(path)) return {};
    // Several files selected: the dialog gives a quoted list, not one path to show.
    if (path[0] == L'"') return {};
    return Utf8(path);
}

void CPreviewFileDialog::OnSelectionChanged(const std::string& path) {
    if (!folder_changed_ && preview_enabled_) {
        preview_.SetFile(path);
        InvalidateRect(hook_window_, &preview_rect_, FALSE);
    }
    folder_changed_ = false;
}

void CPreviewFileDialog::OnFolderChanged() {
    folder_changed_ = true;
    preview_.SetFile({});
    InvalidateRect(hook_window_, &preview_rect_, FALSE);
}

void CPreviewFileDialog::OnPreviewToggled(bool checked) {
    preview_enabled_ = checked;
    InvalidateRect(hook_window_, &preview_rect_, FALSE);
}

void CPreviewFileDialog::Paint(HDC dc) {
    RECT r = preview_rect_;
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    // Grey around the picture, or the theme's window colour in high contrast.
    HBRUSH ground = CreateSolidBrush(ThemedColor(kPreviewGrey, COLOR_WINDOW));
    FillRect(dc, &r, ground);
    DeleteObject(ground);
    if (!preview_enabled_) return;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    preview_.Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    RestoreDC(dc, saved);
}

}  // namespace gd
