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
#include <string>
#include <vector>

#include "maker/project/input_problems.h"
#include "maker/project/picture_data.h"
#include "maker/ui/list_rules.h"
#include "maker/project/param_data.h"
#include "maker/win32/character_limit.h"
#include "maker/win32/frame_page.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/picture_pane.h"
#include "win32/dialog_window.h"

namespace gd {

class CPictureView final : public DialogWindow, public FramePage {
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
    void AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused = {});
    // Files and folders dropped on the list: the pictures among them are added as above;
    // other files are named in the same message.
    void AddDropped(const std::vector<std::string>& dropped);
    void RemoveSelected();
    void MoveUp();
    void MoveDown();
    void RemoveAll();
    // A click on row `row` (-1: beside the rows, which keeps the selection).
    void ClickRow(int row);
    void OnListKey(UINT key);
    void ChooseCaptionFont();
    void ApplyToAll();
    void SetDefault();

    // The "PicList" pop-up with its items enabled for the list as it is; the page keeps it.
    HMENU PrepareContextMenu();
    // The right click in the list at `screen` (-1, -1: from the keyboard): selects the row
    // there, shows the pop-up and runs the chosen command.
    void OnContextMenu(POINT screen);
    // Shows a pop-up and returns the chosen command (0: none); tests choose themselves.
    using MenuTracker = std::function<UINT(HMENU popup, POINT screen)>;
    void SetMenuTracker(MenuTracker tracker) { track_menu_ = std::move(tracker); }

    // What tests read back.
    const std::vector<CPictureData>& pictures() const { return pictures_; }
    int selected() const { return selected_; }
    HWND list() const;
    CPicturePane& preview() { return preview_; }
    const CaptionStyle& defaults() const { return defaults_; }
    bool load_pending() const { return load_pending_; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void SetUpOnce();
    void SetImages();
    void AddTooltip(int id, const wchar_t* text);
    void OnCommand(int id, int code);
    void OnListNotify(NMHDR& header);
    static LRESULT CALLBACK ListSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                             DWORD_PTR self);

    void Load();
    // Appends a row for picture `index`; false when its file cannot be opened.
    bool AppendRow(size_t index);
    void SetRow(int row);
    void Highlight(int row);
    void ShowSelection();
    void ShowNoSelection();
    void EnableCaptionControls(bool enabled);
    void UpdateTotals();
    void ShowPixelSize();
    void MarkModified();
    void ReportMissing(const std::vector<std::string>& paths);
    // OK and Cancel with the question icon, or the warning icon when OK destroys.
    int Ask(const wchar_t* question, UINT icon);
    void OnCaptionEdited();
    void OnPositionChosen();
    std::vector<std::string> ListedFiles() const;

    PageContext context_;
    std::vector<CPictureData> pictures_;
    std::vector<long long> kilobytes_;  // the Size column of each row
    int selected_ = -1;
    CaptionStyle defaults_;
    // The caption look the sample shows.
    LogFont sample_font_;
    ColorRef sample_color_ = 0;
    CPicturePane preview_;
    HIMAGELIST types_ = nullptr;
    HICON button_icons_[5] = {};
    HMENU menu_ = nullptr;
    HBITMAP menu_images_[5] = {};
    HWND tooltip_ = nullptr;
    MenuTracker track_menu_;
    bool set_up_ = false;
    bool load_pending_ = false;
    bool loading_ = false;       // controls being filled: not the user's edits
    CharacterLimit caption_limit_{IDC_CAPTION_TEXT, kMaxCaption};
    bool highlighting_ = false;  // the list being changed by the page itself
};

}  // namespace gd
