#include "common/caption_texts.h"

#include "common/character_count.h"
#include "common/code_page.h"

namespace gd {
namespace {
constexpr std::string_view kTextKey = "szCaption";
constexpr std::string_view kFaceKey = "lfFaceName";
}  // namespace

std::vector<uint8_t> EncodeCaptionTexts(const CaptionTexts& texts) {
    return EncodeKeyedRecord(kCaptionTextsMagic, {Text16Entry(kTextKey, texts.text), Text16Entry(kFaceKey, texts.face_name)});
}

bool ApplyCaptionTexts(std::span<const uint8_t> bytes, CaptionRecord& caption) {
    auto record = DecodeKeyedRecord(kCaptionTextsMagic, bytes);
    if (!record) return false;
    const KeyedEntry* text = FindEntry(record->entries, kTextKey);
    std::optional<std::string> value = text ? Text16Value(*text) : std::nullopt;
    if (!value) return false;
    const KeyedEntry* face = FindEntry(record->entries, kFaceKey);
    std::optional<std::string> face_name = face ? Text16Value(*face) : std::nullopt;
    caption.texts = CaptionTexts{std::string(CutToCharacters(*value, kCaptionTextLimit)),
                                 face_name ? std::string(CutToCharacters(*face_name, kFaceNameLimit))
                                           : CodePageToUtf8(caption.font.face_name)};
    return true;
}

}  // namespace gd
