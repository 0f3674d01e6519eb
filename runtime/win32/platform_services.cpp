#include "runtime/win32/platform_services.h"

namespace gd {
namespace {

bool ReadRegistryNumber(HKEY key, const char* name, uint32_t& value) {
    uint8_t data[4] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data, &size) != ERROR_SUCCESS || size != 4) return false;
    value = uint32_t(data[0]) | (uint32_t(data[1]) << 8) | (uint32_t(data[2]) << 16) | (uint32_t(data[3]) << 24);
    return true;
}

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

}  // namespace

ScreenSaverValues ReadScreenSaverValues() {
    ScreenSaverValues values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    uint32_t number = 0;
    if (ReadRegistryNumber(key, "Password Delay", number)) values.password_delay_s = number;
    if (ReadRegistryNumber(key, "Mouse Threshold", number)) {
        // A negative threshold would count every mouse message, even one without any
        // movement, and end the show as soon as it starts.
        values.mouse_threshold = int32_t(number) < 0 ? 0 : int32_t(number);
    }
    RegCloseKey(key);
    return values;
}

bool PasswordCheckAsks() { return !IsNtFamily(); }

bool VerifyPassword(HWND window) {
    if (IsNtFamily()) return true;
    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (!library) return true;
    using VerifyFn = BOOL(WINAPI*)(HWND);
    auto verify = reinterpret_cast<VerifyFn>(reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
    bool accepted = verify ? verify(window) != FALSE : true;
    FreeLibrary(library);
    return accepted;
}

void ChangePassword(HWND owner) {
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library) return;
    using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, UINT, UINT);
    auto change = reinterpret_cast<ChangeFn>(reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change) change("SCRSAVE", owner, 0, 0);
    FreeLibrary(library);
}

int PlatformMajorVersion() { return int(GetVersion() & 0xFF); }

}  // namespace gd
