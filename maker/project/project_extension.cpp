#include "maker/project/project_extension.h"

#include "maker/project/param_data.h"
#include "maker/project/project_options.h"

namespace gd {
namespace {

bool InBlock(const ProjectOption& o) { return o.file_item == kInExtensionBlock; }

// A block is needed when an option of it differs from what a file without one reads as,
// or when the file read had one with something this version keeps.
bool NeedsBlock(const CParamData& project) {
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o) && NumberOf(project, o.member) != AbsentValue(Option(o.id))) return true;
    return !project.extension.empty();
}

bool IsKnownKey(std::string_view key) {
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o) && Option(o.id).key == key) return true;
    return false;
}

}  // namespace

std::string DamagedExtensionText() {
    std::string keys;
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o)) keys += (keys.empty() ? "" : ", ") + std::string(Option(o.id).key);
    return "The settings at the end of this project file are damaged and were not read; they have the values of "
           "a project saved before them (" + keys + ").";
}

void WriteExtensionBlock(ByteWriter& out, const CParamData& project) {
    if (!NeedsBlock(project)) return;
    std::vector<KeyedEntry> entries;
    bool first = true;
    for (const ProjectOption& o : kProjectOptions) {
        if (!InBlock(o)) continue;
        // The first entry always, as the block has been written since it began; a later
        // one only when it says something, so a block read from an earlier version is
        // written back byte for byte.
        const int64_t value = NumberOf(project, o.member);
        if (first || value != AbsentValue(Option(o.id))) entries.push_back(Int32Entry(Option(o.id).key, int32_t(value)));
        first = false;
    }
    const auto& kept = project.extension.unknown_entries;
    entries.insert(entries.end(), kept.begin(), kept.end());
    out.Bytes(EncodeKeyedRecord(kProjectExtensionMagic, entries));
    out.Bytes(project.extension.trailing);
}

void ReadExtensionBlock(std::span<const uint8_t> rest, CParamData& project, MessageSink& sink) {
    SetAbsentOptions(project);
    project.extension = {};
    if (!StartsWithMagic(kProjectExtensionMagic, rest)) return;  // no block: whatever it is, as always
    auto record = DecodeKeyedRecord(kProjectExtensionMagic, rest);
    if (!record) {
        sink.ShowMessage(DamagedExtensionText());
        return;
    }
    for (const ProjectOption& o : kProjectOptions) {
        if (!InBlock(o)) continue;
        const KeyedEntry* entry = FindEntry(record->entries, Option(o.id).key);
        auto value = entry ? Int32Value(*entry) : std::nullopt;
        if (value && InRange(Option(o.id), *value)) SetNumber(project, o.member, *value);
    }
    for (KeyedEntry& e : record->entries)
        if (!IsKnownKey(e.key)) project.extension.unknown_entries.push_back(std::move(e));
    project.extension.trailing.assign(rest.begin() + std::ptrdiff_t(record->size), rest.end());
}

}  // namespace gd
