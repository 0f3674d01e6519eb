#include "common/saver_extras.h"

#include "common/show_options.h"

namespace gd {

std::vector<uint8_t> EncodeSaverExtras(const SaverConfig& config) {
    std::vector<KeyedEntry> entries;
    for (const OptionRow& row : kOptions)
        if (row.homes & kInShowExtras) entries.push_back(Int32Entry(row.key, int32_t(NumberOf(config, row.field))));
    return EncodeKeyedRecord(kSaverExtrasMagic, entries);
}

bool ApplySaverExtras(std::span<const uint8_t> bytes, SaverConfig& config) {
    auto record = DecodeKeyedRecord(kSaverExtrasMagic, bytes);
    if (!record) return false;
    for (const OptionRow& row : kOptions) {
        if (!(row.homes & kInShowExtras)) continue;
        const KeyedEntry* entry = FindEntry(record->entries, row.key);
        auto value = entry ? Int32Value(*entry) : std::nullopt;
        if (value && InRange(row, *value)) SetNumber(config, row.field, *value);
    }
    return true;
}

}  // namespace gd
