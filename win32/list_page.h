#pragma once
// The plumbing of a page built around an ordered file list (a report list view with
// Name, Path and Size columns, icon buttons beside it, a context menu): the columns
// fitted to the list, the buttons' tooltips and accessible names, the rows' cells, the
// selection's highlight, the keys the page handles itself, and the files' sizes. Each
// page keeps only what is its own.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace gd {

struct ListColumn {
    const wchar_t* title;
    int width;  // at 96 DPI
    int format = LVCFMT_LEFT;
};

// Adds the columns at `dpi`. Column `flexible` gives up the width the list does not have
// (down to 80 pixels at 96 DPI), so the columns after it stay in view at every DPI and
// font size.
void AddListColumns(HWND list, std::span<const ListColumn> columns, int flexible, UINT dpi);

// A tooltip window for the controls of `owner`.
HWND CreateTooltips(HINSTANCE instance, HWND owner);
// Gives `control` the tooltip `text`; an icon-only button also gets it as its window
// text, which screen readers read as its name (the icon hides the text on screen).
void AddTooltip(HWND tooltips, HWND owner, HWND control, const wchar_t* text);

// The tooltips of one dialog's controls, reached by their ids. The tooltip window is a
// pop-up owned by the dialog and goes with it.
class ControlTips {
public:
    void Create(HINSTANCE instance, HWND dialog);
    void Add(int id, const wchar_t* text) const;
    HWND window() const { return tips_; }

private:
    HWND dialog_ = nullptr;
    HWND tips_ = nullptr;
};

// Sets the text of one cell.
void SetListCell(HWND list, int row, int column, const std::wstring& text);
// Selects, focuses and shows `row` and nothing else; -1 clears the selection.
void HighlightListRow(HWND list, int row);
// Where a context menu opens: at `screen`, or for the keyboard's request (-1, -1) under
// the selected row's label, else at the list's corner.
POINT ListMenuPoint(HWND list, int selected, POINT screen);
// The row under a point on the screen, or -1.
int ListRowAt(HWND list, POINT screen);

// What typing a letter in the list does.
enum class ListLetters {
    kIgnored,     // nothing: the page keeps the selection
    kJumpToRow,   // the list selects the next row whose name starts with it
};

// Sends the list's WM_KEYDOWN to `on_key` first; a key it used (true) does not reach the
// list. Typing a letter does what `letters` says.
void HandleListKeys(HWND list, std::function<bool(UINT key)> on_key, ListLetters letters = ListLetters::kIgnored);

// The length of a file that opens for reading; nothing when it does not open.
std::optional<long long> OpenedFileSize(const std::string& path);

}  // namespace gd
