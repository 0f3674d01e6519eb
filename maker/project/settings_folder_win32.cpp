#include <windows.h>
#include <shlobj.h>

#include "common/utf16.h"
#include "maker/project/settings_folder.h"

namespace gd {

std::string MakerSettingsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return Utf16ToUtf8(path) + "\\Glimmerdeck";
}

}  // namespace gd
