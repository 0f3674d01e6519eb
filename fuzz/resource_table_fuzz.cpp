// libFuzzer target: the PE header and resource table parser on arbitrary bytes. Every
// entry it accepts must lie inside the input.
#include <cstdint>
#include <cstdlib>

#include "resources/resource_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gd::res::MemorySource source({data, size});
    auto parsed = gd::res::ParsePeResources(source);
    if (!parsed) return 0;
    for (const auto& e : parsed->table.entries) {
        if (e.file_offset > size || e.size > size - e.file_offset) std::abort();
        auto bytes = gd::res::ReadEntryBytes(source, e);
        if (!bytes) std::abort();
    }
    return 0;
}
