#include "runtime/win32/module_resources.h"

namespace gd {

std::optional<std::span<const uint8_t>> ModuleResources::Find(uint16_t type, uint16_t id) const {
    HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!info) return std::nullopt;
    HGLOBAL handle = LoadResource(module_, info);
    if (!handle) return std::nullopt;
    const void* data = LockResource(handle);
    DWORD size = SizeofResource(module_, info);
    if (!data && size > 0) return std::nullopt;
    return std::span<const uint8_t>(static_cast<const uint8_t*>(data), size);
}

}  // namespace gd
