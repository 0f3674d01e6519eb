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
#include <utility>
#include <vector>

#include "maker/project/input_problems.h"
#include "maker/ui/audition_player.h"
#include "maker/win32/file_list_page.h"
#include "maker/win32/frame_page.h"
#include "win32/dialog_window.h"

namespace gd {

class CMusicView final : public DialogWindow, public FramePage, private FileListOwner {
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
    void RemoveSelected() { rows_.RemoveSelected(); }
    void MoveUp() { rows_.MoveUp(); }
    void MoveDown() { rows_.MoveDown(); }
    void RemoveAll() { rows_.RemoveAll(); }
    // A click in the list: on row `row`, or beside the rows with -1.
    void ClickRow(int row);
    // A key pressed in the list: Up, Down, Home, End, Page Up and Page Down select a row
    // and load its file into the player; Delete removes the selected file. False for
    // other keys, which the list handles itself.
    bool OnListKey(UINT key) override;
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
    int selected() const { return rows_.selected(); }
    int HighlightedRow() const;
    const AuditionPlayer& player() const { return *player_; }
    // The context menu as it would open now, with its items enabled or not; the caller
    // destroys it.
    HMENU MakeContextMenu() const { return rows_.MakeContextMenu(); }

    // Shows `menu` at `screen` and returns the chosen command, 0 for none. Tests replace
    // it to read the menu and choose.
    FileListPage::MenuTracker track_menu;

private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void SetUpOnce();
    void SetUpPlayerButtons();
    void RunCommand(int id);
    void OnListNotify(NMHDR& header);
    void OnPositionBar(int code);

    // The list's calls back.
    const std::string& ItemPath(int row) const override { return files_[size_t(row)]; }
    void AddItem(const std::string& path) override { files_.push_back(path); }
    void SwapItems(int a, int b) override { std::swap(files_[size_t(a)], files_[size_t(b)]); }
    void EraseItem(int row) override { files_.erase(files_.begin() + row); }
    void EraseAllItems() override { files_.clear(); }
    // Each file that is not there: " is not exists!" after its path.
    void ReportMissing(const std::vector<std::string>& paths) override;
    void AfterAdd() override { rows_.HighlightSelection(); }
    // The player stops and takes the newly selected file.
    void AfterRemove() override;
    // A file that plays goes on playing.
    void AfterRemoveAll() override {}
    void MarkModified() override;

    // Sets the player's file: the selected row's, or nothing when no row is selected.
    void LoadSelectedIntoPlayer();
    void LoadIntoPlayer(const std::string& path);
    void UpdatePlayer();

    PageContext context_;
    std::unique_ptr<MediaPlayer> media_;
    std::unique_ptr<AuditionPlayer> player_;
    std::vector<std::string> files_;
    FileListPage rows_;
    bool set_up_ = false;
    bool dragging_position_ = false;
};

}  // namespace gd
