#include "maker/win32/file_drop.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "maker/win32/ui_text.h"

namespace gd {

namespace {

constexpr UINT_PTR kDropSubclass = 0x44524F50;  // "DROP"

using DropHandler = std::function<void(const std::vector<std::string>&)>;

LRESULT CALLBACK DropSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                  DWORD_PTR data) {
    auto* handler = reinterpret_cast<DropHandler*>(data);
    switch (message) {
    case WM_DROPFILES: {
        HDROP drop = HDROP(wparam);
        std::vector<std::string> paths = DroppedPaths(drop);
        DragFinish(drop);
        if (!paths.empty()) (*handler)(paths);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &DropSubclassProc, id);
        delete handler;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    paths.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(size_t(length) + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        if (!path.empty()) paths.push_back(Utf8(path));
    }
    return paths;
}

bool AcceptDroppedFiles(HWND window, std::function<void(const std::vector<std::string>&)> on_drop) {
    auto* handler = new DropHandler(std::move(on_drop));
    if (!SetWindowSubclass(window, &DropSubclassProc, kDropSubclass, DWORD_PTR(handler))) {
        delete handler;
        return false;
    }
    DragAcceptFiles(window, TRUE);
    return true;
}

HDROP MakeFileDrop(const std::vector<std::string>& paths) {
    // DROPFILES, then each name with its NUL, then one more NUL.
    std::wstring names;
    for (const std::string& path : paths) {
        names += Wide(path);
        names += L'\0';
    }
    names += L'\0';
    if (paths.empty()) names += L'\0';  // an empty list still ends in two NULs
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return HDROP(memory);
}

}  // namespace gd
