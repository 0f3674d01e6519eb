#pragma once
// CPreviewFileDialog: the system's open-file dialog with an area of ours below its own
// controls: a "&Preview" box and a 120x90 (at 96 DPI) sunken grey box in which the
// selected file is drawn by a preview object the caller passes in.
//
// Selecting a file hands its path to the preview object and repaints the box, unless the
// folder has just changed (the first selection change after a folder change is the
// dialog's own and shows nothing) or the preview is switched off. Changing the folder
// clears the box.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "maker/win32/open_file_names.h"
#include "raster/geometry.h"

namespace gd {

// What the dialog draws with.
class PreviewObject {
public:
    virtual ~PreviewObject() = default;
    // The file to show (UTF-8), or empty for nothing.
    virtual void SetFile(const std::string& path) = 0;
    // Draws the file into the area (left, top, width, height) of `dc`.
    virtual void Draw(HDC dc, int left, int top, int width, int height) = 0;
    // The rectangle in a box of box_width x box_height in which a picture of
    // width x height is drawn.
    virtual Rect FitRect(int width, int height, int box_width, int box_height) = 0;
};

struct FileDialogOptions {
    std::wstring title;
    std::wstring filter;         // "Name|*.a;*.b|Other|*.c||", as the pairs are written
    std::wstring default_extension;
    std::string initial_folder;  // UTF-8
    bool multiple = false;
    // Characters for the chosen names at first; with `multiple` the buffer grows with
    // the selection, so any number of files can be chosen.
    size_t name_buffer = 1024;
};

class CPreviewFileDialog {
public:
    CPreviewFileDialog(PreviewObject& preview, FileDialogOptions options)
        : preview_(preview), options_(std::move(options)) {}

    // Runs the dialog; the chosen paths (UTF-8), nothing when cancelled.
    std::optional<std::vector<std::string>> Run(HINSTANCE instance, HWND owner);

    // The dialog's reactions, also driven by tests through the hook's messages.
    bool preview_enabled() const { return preview_enabled_; }
    bool folder_changed() const { return folder_changed_; }
    RECT preview_rect() const { return preview_rect_; }
    HWND hwnd() const { return hook_window_; }

    // The hook procedure of the template area (public for tests that make the area
    // without the system dialog).
    static UINT_PTR CALLBACK HookProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void OnInit(HWND hook_window);
    void PlacePreview();
    void OnSelectionChanged(const std::string& path);
    void OnFolderChanged();
    void OnPreviewToggled(bool checked);
    void Paint(HDC dc);

private:
    std::string SelectedPath() const;

    PreviewObject& preview_;
    FileDialogOptions options_;
    OPENFILENAMEW* ofn_ = nullptr;
    OpenFileNames* names_ = nullptr;
    HWND hook_window_ = nullptr;
    RECT preview_rect_{};
    bool preview_enabled_ = true;
    bool folder_changed_ = false;
};

// The icon chooser of the General page: "Select Screensaver Icon", icon files only,
// starting in `start_folder`.
FileDialogOptions IconDialogOptions(const std::string& start_folder);

// The Pictures page's "Add image files to list": several pictures of the types the page
// lists, starting in `start_folder` (empty: where the system chooses).
FileDialogOptions AddPicturesDialogOptions(const std::string& start_folder = {});

}  // namespace gd
