// Opening and rewriting a PE file with the resource editor. Whatever the file, a commit
// either leaves it exactly as it was or gives a file whose resource table holds every
// entry it had (same bytes) plus the ones written.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "resources/byte_source.h"
#include "resources/resource_editor.h"
#include "resources/resource_table.h"

namespace {

using gd::res::ResourceKey;
using gd::res::ResourceName;

ResourceKey Key(uint16_t type, uint16_t id) { return {ResourceName::Id(type), ResourceName::Id(id), gd::res::kLanguageEnUs}; }

// Every entry's bytes by key; a key listed twice keeps all its versions.
std::map<ResourceKey, std::set<std::vector<uint8_t>>> Entries(gd::res::ByteSource& source,
                                                              const gd::res::ResourceTable& table) {
    std::map<ResourceKey, std::set<std::vector<uint8_t>>> entries;
    for (const auto& e : table.entries) {
        auto bytes = gd::res::ReadEntryBytes(source, e);
        gd::fuzz::Require(bool(bytes), "a listed entry can be read");
        entries[e.key].insert(bytes.value());
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> original(data, data + size);
    gd::res::MemorySource source(original);
    auto parsed = gd::res::ParsePeResources(source);

    const std::string path = gd::fuzz::ScratchPath("edited.exe");
    gd::fuzz::WriteFile(path, original);
    gd::res::ResourceEditor editor;
    if (!editor.Open(path)) return 0;
    gd::fuzz::Require(bool(parsed), "the editor opens only what the reader reads");

    const std::vector<uint8_t> config(744, 0x5A), picture = {0xFF, 0xD8, 0xFF, 0xD9};
    const std::map<ResourceKey, std::vector<uint8_t>> written = {{Key(5000, 1), config}, {Key(5100, 1), picture}};
    for (const auto& [key, bytes] : written) {
        gd::fuzz::Require(editor.Write(key.type.id, key.name.id, key.language, bytes), "a write is staged");
    }
    if (!editor.Commit()) {
        gd::fuzz::Require(gd::fuzz::ReadFile(path) == original, "a failed commit leaves the file as it was");
        return 0;
    }

    auto result = gd::res::ReadPeResources(path);
    gd::fuzz::Require(bool(result), "a committed file reads");
    std::vector<uint8_t> edited = gd::fuzz::ReadFile(path);
    gd::res::MemorySource edited_source(edited);
    auto before = Entries(source, parsed->table);
    auto after = Entries(edited_source, result->table);
    for (const auto& [key, bytes] : written) {
        gd::fuzz::Require(after[key] == std::set<std::vector<uint8_t>>{bytes}, "a written entry holds its bytes");
        before.erase(key);
        after.erase(key);
    }
    for (const auto& [key, versions] : after) {
        gd::fuzz::Require(before.count(key) && versions.size() == 1 && before[key].count(*versions.begin()),
                          "a kept entry keeps its bytes");
    }
    gd::fuzz::Require(after.size() == before.size(), "no entry is lost");
    return 0;
}
