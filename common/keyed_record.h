#pragma once
// The keyed-entry record that carries settings beyond the fixed layouts: the show extras
// of a made screensaver (resource RT_SAVER_EXTRAS) and the extension block at the end of
// a project file. Both use this one encoding, each with a magic of its own.
//
// Layout, little-endian, no padding:
//
//   offset  size  field
//   0       4     magic: four ASCII letters naming the record's kind
//   4       2     version of the framing: 1
//   6       2     header size in bytes, at least 12 (fields a later framing adds to the
//                 header go after these; a reader skips them)
//   8       4     total size in bytes, header included; anything after it is not part of
//                 the record
//   12      ...   entries, one after the other, filling the record to its total size:
//                   1  key length k, 1..64
//                   k  key: printable ASCII without blanks, the option's key as
//                      `glimmerdeck show` prints it ("bMovePicture"); no two entries
//                      have the same key
//                   1  type: 1 int32, 2 UTF-16LE text, 3 bytes; other values are types
//                      a later writer may add
//                   4  value length n
//                   n  value (an int32 is 4 bytes; a text has no terminator)
//
// Compatibility rules. A new setting is a new entry: it needs no new version, and a
// reader that does not know a key or a type skips that entry (the project file keeps it
// and writes it back). The version changes only if this framing itself changes; a reader
// refuses a version it does not know. A record whose framing is broken (a size that runs
// past the bytes or past the record, a bad key, the same key twice, a version of 0 or
// above 1) is refused whole: none of its entries is used.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

using RecordMagic = std::array<char, 4>;

constexpr uint16_t kKeyedRecordVersion = 1;
constexpr size_t kKeyedRecordHeaderSize = 12;
constexpr size_t kMaxEntryKeyLength = 64;

enum class EntryType : uint8_t { kInt32 = 1, kText16 = 2, kBytes = 3 };

struct KeyedEntry {
    std::string key;
    uint8_t type = 0;  // an EntryType, or a type this version does not know
    std::vector<uint8_t> value;

    friend bool operator==(const KeyedEntry&, const KeyedEntry&) = default;
};

KeyedEntry Int32Entry(std::string_view key, int32_t value);
// The entry's number when it is an int32 of 4 bytes; nothing for any other type or size.
std::optional<int32_t> Int32Value(const KeyedEntry& entry);

// A text entry: the UTF-8 text as UTF-16LE without a terminator (see unicode_text.h for
// how bytes that are not UTF-8 survive).
KeyedEntry Text16Entry(std::string_view key, std::string_view utf8);
// The entry's text in UTF-8 when it is a text of whole UTF-16 units; nothing for any other
// type or an odd size.
std::optional<std::string> Text16Value(const KeyedEntry& entry);

// The record holding `entries` in their order. The caller gives valid, distinct keys.
std::vector<uint8_t> EncodeKeyedRecord(const RecordMagic& magic, const std::vector<KeyedEntry>& entries);

struct KeyedRecord {
    std::vector<KeyedEntry> entries;
    size_t size = 0;  // the record's total size: where the bytes after it begin
};

// Reads the record at the start of `bytes` (which may go on past it); nothing when the
// magic differs or the framing is broken.
std::optional<KeyedRecord> DecodeKeyedRecord(const RecordMagic& magic, std::span<const uint8_t> bytes);

// True when `bytes` begins with `magic`: a record of this kind, intact or not.
bool StartsWithMagic(const RecordMagic& magic, std::span<const uint8_t> bytes);

// The entry of that key, or nullptr.
const KeyedEntry* FindEntry(std::span<const KeyedEntry> entries, std::string_view key);

}  // namespace gd
