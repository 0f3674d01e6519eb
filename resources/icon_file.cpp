#include "resources/icon_file.h"

#include "common/byte_io.h"
#include "resources/binary_file.h"

namespace gd::res {

namespace {

bool Fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

}  // namespace

IconDirEntry ReadIconDirEntry(const uint8_t* p) {
    return {p[0], p[1], p[2], p[3], ReadU16(p + 4), ReadU16(p + 6), ReadU32(p + 8), ReadU32(p + 12)};
}

std::vector<uint8_t> BuildIconGroup(const IconHeader& header, std::span<const IconDirEntry> entries) {
    ByteWriter w;
    w.U16(header.reserved);
    w.U16(header.type);
    w.U16(header.count);
    uint16_t id = 1;
    for (const auto& e : entries) {
        w.U8(e.width);
        w.U8(e.height);
        w.U8(e.color_count);
        w.U8(e.reserved);
        w.U16(e.planes);
        w.U16(e.bit_count);
        w.U32(e.bytes_in_image);
        w.U16(id++);
    }
    return w.Take();
}

bool StageIcon(const std::string& icon_path, ResourceEditor& editor, std::string* error) {
    BinaryFile file;
    if (!file.Open(icon_path, BinaryFile::Mode::kRead)) return Fail(error, "cannot open " + icon_path);
    uint64_t file_size = file.Size();
    uint8_t head[kIconHeaderSize];
    if (!file.ReadAt(0, head)) return Fail(error, icon_path + ": truncated icon header");
    IconHeader header{ReadU16(head), ReadU16(head + 2), ReadU16(head + 4)};
    std::vector<uint8_t> directory(size_t(header.count) * kIconDirEntrySize);
    if (!file.ReadAt(kIconHeaderSize, directory)) return Fail(error, icon_path + ": truncated icon directory");
    std::vector<IconDirEntry> entries;
    for (uint16_t i = 0; i < header.count; ++i) entries.push_back(ReadIconDirEntry(directory.data() + i * kIconDirEntrySize));

    std::vector<uint8_t> image;
    for (uint16_t i = 0; i < header.count; ++i) {
        const auto& e = entries[i];
        // The size is checked against the file before anything is allocated for it.
        if (e.image_offset > file_size || e.bytes_in_image > file_size - e.image_offset)
            return Fail(error, icon_path + ": icon image " + std::to_string(i + 1) + " extends past the end of the file");
        image.resize(e.bytes_in_image);
        if (!file.ReadAt(e.image_offset, image))
            return Fail(error, icon_path + ": cannot read icon image " + std::to_string(i + 1));
        if (!editor.Write(kTypeIcon, uint16_t(i + 1), kLanguageEnUs, image)) return Fail(error, editor.error());
    }
    if (!editor.Write(kTypeGroupIcon, kIconGroupId, kLanguageEnUs, BuildIconGroup(header, entries)))
        return Fail(error, editor.error());
    return true;
}

bool ReplaceIcon(const std::string& icon_path, const std::string& exe_path, std::string* error) {
    ResourceEditor editor;
    if (!editor.Open(exe_path)) return Fail(error, editor.error());
    std::string stage_error;
    bool staged = StageIcon(icon_path, editor, &stage_error);
    if (!staged && editor.pending_writes() == 0) {
        editor.Discard();  // the file stays untouched
        return Fail(error, stage_error);
    }
    bool committed = editor.Commit();
    if (!staged) return Fail(error, stage_error);
    return committed || Fail(error, editor.error());
}

}  // namespace gd::res
