#pragma once
// The extension block of a project file: the home of the options the fixed layout has
// no item for, written after its last item (the 64 reserved bytes). It is a keyed record
// (common/keyed_record.h) with the magic "GDPX": an entry per option whose project file
// item is kInExtensionBlock (project_options.h), keyed by the option's key and typed by
// its kind (numbers are int32 entries). bMovePicture is its first entry and always
// there; a later option has an entry only when its value differs from what a file
// without it stands for. A font's face name that its fixed field cannot keep whole (more
// than 31 bytes, in UTF-8 when it is no Western name) has a UTF-16 text entry,
// "lfBanner.lfFaceName" or "pictureList[N].lfCaptionFont.lfFaceName"; an older reader
// keeps the field's start of it.
//
// Compatibility rules:
//   - A file without the block (every file written before it) reads as it always did;
//     the options of the block take the values a block-less file stands for, which
//     play as a project saved before them did (AbsentValue of the options table:
//     bMovePicture 1, nEffectCount 44, the show's newer options off). A new project
//     starts from the table's defaults instead, so it writes a block.
//   - The block is written only when it has something to say: an option of the block
//     that differs from that value, or something kept from the file that was read. A
//     project that uses no new setting is written byte for byte as before.
//   - Entries this version does not know are kept and written back after the known
//     ones; so are the bytes after the block (where a later version may put more). A
//     known entry of another type, or out of its option's range, is dropped: its option
//     takes the block-less value.
//   - Bytes after the last item that do not begin with the magic are no block: they are
//     skipped, as they always were, and not written back.
//   - A block whose framing is broken is ignored whole, with a message; the project
//     itself, read from the fixed items, opens all the same (failing the whole file for
//     a damaged extension would lose a project that is intact), and the next save
//     writes a sound block, or none.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "common/keyed_record.h"
#include "maker/project/message_sink.h"

namespace gd {

class CParamData;

inline constexpr RecordMagic kProjectExtensionMagic = {'G', 'D', 'P', 'X'};

// What a project keeps from the block of the file it was read from, to write it back.
struct ExtensionKept {
    std::vector<KeyedEntry> unknown_entries;
    std::vector<uint8_t> trailing;  // the bytes after the block

    bool empty() const { return unknown_entries.empty() && trailing.empty(); }
    friend bool operator==(const ExtensionKept&, const ExtensionKept&) = default;
};

// Writes the block, when the project needs one, at the end of the file.
void WriteExtensionBlock(ByteWriter& out, const CParamData& project);

// Reads what follows the last fixed item into the options of the block and the kept
// parts of `project`; a damaged block is reported to `sink` and ignored.
void ReadExtensionBlock(std::span<const uint8_t> rest, CParamData& project, MessageSink& sink);

// The message for a damaged block.
std::string DamagedExtensionText();

}  // namespace gd
