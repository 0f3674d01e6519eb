// The platform's dialogs behind FilePrompts: the open and save dialogs for project files,
// the picture-previewing dialog for icons and the folder browser.

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "maker/win32/file_prompts.h"
#include "maker/win32/open_file_names.h"
#include "maker/win32/picture_preview.h"
#include "maker/win32/preview_file_dialog.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {

// The only entry of the project dialogs: no "all files".
constexpr wchar_t kProjectFilter[] = L"Screensaver Project  Files (*.psm)\0*.psm\0\0";

constexpr wchar_t kMusicFilter[] =
    L"All Support Music Files\0*.wav;*.mp3;*.midi;*.mid\0MP3 (*.mp3)\0*.mp3\0Midi (*.mid;*.midi)\0*.mid;*.midi\0"
    L"WAV (*.wav)\0*.wav\0\0";

// The hook of a plain open dialog with multiple selection: the name buffer grows with the
// selection.
struct GrowingNames {
    OpenFileNames* names = nullptr;
    OPENFILENAMEW* ofn = nullptr;
};

UINT_PTR CALLBACK GrowingNamesHook(HWND window, UINT message, WPARAM, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lparam);
        auto* growing = reinterpret_cast<GrowingNames*>(ofn->lCustData);
        growing->ofn = ofn;  // the structure the dialog reads the buffer from
        SetWindowLongPtrW(window, DWLP_USER, LONG_PTR(growing));
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == CDN_SELCHANGE) {
        auto* growing = reinterpret_cast<GrowingNames*>(GetWindowLongPtrW(window, DWLP_USER));
        if (growing && growing->ofn) growing->names->FitSelection(GetParent(window), *growing->ofn);
    }
    return FALSE;
}

class SystemPrompts final : public FilePrompts {
public:
    std::optional<std::string> OpenProject(HWND owner) override {
        return ProjectDialog(owner, {}, false);
    }

    std::optional<std::string> SaveProjectAs(HWND owner, const std::string& suggested_name) override {
        return ProjectDialog(owner, suggested_name, true);
    }

    std::optional<std::string> ChooseIcon(HWND owner, const std::string& start_folder) override {
        CPicturePreview preview;
        CPreviewFileDialog dialog(preview, IconDialogOptions(start_folder));
        auto chosen = dialog.Run(HINSTANCE(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), owner);
        if (!chosen || chosen->empty()) return std::nullopt;
        return chosen->front();
    }

    std::optional<std::vector<std::string>> ChoosePictures(HWND owner, const std::string& start_folder) override {
        CPicturePreview preview;
        CPreviewFileDialog dialog(preview, AddPicturesDialogOptions(start_folder));
        return dialog.Run(HINSTANCE(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), owner);
    }

    std::optional<std::vector<std::string>> ChooseMusic(HWND owner, const std::string& start_folder) override {
        OpenFileNames names(2048);
        const std::wstring folder = Wide(start_folder);
        GrowingNames growing{&names, nullptr};
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = kMusicFilter;
        ofn.lpstrTitle = L"Add music files to list";
        ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                    OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
        ofn.lpfnHook = &GrowingNamesHook;
        ofn.lCustData = LPARAM(&growing);
        return RunOpenFileDialog(ofn, names);
    }

    std::optional<std::string> ChooseFolder(HWND owner, const std::wstring& title) override {
        BROWSEINFOW browse{};
        browse.hwndOwner = owner;
        browse.lpszTitle = title.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
        if (!chosen) return std::nullopt;
        wchar_t path[MAX_PATH] = {};
        bool ok = SHGetPathFromIDListW(chosen, path);
        CoTaskMemFree(chosen);
        if (!ok) return std::nullopt;
        return Utf8(path);
    }

private:
    static std::optional<std::string> ProjectDialog(HWND owner, const std::string& name, bool save) {
        std::wstring buffer = Wide(name);
        buffer.resize(std::max<size_t>(buffer.size() + 1, MAX_PATH * 4), L'\0');
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = kProjectFilter;
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = DWORD(buffer.size());
        ofn.lpstrDefExt = L"psm";
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                    (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
        if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
        return Utf8(buffer.c_str());
    }
};

}  // namespace

FilePrompts& SystemFilePrompts() {
    static SystemPrompts prompts;
    return prompts;
}

}  // namespace gd
