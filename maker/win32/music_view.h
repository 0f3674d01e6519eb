#pragma once
// CMusicView: page 3 of the main window. The user builds the ordered list of music files
// the screensaver plays, and listens to any of them in the player under the list.
//
// The page edits a working copy of the project's music list and writes it back when the
// frame stores it. Every edit marks the project modified. A file that cannot be opened
// when its row is added is reported (" is not exists!" after its path) and left out; a
// file already listed (its path compared as the system compares paths, so without regard
// to case) is skipped silently.
//
// The player: choosing a row (a click, the arrow keys, a removal) loads its file and
// plays it from its start to its end. Play, Stop and a position bar with the time drive
// it; a line under them says what plays, or why a file cannot play (no sound device).
// Removing all files leaves a playing file playing.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "maker/project/input_problems.h"
#include "maker/ui/audition_player.h"
#include "maker/win32/frame_page.h"
#include "win32/dialog_window.h"

namespace gd {

class CMusicView final : public DialogWindow, public FramePage {
public:
    explicit CMusicView(PageContext context);
    ~CMusicView() override;

    bool Create();
    HWND hwnd() const override { return DialogWindow::hwnd(); }

    void LoadFromProject() override;
    void StoreToProject() override;
    // No selection, the player stopped.
    void ResetForNewProject() override;
    void AfterProjectSaved() override;
    void StopPlaying() override;

    // The page's commands (buttons, context menu, keys), also for tests.
    void AddMusic();  // asks for files with the open dialog
    // Files already listed are skipped silently; files that are not WAV, MP3 or MIDI by
    // their first bytes (or cannot be read) are left out and named, each with its reason,
    // in one message (with `refused`, files already left out by their type).
    void AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused = {});
    // Files and folders dropped on the list: the music among them (a folder's music in
    // name order) is added as AddFiles adds it; anything else is named in the same message.
    void AddDropped(const std::vector<std::string>& paths);
    void RemoveSelected();
    void MoveUp();
    void MoveDown();
    void RemoveAll();
    // A click in the list: on row `row`, or beside the rows with -1.
    void ClickRow(int row);
    // A key pressed in the list: Up, Down, Home, End, Page Up and Page Down select a row
    // and load its file into the player; Delete removes the selected file. False for
    // other keys, which the list handles itself.
    bool OnListKey(UINT key);
    // The context menu at `screen` (the row under it is selected first); a point of
    // (-1, -1) puts it at the selected row, as the keyboard asks for it.
    void ShowContextMenu(POINT screen);
    // Play and Stop of the player, and the position bar moved to `position_ms`.
    void PlayerPlay();
    void PlayerStop();
    void PlayerSeek(uint32_t position_ms);
    // The player's poll, run by the page's timer while a file plays.
    void PollPlayer();

    // What the page holds and shows.
    HWND list() const;
    const std::vector<std::string>& files() const { return files_; }
    int selected() const { return selected_; }
    int HighlightedRow() const;
    const AuditionPlayer& player() const { return *player_; }
    // The context menu as it would open now, with its items enabled or not; the caller
    // destroys it.
    HMENU MakeContextMenu() const;

    // Shows `menu` at `screen` and returns the chosen command, 0 for none. Tests replace
    // it to read the menu and choose.
    std::function<UINT(HMENU menu, POINT screen)> track_menu;

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void SetUpOnce();
    void SetUpList();
    void SetUpButtons();
    void AddTooltip(int id, const wchar_t* text);
    void RunCommand(int id);
    void OnListNotify(const NMHDR& header);
    void OnPositionBar(int code);

    // Appends a row for `path` when the file opens; else says so and leaves it out.
    bool AppendRow(const std::string& path);
    void FillRows();
    void SetRowText(int row);
    void HighlightSelection();
    void UpdateTotals();
    void MarkModified();
    // Sets the player's file: the selected row's, or nothing when no row is selected.
    void LoadSelectedIntoPlayer();
    void LoadIntoPlayer(const std::string& path);
    void UpdatePlayer();
    void Message(const std::wstring& text);

    static LRESULT CALLBACK ListKeys(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                     DWORD_PTR data);

    PageContext context_;
    std::unique_ptr<MediaPlayer> media_;
    std::unique_ptr<AuditionPlayer> player_;
    std::vector<std::string> files_;
    std::vector<int64_t> sizes_;  // hundredths of a megabyte, as shown
    int selected_ = -1;
    bool set_up_ = false;
    bool dragging_position_ = false;
    HICON button_icons_[7] = {};
    std::vector<HBITMAP> menu_images_;
    HWND tooltip_ = nullptr;
};

}  // namespace gd
