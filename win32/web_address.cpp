#include "win32/web_address.h"

#include <shellapi.h>

#include <vector>

namespace gd {
namespace {

class SystemPlatform final : public WebOpenPlatform {
public:
    intptr_t ShellOpen(const std::wstring& address, int show) override {
        return intptr_t(ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, show));
    }

    std::optional<std::wstring> ClassDefaultValue(const std::wstring& key) override {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::optional<std::wstring> value;
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
            if (RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) ==
                ERROR_SUCCESS) {
                value = std::wstring(buffer.data());
            }
        }
        RegCloseKey(handle);
        return value;
    }

    intptr_t StartCommand(const std::wstring& command_line, int show) override {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = WORD(show);
        PROCESS_INFORMATION process{};
        std::wstring writable = command_line;
        if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            // The platform's error numbers for a missing file or path, a bad image or no
            // memory are the same numbers the address opener reports.
            DWORD error = GetLastError();
            if (error == ERROR_BAD_EXE_FORMAT) return 11;
            return error > 32 ? 0 : intptr_t(error);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return 33;
    }
};

}  // namespace

WebOpenPlatform& SystemWebOpenPlatform() {
    static SystemPlatform platform;
    return platform;
}

std::wstring BrowserCommandLine(const std::wstring& command, const std::wstring& address) {
    std::wstring cut = command;
    size_t quoted = cut.find(L"\"%1\"");
    if (quoted != std::wstring::npos) {
        cut.resize(quoted);
    } else if (size_t bare = cut.find(L"%1"); bare != std::wstring::npos) {
        cut.resize(bare);
    }
    return cut + L" " + address;
}

intptr_t OpenWebAddress(const std::wstring& address, int show, WebOpenPlatform& platform) {
    intptr_t result = platform.ShellOpen(address, show);
    if (result > 32) return result;
    std::optional<std::wstring> file_class = platform.ClassDefaultValue(L".htm");
    if (!file_class) return result;
    std::optional<std::wstring> command = platform.ClassDefaultValue(*file_class + L"\\shell\\open\\command");
    if (!command) return result;
    return platform.StartCommand(BrowserCommandLine(*command, address), show);
}

std::wstring HyperlinkErrorText(intptr_t result) {
    switch (result) {
        case 0: return L"The operating system is out\nof memory or resources.";
        case 2: return L"The specified file was not found.";
        case 3: return L"The specified path was not found.";
        case 5: return L"The operating system denied\naccess to the specified file.";
        case 8: return L"There was not enough memory to complete the operation.";
        case 11: return L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 27: return L"The filename association is\nincomplete or invalid.";
        case 28: return L"The DDE transaction could not\nbe completed because the request timed out.";
        case 29: return L"The DDE transaction failed.";
        case 30:
            return L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
                   L"processed.";
        case 31: return L"There is no application associated\nwith the given filename extension.";
        case 32: return L"The specified dynamic-link library was not found.";
        default: return L"Unknown Error (" + std::to_wstring(result) + L") occurred.";
    }
}

}  // namespace gd
