#include "maker/ui/user_settings.h"

namespace gd {

std::optional<int32_t> MemoryUserSettings::GetInt(std::string_view section, std::string_view key) {
    auto it = ints_.find({std::string(section), std::string(key)});
    if (it == ints_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> MemoryUserSettings::GetString(std::string_view section, std::string_view key) {
    auto it = strings_.find({std::string(section), std::string(key)});
    if (it == strings_.end()) return std::nullopt;
    return it->second;
}

bool MemoryUserSettings::SetInt(std::string_view section, std::string_view key, int32_t value) {
    Key k{std::string(section), std::string(key)};
    strings_.erase(k);
    ints_[k] = value;
    return true;
}

bool MemoryUserSettings::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Key k{std::string(section), std::string(key)};
    ints_.erase(k);
    strings_[k] = std::string(value);
    return true;
}

void MemoryUserSettings::Remove(std::string_view section, std::string_view key) {
    Key k{std::string(section), std::string(key)};
    ints_.erase(k);
    strings_.erase(k);
}

}  // namespace gd
