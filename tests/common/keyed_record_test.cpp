// The keyed-entry record of the show extras and the project file's extension block: its
// bytes, entries of every type kept as they are, and every kind of broken framing
// refused whole (the runtime's test refuses the malformed inputs of tests/inputs/extras).
#include "common/keyed_record.h"

#include <gtest/gtest.h>

#include "common/byte_io.h"

namespace gd {
namespace {

constexpr RecordMagic kMagic = {'T', 'E', 'S', 'T'};

KeyedEntry Entry(std::string key, uint8_t type, std::vector<uint8_t> value) {
    return {std::move(key), type, std::move(value)};
}

std::vector<KeyedEntry> SampleEntries() {
    return {Int32Entry("bMovePicture", 0), Entry("szFuture", uint8_t(EntryType::kText16), {'H', 0, 'i', 0}),
            Entry("lfFuture", uint8_t(EntryType::kBytes), std::vector<uint8_t>(60, 7)),
            Entry("x", 200, {}),  // a type this version does not know
            Int32Entry(std::string(kMaxEntryKeyLength, 'k'), -5)};
}

TEST(KeyedRecord, LaysOutHeaderAndEntriesByteForByte) {
    std::vector<uint8_t> bytes = EncodeKeyedRecord(kMagic, {Int32Entry("bMovePicture", 0)});
    const std::vector<uint8_t> expected = {
        'T', 'E', 'S', 'T', 1,   0,   12,  0,   34,  0,   0,   0,  // header, 34 bytes in all
        12,  'b', 'M', 'o', 'v', 'e', 'P', 'i', 'c', 't', 'u', 'r', 'e', 1, 4, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(EncodeKeyedRecord(kMagic, {}).size(), kKeyedRecordHeaderSize);
}

TEST(KeyedRecord, EntriesOfEveryTypeComeBackAndTheBytesAfterItAreNotPartOfIt) {
    std::vector<uint8_t> bytes = EncodeKeyedRecord(kMagic, SampleEntries());
    const size_t size = bytes.size();
    bytes.insert(bytes.end(), {'M', 'O', 'R', 'E'});
    auto record = DecodeKeyedRecord(kMagic, bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->entries, SampleEntries());
    EXPECT_EQ(record->size, size);
    EXPECT_EQ(Int32Value(record->entries[0]), 0);
    EXPECT_EQ(Int32Value(record->entries[4]), -5);
    EXPECT_EQ(Int32Value(record->entries[1]), std::nullopt) << "a text is no number";
    EXPECT_EQ(Int32Value(Entry("n", uint8_t(EntryType::kInt32), {1, 2, 3})), std::nullopt) << "3 bytes";
    ASSERT_NE(FindEntry(record->entries, "lfFuture"), nullptr);
    EXPECT_EQ(FindEntry(record->entries, "lfFuture")->value.size(), 60u);
    EXPECT_EQ(FindEntry(record->entries, "lffuture"), nullptr);
    EXPECT_FALSE(DecodeKeyedRecord({'G', 'D', 'S', 'X'}, bytes)) << "another kind of record";
}

TEST(KeyedRecord, ALongerHeaderOfALaterFramingIsSkipped) {
    std::vector<uint8_t> bytes = EncodeKeyedRecord(kMagic, {Int32Entry("a", 1)});
    bytes.insert(bytes.begin() + 12, {9, 9, 9, 9});
    WriteU16(&bytes[6], 16);
    WriteU32(&bytes[8], uint32_t(bytes.size()));
    auto record = DecodeKeyedRecord(kMagic, bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->entries, std::vector<KeyedEntry>{Int32Entry("a", 1)});
}

TEST(KeyedRecord, EveryCutOfARecordIsRefused) {
    const std::vector<uint8_t> whole = EncodeKeyedRecord(kMagic, SampleEntries());
    for (size_t n = 0; n < whole.size(); ++n)
        EXPECT_FALSE(DecodeKeyedRecord(kMagic, std::span(whole).first(n))) << n << " of " << whole.size();
}

TEST(KeyedRecord, BrokenFramingIsRefusedWhole) {
    const std::vector<uint8_t> good = EncodeKeyedRecord(kMagic, {Int32Entry("ab", 1), Int32Entry("cd", 2)});
    ASSERT_TRUE(DecodeKeyedRecord(kMagic, good));
    // Offsets: the first entry's key length at 12, its value's length at 16; the second
    // entry's key length at 24.
    const size_t first_key = 12, first_length = 16, second_key_length = 24;
    auto spoiled = [&](auto change) {
        std::vector<uint8_t> b = good;
        change(b);
        return b;
    };
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"version 0", spoiled([](auto& b) { WriteU16(&b[4], 0); })},
        {"version 2", spoiled([](auto& b) { WriteU16(&b[4], 2); })},
        {"header of 11 bytes", spoiled([](auto& b) { WriteU16(&b[6], 11); })},
        {"header past the total", spoiled([](auto& b) { WriteU16(&b[6], uint16_t(b.size() + 1)); })},
        {"total past the bytes", spoiled([](auto& b) { WriteU32(&b[8], uint32_t(b.size() + 1)); })},
        {"total inside an entry", spoiled([](auto& b) { WriteU32(&b[8], uint32_t(b.size() - 1)); })},
        {"value past the total", spoiled([](auto& b) { WriteU32(&b[first_length], 5); })},
        {"value length near 4 GiB", spoiled([](auto& b) { WriteU32(&b[first_length], 0xFFFFFFF0u); })},
        {"key of length 0", spoiled([=](auto& b) { b[first_key] = 0; })},
        {"key with a blank", spoiled([=](auto& b) { b[first_key + 1] = ' '; })},
        {"key with a control byte", spoiled([=](auto& b) { b[first_key + 2] = 0x07; })},
        {"key with a byte above ASCII", spoiled([=](auto& b) { b[first_key + 2] = 0xE9; })},
        {"the same key twice",
         spoiled([=](auto& b) { b[second_key_length + 1] = 'a', b[second_key_length + 2] = 'b'; })},
        {"key longer than 64",
         [] {
             KeyedEntry long_key = Int32Entry(std::string(65, 'k'), 1);
             return EncodeKeyedRecord(kMagic, {long_key});
         }()},
    };
    for (const auto& [what, bytes] : cases) EXPECT_FALSE(DecodeKeyedRecord(kMagic, bytes)) << what;
}

}  // namespace
}  // namespace gd
