#pragma once
// The profile store implemented over plain files, with the platform's reading rules.
// Paths are the programs' own text (common/native_path.h); values pass byte for byte.

#include "common/profile_store.h"

namespace gd {

class PortableProfileStore final : public ProfileStore {
public:
    int32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                    int32_t fallback) override;
    std::string ReadString(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view fallback, size_t capacity) override;
    bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool Exists(const std::string& path) override;
    bool Remove(const std::string& path) override;
};

}  // namespace gd
