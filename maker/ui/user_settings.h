#pragma once
// The maker's per-user settings: numbers and texts by section and key, kept by the
// platform (the registry under "Corvane-Tech Software" on Windows). The tip of the day
// and the recent-project list live here.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

class UserSettings {
public:
    virtual ~UserSettings() = default;
    virtual std::optional<int32_t> GetInt(std::string_view section, std::string_view key) = 0;
    virtual std::optional<std::string> GetString(std::string_view section, std::string_view key) = 0;
    // False when the value could not be stored.
    virtual bool SetInt(std::string_view section, std::string_view key, int32_t value) = 0;
    virtual bool SetString(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void Remove(std::string_view section, std::string_view key) = 0;

    int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) {
        return GetInt(section, key).value_or(fallback);
    }
};

// Settings held in memory only: for tests, and for a program that cannot reach the
// platform's store.
class MemoryUserSettings final : public UserSettings {
public:
    std::optional<int32_t> GetInt(std::string_view section, std::string_view key) override;
    std::optional<std::string> GetString(std::string_view section, std::string_view key) override;
    bool SetInt(std::string_view section, std::string_view key, int32_t value) override;
    bool SetString(std::string_view section, std::string_view key, std::string_view value) override;
    void Remove(std::string_view section, std::string_view key) override;
    using UserSettings::GetInt;

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, int32_t> ints_;
    std::map<Key, std::string> strings_;
};

}  // namespace gd
