#pragma once
// FileListPage: what the Pictures and Music pages share around their ordered file list.
// The list's Name, Path and Size columns with a type icon per row, the five list
// commands (Add, Remove, Move up, Move down, Remove all) as icon buttons with tooltips
// and as a context menu with the same images, the rows with their files' sizes and the
// totals under the list, the selection, adding files (listed ones skipped, unusable ones
// named), dropping the rows of files a save left out, and the list's keys.
//
// The page keeps its items, one per row in the list's order, and everything beside the
// list; the helper calls it back (FileListOwner) to change the items and after each edit.
// A file's row is listed only when the file opens, which is when its size is read.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "maker/project/input_problems.h"
#include "win32/list_page.h"

namespace gd {

class FileTypeSet;
class Prompter;

// The list commands in the order of the commands' image strip.
enum ListCommand { kListAdd, kListRemove, kListUp, kListDown, kListRemoveAll, kListCommandCount };

// What makes one page's list its own: its controls, texts and units.
struct FileListSetup {
    int list = 0;
    int command_ids[kListCommandCount] = {};  // the buttons' ids, also the menu items'
    const wchar_t* tooltips[kListCommandCount] = {};
    int totals = 0;  // the text under the list
    int types_strip = 0;
    int types_strip_2x = 0;
    const wchar_t* menu = nullptr;  // the context menu's resource, its pop-up first
    const wchar_t* remove_all_question = nullptr;
    ListLetters letters = ListLetters::kIgnored;
    // The row's image in the types strip (I_IMAGENONE for none).
    int (*type_image)(const std::string& path) = nullptr;
    // A file's size as the page counts it, its text in the Size column, and the totals.
    long long (*size_units)(long long bytes) = nullptr;
    std::string (*size_text)(long long units) = nullptr;
    std::string (*totals_text)(size_t count, long long units) = nullptr;
    // The files the page refuses by their content (taken out of `paths`), and the
    // sentence that says which files it takes.
    std::vector<RefusedFile> (*take_refused)(std::vector<std::string>& paths) = nullptr;
    std::string (*types_accepted)() = nullptr;
};

// The page's side of the list.
class FileListOwner {
public:
    virtual const std::string& ItemPath(int row) const = 0;
    // A file AddFiles listed, appended at the end.
    virtual void AddItem(const std::string& path) = 0;
    virtual void SwapItems(int a, int b) = 0;
    virtual void EraseItem(int row) = 0;
    virtual void EraseAllItems() = 0;
    // A key pressed in the list; true when the page used it (the list does not see it).
    virtual bool OnListKey(UINT key) = 0;
    // The files AddFiles could not open, in their order.
    virtual void ReportMissing(const std::vector<std::string>& paths) = 0;
    // After the rows changed: files added, the selected one removed (the selection went
    // to the row a removal selects), all removed (nothing selected).
    virtual void AfterAdd() = 0;
    virtual void AfterRemove() = 0;
    virtual void AfterRemoveAll() = 0;
    virtual void MarkModified() = 0;

protected:
    ~FileListOwner() = default;
};

class FileListPage {
public:
    // Shows `menu` at `screen` and returns the chosen command, 0 for none.
    using MenuTracker = std::function<UINT(HMENU menu, POINT screen)>;

    FileListPage(const FileListSetup& setup, FileListOwner& owner) : setup_(setup), owner_(owner) {}
    ~FileListPage();
    FileListPage(const FileListPage&) = delete;
    FileListPage& operator=(const FileListPage&) = delete;

    // Once the page's dialog exists: the list's look, the commands' images and tooltips,
    // the keys and the context menu.
    void SetUp(HINSTANCE instance, HWND page, Prompter& prompter);
    // The images at the page's DPI (again after it changed).
    void SetImages();
    const ControlTips& tips() const { return tips_; }
    // Gives button `id` the icon, which the page keeps until it is replaced or goes.
    void SetButtonIcon(int id, HICON icon);

    HWND list() const { return GetDlgItem(page_, setup_.list); }
    int count() const { return int(sizes_.size()); }
    int selected() const { return selected_; }
    void Select(int row) { selected_ = row; }
    // The list changing its rows or highlight for the page, not for the user.
    bool changing() const { return changing_ > 0; }
    std::vector<std::string> Paths() const;

    // Appends rows for `paths`, calling `listed(i)` for each path i whose file opened;
    // the paths of the files that did not open.
    std::vector<std::string> AppendRows(const std::vector<std::string>& paths,
                                        const std::function<void(size_t index)>& listed);
    // Takes out every row (the page's items are its own to clear).
    void ClearRows();
    // Highlights `row` alone and shows it (-1: none); the selection itself stays.
    void Highlight(int row);
    void HighlightSelection() { Highlight(selected_); }
    void UpdateTotals();

    // The commands. Adding: listed files are skipped silently; the refused ones (with
    // `refused`, those already left out by their type) are named with their reasons in
    // one message; when nothing is left nothing changes.
    void AddFiles(const std::vector<std::string>& paths, std::vector<RefusedFile> refused = {});
    // Files and folders dropped: the files of `types` among them (a folder's in name
    // order) are added; the others are named with the refused ones.
    void AddDropped(const std::vector<std::string>& dropped, const FileTypeSet& types);
    void RemoveSelected();
    void MoveUp() { Move(-1); }
    void MoveDown() { Move(+1); }
    // Asks first (a warning: nothing is left).
    void RemoveAll();
    // Runs Remove, Move up, Move down or Remove all for its id; false for other ids
    // (adding asks for files in the page's own way).
    bool RunCommand(int id);

    // The context menu's pop-up with the commands the list allows enabled, each with its
    // image; the caller destroys it.
    HMENU MakeContextMenu() const;
    // Shows the context menu at `screen`, or for the keyboard's (-1, -1) under the
    // selected row; the chosen command id, 0 for none. An empty tracker is the system's.
    UINT ChooseFromMenu(POINT screen, const MenuTracker& tracker);

    // For the list's LVN_ITEMCHANGED: the row the list itself selected (not the page's
    // own highlighting), when it is another than the selected one; else -1.
    int RowSelectedByList(const NMHDR& header) const;
    // Answers the list's LVN_GETINFOTIPW: the row's full path (which the Path column may
    // cut), with the lines `more` gives for the row after it, when there are any.
    void FillInfoTip(NMHDR& header, const std::function<std::wstring(int row)>& more = {}) const;

    // After a save that may have dropped missing files: the rows of the files `saved` no
    // longer holds go (their items too) and the selection follows its file; false when
    // no row went.
    bool KeepSaved(const std::vector<std::string>& saved);

private:
    void Move(int by);
    void SetRow(int row);
    void InsertRow(int row);
    void Say(const std::wstring& text) const;

    const FileListSetup& setup_;
    FileListOwner& owner_;
    HINSTANCE instance_ = nullptr;
    HWND page_ = nullptr;
    Prompter* prompter_ = nullptr;
    ControlTips tips_;
    std::vector<long long> sizes_;  // each row's, in the page's units
    int selected_ = -1;
    int changing_ = 0;
    std::vector<std::pair<int, HICON>> icons_;
    HBITMAP menu_images_[kListCommandCount] = {};
};

}  // namespace gd
