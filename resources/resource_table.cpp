#include "resources/resource_table.h"

#include <set>

#include "common/byte_io.h"

namespace gd::res {

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint32_t kDirectoryHeaderSize = 16;
constexpr uint32_t kDirectoryEntrySize = 8;
constexpr uint32_t kDataEntrySize = 16;

// Walks the three levels of the tree. Offsets are relative to the start of the resource
// data and checked against `limit`, the readable bytes from there. A subdirectory met
// twice makes the file invalid: real trees never share nodes, and refusing them bounds
// the walk by the size of the section (no loops, no blow-up).
class TreeWalker {
public:
    TreeWalker(ByteSource& source, const PeHeaders& headers, uint64_t base, uint64_t limit)
        : source_(source), headers_(headers), base_(base), limit_(limit) {}

    bool Walk(uint32_t offset, int level, ResourceKey& key, std::vector<ResourceEntry>& out) {
        if (!visited_.insert(offset).second) return Fail("resource directory visited twice");
        uint8_t header[kDirectoryHeaderSize];
        if (!Read(offset, header)) return Fail("resource directory outside the section");
        uint32_t count = uint32_t(ReadU16(header + 12)) + ReadU16(header + 14);
        uint32_t first = offset + kDirectoryHeaderSize;
        if (uint64_t(first) + uint64_t(count) * kDirectoryEntrySize > limit_)
            return Fail("resource directory entries outside the section");
        for (uint32_t i = 0; i < count; ++i) {
            uint8_t entry[kDirectoryEntrySize];
            if (!Read(first + i * kDirectoryEntrySize, entry)) return Fail("truncated resource directory");
            ResourceName name;
            if (!ReadName(ReadU32(entry), name)) return false;
            if (level == 0) key.type = name;
            else if (level == 1) key.name = name;
            else if (name.is_text) return Fail("resource language given as a name");
            else key.language = name.id;
            uint32_t target = ReadU32(entry + 4);
            bool is_directory = (target & kHighBit) != 0;
            if (is_directory != (level < 2)) return Fail("resource tree is not three levels deep");
            if (is_directory ? !Walk(target & ~kHighBit, level + 1, key, out) : !ReadLeaf(target, key, out))
                return false;
        }
        return true;
    }

    const std::string& error() const { return error_; }

private:
    bool Read(uint64_t offset, std::span<uint8_t> out) {
        return offset + out.size() <= limit_ && source_.ReadAt(base_ + offset, out);
    }
    bool Fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    bool ReadName(uint32_t field, ResourceName& name) {
        if (!(field & kHighBit)) {
            if (field > 0xffff) return Fail("resource id out of range");
            name = ResourceName::Id(uint16_t(field));
            return true;
        }
        uint32_t at = field & ~kHighBit;
        uint8_t length[2];
        if (!Read(at, length)) return Fail("resource name outside the section");
        std::vector<uint8_t> units(size_t(ReadU16(length)) * 2);
        if (!Read(uint64_t(at) + 2, units)) return Fail("resource name outside the section");
        std::u16string text;
        for (size_t i = 0; i < units.size(); i += 2) text.push_back(char16_t(ReadU16(units.data() + i)));
        name = ResourceName::Text(std::move(text));
        return true;
    }

    bool ReadLeaf(uint32_t offset, const ResourceKey& key, std::vector<ResourceEntry>& out) {
        uint8_t data[kDataEntrySize];
        if (!Read(offset, data)) return Fail("resource data entry outside the section");
        ResourceEntry e{key, ReadU32(data), ReadU32(data + 4), ReadU32(data + 8), 0};
        auto at = headers_.RvaToOffset(e.data_rva, e.size);
        if (!at) return Fail("resource data outside the file");
        e.file_offset = *at;
        out.push_back(std::move(e));
        return true;
    }

    ByteSource& source_;
    const PeHeaders& headers_;
    uint64_t base_;
    uint64_t limit_;
    std::set<uint32_t> visited_;
    std::string error_;
};

}  // namespace

const ResourceEntry* ResourceTable::Find(uint16_t type, uint16_t id, std::optional<uint16_t> language) const {
    for (const auto& e : entries)
        if (e.key.type.is_id(type) && e.key.name.is_id(id) && (!language || e.key.language == *language)) return &e;
    return nullptr;
}

Result<ResourceTable> ParseResourceTable(ByteSource& source, const PeHeaders& headers) {
    using R = Result<ResourceTable>;
    ResourceTable table;
    DataDirectory dir = headers.directory(kResourceDirectory);
    if (dir.rva == 0) return table;  // no resources at all
    auto section = headers.SectionOf(dir.rva);
    if (!section) return R::Fail("resource directory outside every section");
    const auto& s = headers.sections[*section];
    uint64_t within = dir.rva - s.virtual_address;
    uint64_t readable = std::min<uint64_t>(s.raw_size, s.virtual_size ? s.virtual_size : s.raw_size);
    if (within >= readable) return R::Fail("resource directory outside the section's data");
    uint64_t base = s.raw_offset + within;
    uint64_t limit = std::min(readable - within, base < source.size() ? source.size() - base : 0);
    TreeWalker walker(source, headers, base, limit);
    ResourceKey key;
    if (!walker.Walk(0, 0, key, table.entries)) return R::Fail(walker.error());
    return table;
}

Result<PeResources> ParsePeResources(ByteSource& source) {
    auto headers = ParsePeHeaders(source);
    if (!headers) return Result<PeResources>::Fail(headers.error());
    auto table = ParseResourceTable(source, headers.value());
    if (!table) return Result<PeResources>::Fail(table.error());
    return PeResources{std::move(headers.value()), std::move(table.value())};
}

Result<PeResources> ReadPeResources(const std::string& path) {
    auto source = FileSource::Open(path);
    if (!source) return Result<PeResources>::Fail("cannot open " + path);
    return ParsePeResources(*source);
}

Result<std::vector<uint8_t>> ReadEntryBytes(ByteSource& source, const ResourceEntry& entry) {
    using R = Result<std::vector<uint8_t>>;
    if (!source.Holds(entry.file_offset, entry.size)) return R::Fail("resource data outside the file");
    std::vector<uint8_t> bytes(entry.size);
    if (!source.ReadAt(entry.file_offset, bytes)) return R::Fail("cannot read resource data");
    return bytes;
}

}  // namespace gd::res
