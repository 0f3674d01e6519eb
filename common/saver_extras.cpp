#include "common/saver_extras.h"

#include "common/character_count.h"
#include "common/code_page.h"
#include "common/show_options.h"

namespace gd {

SaverTexts WesternTexts(const SaverConfig& c) {
    return {CodePageToUtf8(c.name),      CodePageToUtf8(c.author),      CodePageToUtf8(c.email),
            CodePageToUtf8(c.home_page), CodePageToUtf8(c.copyright),   CodePageToUtf8(c.description),
            CodePageToUtf8(c.banner),    CodePageToUtf8(c.banner_font.face_name)};
}

SaverTexts ShownTexts(const SaverConfig& config) { return config.texts ? *config.texts : WesternTexts(config); }

std::vector<uint8_t> EncodeSaverExtras(const SaverConfig& config) {
    std::vector<KeyedEntry> entries;
    for (const OptionRow& row : kOptions)
        if (row.homes & kInShowExtras) entries.push_back(Int32Entry(row.key, int32_t(NumberOf(config, row.field))));
    if (config.texts)
        for (const SaverTextKey& k : kSaverTextKeys) entries.push_back(Text16Entry(k.key, (*config.texts).*k.member));
    return EncodeKeyedRecord(kSaverExtrasMagic, entries);
}

namespace {

void ApplyTexts(std::span<const KeyedEntry> entries, SaverConfig& config) {
    std::optional<SaverTexts> texts;
    for (const SaverTextKey& k : kSaverTextKeys) {
        const KeyedEntry* entry = FindEntry(entries, k.key);
        std::optional<std::string> value = entry ? Text16Value(*entry) : std::nullopt;
        if (!value) continue;
        if (!texts) texts = WesternTexts(config);
        (*texts).*k.member = std::string(CutToCharacters(*value, k.limit));
    }
    if (texts) config.texts = std::move(texts);
}

}  // namespace

bool ApplySaverExtras(std::span<const uint8_t> bytes, SaverConfig& config) {
    auto record = DecodeKeyedRecord(kSaverExtrasMagic, bytes);
    if (!record) return false;
    for (const OptionRow& row : kOptions) {
        if (!(row.homes & kInShowExtras)) continue;
        const KeyedEntry* entry = FindEntry(record->entries, row.key);
        auto value = entry ? Int32Value(*entry) : std::nullopt;
        if (value && InRange(row, *value)) SetNumber(config, row.field, *value);
    }
    ApplyTexts(record->entries, config);
    return true;
}

}  // namespace gd
