#include "common/keyed_record.h"

#include <algorithm>

#include "common/byte_io.h"
#include "common/unicode_text.h"

namespace gd {
namespace {

bool IsKeyCharacter(uint8_t c) { return c > 0x20 && c < 0x7F; }

bool IsValidKey(std::span<const uint8_t> key) {
    return !key.empty() && key.size() <= kMaxEntryKeyLength && std::all_of(key.begin(), key.end(), IsKeyCharacter);
}

// One entry from `in`, which ends where the record ends; nothing when it does not fit.
std::optional<KeyedEntry> ReadEntry(ByteReader& in) {
    auto key = in.Bytes(in.U8());
    if (!in.ok() || !IsValidKey(key)) return std::nullopt;
    KeyedEntry entry;
    entry.key.assign(key.begin(), key.end());
    entry.type = in.U8();
    auto value = in.Bytes(in.U32());
    if (!in.ok()) return std::nullopt;
    entry.value.assign(value.begin(), value.end());
    return entry;
}

// Sorted rather than searched entry by entry, so that a damaged record of many small
// entries costs no more than its size.
bool HasDuplicateKey(std::span<const KeyedEntry> entries) {
    std::vector<std::string_view> keys;
    keys.reserve(entries.size());
    for (const KeyedEntry& e : entries) keys.push_back(e.key);
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

}  // namespace

KeyedEntry Int32Entry(std::string_view key, int32_t value) {
    KeyedEntry entry{std::string(key), uint8_t(EntryType::kInt32), std::vector<uint8_t>(4)};
    WriteI32(entry.value.data(), value);
    return entry;
}

std::optional<int32_t> Int32Value(const KeyedEntry& entry) {
    if (entry.type != uint8_t(EntryType::kInt32) || entry.value.size() != 4) return std::nullopt;
    return ReadI32(entry.value.data());
}

KeyedEntry Text16Entry(std::string_view key, std::string_view utf8) {
    KeyedEntry entry{std::string(key), uint8_t(EntryType::kText16), {}};
    const std::u16string units = ToUtf16(utf8);
    entry.value.resize(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) WriteU16(entry.value.data() + 2 * i, units[i]);
    return entry;
}

std::optional<std::string> Text16Value(const KeyedEntry& entry) {
    if (entry.type != uint8_t(EntryType::kText16) || entry.value.size() % 2 != 0) return std::nullopt;
    std::u16string units(entry.value.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = ReadU16(entry.value.data() + 2 * i);
    return FromUtf16(units);
}

std::vector<uint8_t> EncodeKeyedRecord(const RecordMagic& magic, const std::vector<KeyedEntry>& entries) {
    ByteWriter out;
    out.Text(std::string_view(magic.data(), magic.size()));
    out.U16(kKeyedRecordVersion);
    out.U16(uint16_t(kKeyedRecordHeaderSize));
    out.U32(0);  // the total size, known at the end
    for (const KeyedEntry& e : entries) {
        out.U8(uint8_t(e.key.size()));
        out.Text(e.key);
        out.U8(e.type);
        out.U32(uint32_t(e.value.size()));
        out.Bytes(e.value);
    }
    std::vector<uint8_t> bytes = out.Take();
    WriteU32(bytes.data() + 8, uint32_t(bytes.size()));
    return bytes;
}

bool StartsWithMagic(const RecordMagic& magic, std::span<const uint8_t> bytes) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

std::optional<KeyedRecord> DecodeKeyedRecord(const RecordMagic& magic, std::span<const uint8_t> bytes) {
    if (!StartsWithMagic(magic, bytes)) return std::nullopt;
    ByteReader header(bytes.subspan(magic.size()));
    const uint16_t version = header.U16();
    const size_t header_size = header.U16();
    const size_t total = header.U32();
    if (!header.ok() || version != kKeyedRecordVersion || header_size < kKeyedRecordHeaderSize || header_size > total ||
        total > bytes.size())
        return std::nullopt;

    KeyedRecord record;
    record.size = total;
    ByteReader in(bytes.subspan(header_size, total - header_size));
    while (in.remaining() > 0) {
        auto entry = ReadEntry(in);
        if (!entry) return std::nullopt;
        record.entries.push_back(std::move(*entry));
    }
    if (HasDuplicateKey(record.entries)) return std::nullopt;
    return record;
}

const KeyedEntry* FindEntry(std::span<const KeyedEntry> entries, std::string_view key) {
    for (const KeyedEntry& e : entries)
        if (e.key == key) return &e;
    return nullptr;
}

}  // namespace gd
