// payload_compare A B: do two made screensavers carry the same payload? Every resource
// entry must be there in both with the same bytes, except that the configuration record
// may differ in its identifier and its build time (fresh in every build). Prints each
// difference; exit code 0 when there is none, 1 when there is, 2 when a file is unreadable.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/resource_types.h"
#include "resources/byte_source.h"
#include "resources/resource_table.h"

namespace {

using Entries = std::map<gd::res::ResourceKey, std::vector<uint8_t>>;

// The parts of the configuration record that differ between any two builds.
struct Range {
    size_t begin, end;
};
constexpr Range kFreshFields[] = {{0, 36}, {456, 476}};

bool ReadEntries(const char* path, Entries& entries) {
    auto pe = gd::res::ReadPeResources(path);
    auto source = gd::res::FileSource::Open(path);
    if (!pe || !source) {
        std::fprintf(stderr, "%s: %s\n", path, pe ? "cannot be opened" : pe.error().c_str());
        return false;
    }
    for (const auto& e : pe->table.entries) {
        auto bytes = gd::res::ReadEntryBytes(*source, e);
        if (!bytes) {
            std::fprintf(stderr, "%s: entry %s/%s: %s\n", path, e.key.type.ToString().c_str(),
                         e.key.name.ToString().c_str(), bytes.error().c_str());
            return false;
        }
        entries[e.key] = std::move(bytes.value());
    }
    return true;
}

std::string Name(const gd::res::ResourceKey& key) {
    return "type " + key.type.ToString() + " id " + key.name.ToString() + " language " + std::to_string(key.language);
}

void MaskFreshFields(std::vector<uint8_t>& config) {
    for (const Range& r : kFreshFields)
        for (size_t i = r.begin; i < r.end && i < config.size(); ++i) config[i] = 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: payload_compare A B\n");
        return 2;
    }
    Entries a, b;
    if (!ReadEntries(argv[1], a) || !ReadEntries(argv[2], b)) return 2;
    int differences = 0;
    for (auto& [key, bytes] : a) {
        auto other = b.find(key);
        if (other == b.end()) {
            std::printf("only in %s: %s\n", argv[1], Name(key).c_str());
            ++differences;
            continue;
        }
        if (key.type.is_id(gd::RT_SAVER_CONFIG)) {
            MaskFreshFields(bytes);
            MaskFreshFields(other->second);
        }
        if (bytes != other->second) {
            std::printf("differs: %s (%zu and %zu bytes)\n", Name(key).c_str(), bytes.size(), other->second.size());
            ++differences;
        }
    }
    for (const auto& [key, bytes] : b) {
        if (!a.count(key)) {
            std::printf("only in %s: %s\n", argv[2], Name(key).c_str());
            ++differences;
        }
    }
    std::printf("%zu entries compared, %d differences\n", a.size(), differences);
    return differences == 0 ? 0 : 1;
}
