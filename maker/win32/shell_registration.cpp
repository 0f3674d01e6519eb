#include "maker/win32/shell_registration.h"

#include <windows.h>
#include <shlobj.h>

namespace gd {

namespace {

bool SetDefaultValue(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    std::wstring path = L"Software\\Classes\\" + key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return ok;
}

// The default value of a key of the merged file classes (the machine's and the user's).
std::wstring ClassValue(const std::wstring& key) {
    wchar_t value[1024] = {};
    LONG size = sizeof value;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
    return value;
}

}  // namespace

bool RegisterProjectFileType(const std::wstring& program) {
    std::wstring type = kProjectFileType;
    std::wstring command = L"\"" + program + L"\" \"%1\"";
    // Already ours (the installer registers it for every user): nothing to add for this
    // user that an uninstall would leave behind.
    if (ClassValue(L".psm") == type && ClassValue(type + L"\\shell\\open\\command") == command) return true;
    bool ok = SetDefaultValue(L".psm", type);
    ok = SetDefaultValue(type, L"Glimmerdeck Project") && ok;
    ok = SetDefaultValue(type + L"\\DefaultIcon", L"\"" + program + L"\",0") && ok;
    ok = SetDefaultValue(type + L"\\shell\\open\\command", command) && ok;
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ok;
}

}  // namespace gd
