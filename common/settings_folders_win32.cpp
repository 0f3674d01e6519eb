#include <windows.h>
#include <shlobj.h>

#include "common/saver_settings_file.h"

namespace gd {

SettingsFolders PlatformSettingsFolders() {
    SettingsFolders folders;
    char path[MAX_PATH + 1] = {};
    UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) folders.system_dir = path;
    char user[MAX_PATH + 1] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, user))) folders.user_dir = user;
    return folders;
}

}  // namespace gd
