// The install's platform calls on Windows, all through the wide-character functions.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "win32/saver_install.h"

namespace gd {
namespace {

constexpr wchar_t kUserSaverFolder[] = L"\\Glimmerdeck\\Screensavers";

class SystemPlatform final : public InstallPlatform {
public:
    std::wstring SystemFolder() override {
        wchar_t path[MAX_PATH + 1] = {};
        UINT n = GetSystemDirectoryW(path, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
    }

    std::wstring UserFolder() override {
        wchar_t path[MAX_PATH + 1] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
        return std::wstring(path) + kUserSaverFolder;
    }

    bool CanWriteFolder(const std::wstring& folder) override {
        std::wstring probe = folder + L"\\~gd" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
        HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }

    bool CreateFolder(const std::wstring& folder) override {
        int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
        return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
    }

    bool FileExists(const std::wstring& path) override {
        DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    CopyResult CopyReplacing(const std::wstring& from, const std::wstring& to) override {
        if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return CopyResult::kCopied;
        DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD ? CopyResult::kRefused
                                                                                  : CopyResult::kFailed;
    }

    std::wstring ShortPath(const std::wstring& path) override {
        DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
        if (n == 0) return {};
        std::vector<wchar_t> buffer(n + 1, L'\0');
        n = GetShortPathNameW(path.c_str(), buffer.data(), DWORD(buffer.size()));
        return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : std::wstring();
    }

    bool WriteSystemIniSaver(const std::wstring& value) override {
        return WritePrivateProfileStringW(L"boot", L"SCRNSAVE.EXE", value.c_str(), L"system.ini") != FALSE;
    }

    bool WriteUserSaver(const std::wstring& value) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
        bool ok = RegSetValueExW(key, L"SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 bytes) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }

    bool SetScreenSaveActive() override {
        return SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) !=
               FALSE;
    }
};

}  // namespace

InstallPlatform& SystemInstallPlatform() {
    static SystemPlatform platform;
    return platform;
}

}  // namespace gd
