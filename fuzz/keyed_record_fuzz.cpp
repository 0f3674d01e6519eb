// The keyed records that carry settings beyond the fixed layouts: the show extras of a
// made screensaver and the extension block of a project file. A record that reads, once
// written again, reads as the same entries; the runtime's overlay of the show extras
// changes nothing unless the record is intact, and then only options the record holds,
// to values within their ranges.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/keyed_record.h"
#include "common/saver_extras.h"
#include "common/show_options.h"
#include "fuzz/fuzz_support.h"

namespace {

void CheckRoundTrip(const gd::RecordMagic& magic, std::span<const uint8_t> bytes) {
    auto record = gd::DecodeKeyedRecord(magic, bytes);
    if (!record) return;
    gd::fuzz::Require(record->size <= bytes.size(), "a record lies within its bytes");
    std::vector<uint8_t> written = gd::EncodeKeyedRecord(magic, record->entries);
    auto again = gd::DecodeKeyedRecord(magic, written);
    gd::fuzz::Require(again && again->entries == record->entries && again->size == written.size(),
                      "a record written again reads as the same entries");
}

void CheckOverlay(std::span<const uint8_t> bytes) {
    gd::SaverConfig config;
    for (const gd::OptionRow& row : gd::kOptions)
        if (gd::IsNumberKind(row.kind)) gd::SetNumber(config, row.field, row.max + 1);  // out of every range
    const gd::SaverConfig before = config;
    const bool applied = gd::ApplySaverExtras(bytes, config);
    gd::fuzz::Require(applied == gd::DecodeKeyedRecord(gd::kSaverExtrasMagic, bytes).has_value(),
                      "the overlay is applied exactly when the record is intact");
    for (const gd::OptionRow& row : gd::kOptions) {
        if (!gd::IsNumberKind(row.kind)) continue;
        const int64_t value = gd::NumberOf(config, row.field);
        gd::fuzz::Require(
            value == gd::NumberOf(before, row.field) || ((row.homes & gd::kInShowExtras) && gd::InRange(row, value)),
            "the overlay sets only options of the extras, within their ranges");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    CheckRoundTrip(gd::kSaverExtrasMagic, bytes);
    // Whatever magic the input starts with, so the framing is reached from any seed.
    if (size >= 4) CheckRoundTrip({char(data[0]), char(data[1]), char(data[2]), char(data[3])}, bytes);
    CheckOverlay(bytes);
    return 0;
}
