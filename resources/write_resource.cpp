#include "resources/write_resource.h"

#include "resources/resource_editor.h"

namespace gd::res {

bool WriteResource(const std::string& path, uint16_t type, uint16_t id, std::span<const uint8_t> bytes,
                   std::string* error) {
    ResourceEditor editor;
    bool ok = editor.Open(path) && editor.Write(type, id, kLanguageEnUs, bytes) && editor.Commit();
    if (!ok && error) *error = editor.error();
    return ok;
}

}  // namespace gd::res
