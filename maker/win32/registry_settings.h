#pragma once
// The maker's per-user settings in the registry:
// HKEY_CURRENT_USER\Software\Corvane-Tech Software\Glimmerdeck\<section>, numbers as
// DWORD values and texts as strings.

#include <string>

#include "maker/ui/user_settings.h"

namespace gd {

inline constexpr wchar_t kSettingsCompany[] = L"Corvane-Tech Software";
inline constexpr wchar_t kSettingsProgram[] = L"Glimmerdeck";

class RegistrySettings final : public UserSettings {
public:
    // `program` names the key under the company's; tests use one of their own.
    explicit RegistrySettings(std::wstring program = kSettingsProgram);

    std::optional<int32_t> GetInt(std::string_view section, std::string_view key) override;
    std::optional<std::string> GetString(std::string_view section, std::string_view key) override;
    bool SetInt(std::string_view section, std::string_view key, int32_t value) override;
    bool SetString(std::string_view section, std::string_view key, std::string_view value) override;
    void Remove(std::string_view section, std::string_view key) override;
    using UserSettings::GetInt;

    // Deletes the program's whole key (tests clean up with it).
    void RemoveAll();

private:
    std::wstring SectionKey(std::string_view section) const;
    std::wstring root_;
};

}  // namespace gd
