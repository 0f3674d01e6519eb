#pragma once
// The 136-byte caption of one picture (resource RT_SAVER_CAPTION, id of the picture).
// The maker writes one only for a caption whose trimmed text is not empty.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/color_ref.h"
#include "common/log_font.h"

namespace gd {

constexpr size_t kCaptionRecordSize = 136;
// A caption of exactly this many bytes has no NUL inside its field; the zero bytes that
// follow the field end it.
constexpr size_t kCaptionTextLimit = 64;

// Caption positions 0..8: rows top, middle, bottom; columns left, centre, right.
constexpr int32_t kCaptionPositionCount = 9;

// The caption's text and font face name in Unicode (UTF-8), from the caption's text record
// (caption_texts.h); the 136 bytes hold their best-fit Western form.
struct CaptionTexts {
    std::string text;  // trimmed, as the narrow field
    std::string face_name;

    friend bool operator==(const CaptionTexts&, const CaptionTexts&) = default;
};

struct CaptionRecord {
    LogFont font;
    ColorRef color = 0;
    int32_t position = 0;
    std::string text;  // stored with leading and trailing white space removed
    // Not part of the 136 bytes: the texts in Unicode, when the screensaver carries them.
    // Without them `text` and the face name are ANSI text, drawn as they always were.
    std::optional<CaptionTexts> texts;

    friend bool operator==(const CaptionRecord&, const CaptionRecord&) = default;
};

std::vector<uint8_t> EncodeCaptionRecord(const CaptionRecord& caption);
// Refuses anything but exactly kCaptionRecordSize bytes.
std::optional<CaptionRecord> DecodeCaptionRecord(std::span<const uint8_t> bytes);

}  // namespace gd
