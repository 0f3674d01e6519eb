#pragma once
// Files dropped from the desktop onto a window of the maker (a page's list): the paths of
// a drop, and a window that hands its drops to a callback.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace gd {

// The paths of a drop (UTF-8), in the order it lists them. The drop stays open.
std::vector<std::string> DroppedPaths(HDROP drop);

// Makes `window` accept dropped files: each drop's paths go to `on_drop`, after the drop
// is released. Lasts as long as the window; false when the window cannot take it.
bool AcceptDroppedFiles(HWND window, std::function<void(const std::vector<std::string>&)> on_drop);

// A drop of `paths` as the shell hands one over (wide names), for tests and for
// programs that pass files along; the caller frees it with GlobalFree unless it hands it
// to a window as WM_DROPFILES, whose receiver releases it.
HDROP MakeFileDrop(const std::vector<std::string>& paths);

}  // namespace gd
