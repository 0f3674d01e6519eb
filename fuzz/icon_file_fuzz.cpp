// Icon files as the resource writer reads them: staged into a small program, an icon
// that is accepted becomes its images (ids 1..count) and a group that names them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/byte_io.h"
#include "fuzz/fuzz_support.h"
#include "resources/icon_file.h"
#include "resources/resource_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gd::res;
    const std::string icon = gd::fuzz::ScratchPath("in.ico"), exe = gd::fuzz::ScratchPath("target.exe");
    gd::fuzz::WriteFile(icon, {data, size});
    gd::fuzz::WriteFile(exe, gd::fuzz::MinimalPe());
    if (!ReplaceIcon(icon, exe)) return 0;

    auto result = ReadPeResources(exe);
    gd::fuzz::Require(bool(result), "the program reads after the icon was replaced");
    std::vector<uint8_t> bytes = gd::fuzz::ReadFile(exe);
    MemorySource source(bytes);
    auto read = [&](uint16_t type, uint16_t id) {
        const ResourceEntry* e = result->table.Find(type, id, kLanguageEnUs);
        gd::fuzz::Require(e != nullptr, "an icon entry is there");
        auto content = ReadEntryBytes(source, *e);
        gd::fuzz::Require(bool(content), "an icon entry reads");
        return content.value();
    };
    const uint16_t count = gd::ReadU16(data + 4);
    std::vector<IconDirEntry> entries;
    for (uint16_t i = 0; i < count; ++i) {
        IconDirEntry e = ReadIconDirEntry(data + kIconHeaderSize + size_t(i) * kIconDirEntrySize);
        entries.push_back(e);
        std::vector<uint8_t> image(data + e.image_offset, data + e.image_offset + e.bytes_in_image);
        gd::fuzz::Require(read(kTypeIcon, uint16_t(i + 1)) == image, "an image holds the file's bytes");
    }
    IconHeader header{gd::ReadU16(data), gd::ReadU16(data + 2), count};
    gd::fuzz::Require(read(kTypeGroupIcon, kIconGroupId) == BuildIconGroup(header, entries), "the group names the images");
    return 0;
}
