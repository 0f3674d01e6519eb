#include "maker/win32/registry_settings.h"

#include <windows.h>

#include <vector>

#include "maker/win32/ui_text.h"

namespace gd {

namespace {

// An open registry key, closed when it goes.
class Key {
public:
    Key(const std::wstring& path, bool create) {
        LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                               nullptr, &key_, nullptr)
                             : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

RegistrySettings::RegistrySettings(std::wstring program)
    : root_(std::wstring(L"Software\\") + kSettingsCompany + L"\\" + program) {}

std::wstring RegistrySettings::SectionKey(std::string_view section) const { return root_ + L"\\" + Wide(section); }

std::optional<int32_t> RegistrySettings::GetInt(std::string_view section, std::string_view key) {
    Key k(SectionKey(section), false);
    if (!k) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(k.get(), Wide(key).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return int32_t(value);
}

std::optional<std::string> RegistrySettings::GetString(std::string_view section, std::string_view key) {
    Key k(SectionKey(section), false);
    if (!k) return std::nullopt;
    std::wstring name = Wide(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return Utf8(buffer.data());  // the stored text may or may not end in a NUL
}

bool RegistrySettings::SetInt(std::string_view section, std::string_view key, int32_t value) {
    Key k(SectionKey(section), true);
    DWORD data = DWORD(value);
    return k && RegSetValueExW(k.get(), Wide(key).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                               sizeof data) == ERROR_SUCCESS;
}

bool RegistrySettings::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Key k(SectionKey(section), true);
    std::wstring data = Wide(value);
    return k && RegSetValueExW(k.get(), Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               DWORD((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void RegistrySettings::Remove(std::string_view section, std::string_view key) {
    if (Key k(SectionKey(section), false); k) RegDeleteValueW(k.get(), Wide(key).c_str());
}

void RegistrySettings::RemoveAll() { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

}  // namespace gd
