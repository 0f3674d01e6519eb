#pragma once
// CPictureView: page 2 of the main window. The user builds the ordered list of the
// project's pictures (added through the picture-previewing file dialog or dropped from the
// desktop) and gives each its caption: text, font, colour and one of nine positions. The
// selected picture shows in a preview with its pixel size.
//
// The page edits a working copy of the project's picture list and writes it back when the
// frame stores the page. Every edit marks the project modified, except making the caption
// look the default for new pictures, which is no change to the project.
//
// A row never decodes its picture: it only opens the file for its size, so a thousand
// pictures are listed at once. Only the preview decodes, the selected picture only.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "maker/project/caption_placeholders.h"
#include "maker/project/input_problems.h"
#include "maker/project/picture_data.h"
#include "maker/ui/list_rules.h"
#include "maker/ui/picture_list_text.h"
#include "maker/project/param_data.h"
#include "maker/win32/character_limit.h"
#include "maker/win32/file_list_page.h"
#include "maker/win32/frame_page.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/picture_pane.h"
#include "win32/dialog_window.h"

namespace gd {

class CPictureView final : public DialogWindow, public FramePage, private FileListOwner {
public:
    explicit CPictureView(PageContext context);
    ~CPictureView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }

    // Loads at once while the page is shown; a hidden page loads when it is next shown,
    // so that a project replaced behind another page is read (and its missing files
    // reported) once, when the user comes to see it.
    void LoadFromProject() override;
    void StoreToProject() override;
    void ResetForNewProject() override;
    void AfterProjectSaved() override;
    void Show(bool visible) override;

    // The commands of the buttons, the context menu and the list's keys, also for tests.
    void AddPictures();
    // Adds files as the dialog's choice is added: those already listed are skipped
    // silently; files that cannot be opened or decoded are left out and named, each with
    // its reason, in one message (with `refused`, files already left out by their type).
    void AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused = {}) {
        rows_.AddFiles(paths, std::move(refused));
    }
    // Files and folders dropped on the list: the pictures among them are added as above;
    // other files are named in the same message.
    void AddDropped(const std::vector<std::string>& dropped) { rows_.AddDropped(dropped, PictureListTypes()); }
    void RemoveSelected() { rows_.RemoveSelected(); }
    void MoveUp() { rows_.MoveUp(); }
    void MoveDown() { rows_.MoveDown(); }
    void RemoveAll() { rows_.RemoveAll(); }
    // A click on row `row` (-1: beside the rows, which keeps the selection).
    void ClickRow(int row);
    // Up and Down select the previous and next picture, Delete removes the selected one;
    // false for other keys, which the list handles itself.
    bool OnListKey(UINT key) override;
    void ChooseCaptionFont();
    void ApplyToAll();
    void SetDefault();

    // The right click in the list at `screen` (-1, -1: from the keyboard): selects the row
    // there, shows the "PicList" pop-up and runs the chosen command.
    void OnContextMenu(POINT screen);
    // Shows a pop-up and returns the chosen command (0: none); tests choose themselves.
    using MenuTracker = FileListPage::MenuTracker;
    void SetMenuTracker(MenuTracker tracker) { track_menu_ = std::move(tracker); }

    // What tests read back.
    const std::vector<CPictureData>& pictures() const { return pictures_; }
    int selected() const { return rows_.selected(); }
    HWND list() const;
    CPicturePane& preview() { return preview_; }
    const CaptionStyle& defaults() const { return defaults_; }
    bool load_pending() const { return load_pending_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void SetUpOnce();
    void OnCommand(int id, int code);
    void OnListNotify(NMHDR& header);

    // The list's calls back.
    const std::string& ItemPath(int row) const override { return pictures_[size_t(row)].szFile; }
    void AddItem(const std::string& path) override { pictures_.emplace_back(path, defaults_); }
    void SwapItems(int a, int b) override { std::swap(pictures_[size_t(a)], pictures_[size_t(b)]); }
    void EraseItem(int row) override { pictures_.erase(pictures_.begin() + row); }
    void EraseAllItems() override { pictures_.clear(); }
    void ReportMissing(const std::vector<std::string>& paths) override;
    void AfterAdd() override { ShowSelection(); }
    void AfterRemove() override { ShowSelection(); }
    void AfterRemoveAll() override { ShowSelection(); }
    void MarkModified() override;

    void Load();
    void ShowSelection();
    // No picture selected: the caption controls off and empty, the sample in `look`.
    void ShowNoSelection(const CaptionStyle& look);
    void EnableCaptionControls(bool enabled);
    void ShowPixelSize();
    // The selected picture's caption as the screensaver will show it.
    std::wstring SampleCaption();
    void Say(const std::wstring& text);
    // OK and Cancel with the question icon, or the warning icon when OK destroys.
    int Ask(const wchar_t* question, UINT icon);
    void OnCaptionEdited();
    void OnPositionChosen();

    PageContext context_;
    std::vector<CPictureData> pictures_;
    FileListPage rows_;
    CaptionStyle defaults_;
    // The caption look the sample shows.
    LogFont sample_font_;
    ColorRef sample_color_ = 0;
    // The dates of the picture the sample shows (its path and them), read once for a
    // selection rather than at every paint: each letter typed repaints the sample.
    std::optional<std::pair<std::string, PictureDates>> sample_dates_;
    // The project's bCaptionFields: a caption typed with a placeholder turns it on (a
    // project saved before placeholders has it off, and its captions made as typed).
    bool caption_fields_ = true;
    CPicturePane preview_;
    MenuTracker track_menu_;
    bool set_up_ = false;
    bool load_pending_ = false;
    bool loading_ = false;  // controls being filled: not the user's edits
    CharacterLimit caption_limit_{IDC_CAPTION_TEXT, kMaxCaption};
};

}  // namespace gd
