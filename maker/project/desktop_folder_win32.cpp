// The user's desktop folder on Windows, where a new project writes its screensaver.
#include <windows.h>
#include <shlobj.h>

#include "common/utf16.h"
#include "maker/project/desktop_folder.h"

namespace gd {

std::string UserDesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        return Utf16ToUtf8(path);
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return Utf16ToUtf8(path);
    return {};
}

}  // namespace gd
