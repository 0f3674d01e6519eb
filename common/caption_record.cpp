#include "common/caption_record.h"

#include "common/byte_io.h"
#include "common/text_trim.h"

namespace gd {
namespace {
constexpr size_t kFont = 0;
constexpr size_t kColor = 60;
constexpr size_t kPosition = 64;
constexpr size_t kText = 68;
}  // namespace

std::vector<uint8_t> EncodeCaptionRecord(const CaptionRecord& caption) {
    std::vector<uint8_t> bytes(kCaptionRecordSize, 0);
    uint8_t* p = bytes.data();
    WriteLogFont(p + kFont, caption.font);
    WriteU32(p + kColor, caption.color);
    WriteI32(p + kPosition, caption.position);
    WriteFixedText(p + kText, kCaptionTextLimit, kCaptionTextLimit, CutAndTrim(caption.text, kCaptionTextLimit));
    return bytes;
}

std::optional<CaptionRecord> DecodeCaptionRecord(std::span<const uint8_t> bytes) {
    if (bytes.size() != kCaptionRecordSize) return std::nullopt;
    const uint8_t* p = bytes.data();
    CaptionRecord caption;
    caption.font = ReadLogFont(p + kFont);
    caption.color = ReadU32(p + kColor);
    caption.position = ReadI32(p + kPosition);
    // The field itself may be full; the four zero bytes after it never hold text.
    caption.text = ReadFixedText(p + kText, kCaptionTextLimit);
    return caption;
}

}  // namespace gd
