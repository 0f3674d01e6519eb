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

}  // namespace

bool RegisterProjectFileType(const std::wstring& program) {
    std::wstring type = kProjectFileType;
    bool ok = SetDefaultValue(L".psm", type);
    ok = SetDefaultValue(type, L"Glimmerdeck Project") && ok;
    ok = SetDefaultValue(type + L"\\DefaultIcon", L"\"" + program + L"\",0") && ok;
    ok = SetDefaultValue(type + L"\\shell\\open\\command", L"\"" + program + L"\" \"%1\"") && ok;
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ok;
}

}  // namespace gd
