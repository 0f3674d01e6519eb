// The platform's dialogs behind FilePrompts: the open and save dialogs for project files,
// the picture-previewing dialog for icons and the folder browser.

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "maker/win32/file_prompts.h"
#include "maker/win32/picture_preview.h"
#include "maker/win32/preview_file_dialog.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {

// The only entry of the project dialogs: no "all files".
constexpr wchar_t kProjectFilter[] = L"Screensaver Project  Files (*.psm)\0*.psm\0\0";

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
