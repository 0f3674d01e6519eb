#pragma once
// The check-box list of the 44 effects that both programs show (the maker's Effects page,
// a made screensaver's settings dialog): a report list with check boxes and full-row
// selection, one column, row r for effect r + 1 in the order of the effect table.

#include <windows.h>

#include <span>
#include <string_view>

namespace gd {

// Sets the list up and fills it with the effect names (row r: names[r], in the code
// page), every row unchecked.
void FillEffectList(HWND list, std::span<const std::string_view> names);
int EffectRowCount(HWND list);
bool IsEffectRowChecked(HWND list, int row);
void SetEffectRowChecked(HWND list, int row, bool checked);
// The selected row, or -1.
int SelectedEffectRow(HWND list);
// Selects and focuses `row` and scrolls it into view; -1 takes away every selection.
void SelectEffectRow(HWND list, int row);

}  // namespace gd
